// A window's design as data: the window itself and each of its controls with
// name, kind, container, caption, place, font and look. BuildWindow() walks
// such a table; the windows then find their controls by name.
#pragma once

#include <span>

#include "ui/program_fonts.h"

class QRect;
class QWidget;

namespace quorvane::ui {

enum class ControlKind {
  Pane,          // a container that can be shown and hidden
  Label,         // word-wrapped text
  LinkLabel,     // a label that reacts to clicks (LinkLabel)
  Button,        // push button; "&" marks its access key
  TextBox,       // single-line text entry
  CheckBox,
  OptionButton,  // excludes the other option buttons of its container
  List,          // selection-only drop-down list
  ScrollBar,     // horizontal
};

// How a control looks besides its font; combine with |.
enum Look : unsigned {
  kTransparent = 0,    // draws no background: the container shows through
  kWhite = 1u << 0,    // paints its own white background
  kCentred = 1u << 1,  // text centred horizontally
  kBlueText = 1u << 2,
};

// Positions and sizes are in twips from the top left of the container.
struct Rect {
  int left, top, width, height;
};

struct ControlSpec {
  const char* name;       // the object name
  ControlKind kind;
  const char* container;  // nullptr: the window itself
  const char* caption;    // caption or initial text; nullptr: none
  Rect place;
  FontSpec font = {};     // Face::Inherit: the container's font
  unsigned look = kTransparent;
  const char* accessibleName = nullptr;  // for controls without a caption of their own
  const char* buddy = nullptr;           // a label's: the control it names
};

struct WindowSpec {
  int clientWidth, clientHeight;  // twips
  FontSpec font;
  unsigned look = kTransparent;
};

// Twips are 1/1440 inch; 15 make one pixel at 96 dots per inch, which is
// what Qt's device-independent pixels are.
constexpr int TwipsToPixels(int twips) { return (twips + 7) / 15; }
QRect PlaceInPixels(const Rect& twips);

// Gives the window the design's size (fixed), font and background, and
// creates every control of the table as a child of the window or of its
// container, in table order; containers must come before their controls.
// Labels lie beneath the other controls of their container, as light
// controls do. Throws std::logic_error for a table that names a missing
// container or buddy.
void BuildWindow(QWidget& window, const WindowSpec& design, std::span<const ControlSpec> controls);

}  // namespace quorvane::ui
