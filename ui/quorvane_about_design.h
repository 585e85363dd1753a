// The About window's design as data: the window and its twenty controls,
// listed from the bottom of the pile to the top, so that building them in
// this order lays bars and shapes beneath the labels and the icon over its
// square.
#pragma once

#include <optional>
#include <span>

#include "ui/control_table.h"

namespace quorvane::ui::about {

enum class Kind {
  Rectangle,  // a shape: filled, outlined, or both
  Line,       // a horizontal line, as thick as its height
  Bar,        // a label used as an opaque coloured bar or box, no text
  Image,      // the program's icon, centred in its place
  Label,      // transparent text, one line unless it wraps
  LinkLabel,  // a label that opens the address in its Tag when clicked
  TextBox,    // multi-line, vertical scroll bar
  Button,
};

struct Rgb {
  int red, green, blue;
};


struct Control {
  const char* name;  // object name; an array's member as "shpRect(1)"
  Kind kind;
  Rect place;  // twips, from the top left of the client area
  const char* text = nullptr;
  FontSpec font{};  // Face::Inherit: the window's font
  bool rightAligned = false;
  bool wraps = false;  // labels: wrapped at word boundaries within the width
  std::optional<Rgb> fill{};    // shapes, lines and bars
  std::optional<Rgb> border{};  // shapes: a one-pixel outline
  const char* tag = nullptr;    // link labels: the address opened on a click
  int tabIndex = -1;            // controls that take the focus, in tab order
  const char* accessibleName = nullptr;  // for controls without text of their own
};

struct Window {
  const char* caption;
  int width, height;  // client area, twips
  Rgb background;
  FontSpec font;
};

extern const Window kWindow;
std::span<const Control> Controls();

// The legal warning in txtSpecialCopyright: six lines, each ending in CR LF.
extern const char* const kLegalWarning;

}  // namespace quorvane::ui::about
