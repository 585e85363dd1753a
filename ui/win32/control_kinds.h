// How each kind of control of a design becomes a Win32 window: its class
// and styles, as one table.
#pragma once

#include <windows.h>

#include "ui/window_design.h"

namespace quorvane::ui::win32 {

// The class of the panes (child windows shown and hidden) and of the windows
// themselves; both are registered by the window code.
inline constexpr const wchar_t* kWindowClass = L"QuorvaneWindow";
inline constexpr const wchar_t* kPaneClass = L"QuorvanePane";

struct KindTraits {
  ControlKind kind;
  // nullptr: not a window of its own; its container paints it.
  const wchar_t* className;
  DWORD style;  // besides WS_CHILD and WS_VISIBLE
  DWORD extendedStyle;
};

// The row of a kind.
const KindTraits& TraitsOf(ControlKind kind);

// True for the kinds that the container paints.
constexpr bool IsPainted(ControlKind kind) {
  return kind == ControlKind::Rectangle || kind == ControlKind::Line || kind == ControlKind::Bar ||
         kind == ControlKind::Image;
}

}  // namespace quorvane::ui::win32
