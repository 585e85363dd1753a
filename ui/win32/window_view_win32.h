// A window's view over a Win32 core of its own (NativeWindow): any window's
// logic drives real Win32 controls through it.
#pragma once

#include "ui/window_view.h"
#include "ui/win32/native_window.h"
#include "ui/window_design.h"

namespace quorvane::ui::win32 {

// The core, made before the view is put on it.
struct NativeWindowOwner {
  NativeWindow window;
};

template <typename Id>
class Win32WindowView final : private NativeWindowOwner, public WindowView<Id> {
 public:
  Win32WindowView(const WindowDesign<Id>& design, HWND owner, ModalOpener openModal = {})
      : NativeWindowOwner{NativeWindow(RowsOf(design), owner, std::move(openModal))},
        WindowView<Id>(window, design) {}

  NativeWindow& Window() { return window; }
  HWND Handle() const { return window.Handle(); }
  HWND ControlHandle(Id control) const { return window.ControlHandle(IndexOf(control)); }
  bool IsVisible(Id control) const { return window.IsVisible(IndexOf(control)); }
};

}  // namespace quorvane::ui::win32
