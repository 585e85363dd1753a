// A window's design with its Id erased and its rules resolved: the same
// rows, the controls named by their index in the table, each with what the
// design leaves to inheritance and order worked out once (its font, what it
// paints and in which colours, its group of the arrow keys, whether and how
// its caption wraps, the name a screen reader gives it; which controls lie
// over which; the window's first focus). The toolkit cores build windows
// from these, so that their code is written once for every window rather
// than once per Id, and neither works out a rule of the design for itself.
#pragma once

#include <optional>
#include <span>
#include <string>
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
  std::string accessibleName;  // resolved: see below
  int buddy;
  std::span<const char* const> items;
  int minimum, maximum;
  std::optional<Rgb> fill, border;

  // Resolved (ResolveDesign):
  FontSpec effectiveFont;  // its own font, else its nearest container's, else the window's
  // What it paints behind its text: its own white, a pane's or bar's fill,
  // an entry box's or list's white field, else its container's colour.
  Rgb background;
  bool opaque;     // paints its background; false: a label through which what lies beneath shows
  Rgb textColour;  // black, or blue where the design says
  bool wraps;      // a label that breaks its caption at words within its width
  Align align;     // where the design puts a label's caption across its place
  // Where the core draws a label's caption across the place it is given:
  // a label that does not wrap is placed around its caption by the host
  // (one_line_label.h), and drawn from the left of that place.
  Align textAlign;
  bool holdsOneLine;  // a wrapping label whose height holds one line of its font
  // The row that begins its group of the arrow keys: a run of option
  // buttons in one container shares the first one's; every other control
  // is a group of its own.
  int group;
  // accessibleName, resolved: the design's, else the caption of the label
  // that names it (its buddy) without the access key's mark, else empty:
  // the control's own caption names it.
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
  // Every row, from the bottom of the pile to its top: labels, shapes, bars
  // and panes beneath the controls that take input, and within each of the
  // two, later rows over earlier ones.
  std::vector<int> stacking;
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
  DesignRows rows{RowOf(design.window), {}, {}};
  rows.controls.reserve(design.controls.size());
  for (const ControlSpec<Id>& c : design.controls) {
    rows.controls.push_back({NameOf(c.id), c.kind, IndexOf(c.container), c.caption, c.place, c.font,
                             c.look, c.accessibleName ? c.accessibleName : "", IndexOf(c.buddy),
                             c.items, c.minimum, c.maximum, c.fill, c.border, {}, {}, false, {},
                             false, Align::Left, Align::Left, false, kNoControl});
  }
  ResolveDesign(rows);
  return rows;
}

}  // namespace quorvane::ui
