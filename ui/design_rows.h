// A window's design with its Id erased: the same rows, the controls named by
// their index in the table. The toolkit adapters build windows from these,
// so that their code is written once for every window rather than once per
// Id; what a design says and the rows say is the same.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "ui/window_design.h"

namespace quorvane::ui {

// "No control": the window itself, as Id::Window is in a design.
inline constexpr int kNoControl = -1;

// A ControlSpec with its container and buddy as row indexes.
struct ControlRow {
  const char* name;
  ControlKind kind;
  int container;
  const char* caption;
  Rect place;
  FontSpec font;
  unsigned look;
  const char* accessibleName;
  int buddy;
  std::span<const char* const> items;
  int minimum, maximum;
  std::optional<Rgb> fill, border;
};

// A WindowSpec with its buttons and first focus as row indexes.
struct WindowRow {
  const char* name;
  const char* caption;
  int clientWidth, clientHeight;
  FontSpec font;
  Rgb background;
  StartPosition start;
  WindowIcon icon;
  int defaultButton, cancelButton, firstFocus;
};

// The row index of a control; kNoControl for Id::Window.
template <typename Id>
constexpr int IndexOf(Id id) {
  return id == Id::Window ? kNoControl : static_cast<int>(id);
}

template <typename Id>
WindowRow RowOf(const WindowSpec<Id>& w) {
  return {w.name, w.caption, w.clientWidth, w.clientHeight, w.font, w.background, w.start,
          w.icon, IndexOf(w.defaultButton), IndexOf(w.cancelButton), IndexOf(w.firstFocus)};
}

// One row per control, in table order (which is Id order).
template <typename Id>
std::vector<ControlRow> RowsOf(std::span<const ControlSpec<Id>> controls) {
  std::vector<ControlRow> rows;
  rows.reserve(controls.size());
  for (const ControlSpec<Id>& c : controls) {
    rows.push_back({c.name, c.kind, IndexOf(c.container), c.caption, c.place, c.font, c.look,
                    c.accessibleName, IndexOf(c.buddy), c.items, c.minimum, c.maximum, c.fill,
                    c.border});
  }
  return rows;
}

}  // namespace quorvane::ui
