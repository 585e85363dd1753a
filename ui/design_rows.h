// A window's design with its Id erased and its rules resolved: the same
// rows, the controls named by their index in the table, each with what the
// design leaves to inheritance and order worked out once (its font, the
// colour behind it, its option group, whether a label holds one line; the
// window's first focus). The toolkit adapters build windows from these, so
// that their code is written once for every window rather than once per Id,
// and neither works out a rule of the design for itself.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "ui/control_names.h"
#include "ui/window_design.h"

namespace quorvane::ui {

// "No control": the window itself, as Id::Window is in a design.
inline constexpr int kNoControl = -1;

// A ControlSpec with its container and buddy as row indexes.
struct ControlRow {
  const char* name;  // its Id's (control_names.h)
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

  // Resolved (ResolveDesign):
  FontSpec effectiveFont;  // its own font, else its nearest container's, else the window's
  Rgb background;          // what its text is drawn on: its own white, else its container's
  bool startsGroup;        // begins a group of the arrow keys (option buttons of one run share one)
  bool holdsOneLine;       // a wrapping label whose height holds one line of its font
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
  // firstFocus is resolved: Id::Window in the design names the first
  // control in table order that takes the focus.
  int defaultButton, cancelButton, firstFocus;
};

// A whole window, resolved.
struct DesignRows {
  WindowRow window;
  std::vector<ControlRow> controls;
};

// Works out the resolved parts of every row and the window's first focus.
// Throws std::logic_error for a container or buddy that is not a fit.
void ResolveDesign(DesignRows& design);

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

// The window and one row per control, in table order (which is Id order),
// resolved.
template <typename Id>
DesignRows RowsOf(const WindowDesign<Id>& design) {
  DesignRows rows{RowOf(design.window), {}};
  rows.controls.reserve(design.controls.size());
  for (const ControlSpec<Id>& c : design.controls) {
    rows.controls.push_back({NameOf(c.id), c.kind, IndexOf(c.container), c.caption, c.place, c.font,
                             c.look, c.accessibleName, IndexOf(c.buddy), c.items, c.minimum,
                             c.maximum, c.fill, c.border, {}, {}, false, false});
  }
  ResolveDesign(rows);
  return rows;
}

}  // namespace quorvane::ui
