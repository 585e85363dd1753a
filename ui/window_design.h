// A window's design as data, for any toolkit: the window itself and each of
// its controls with kind, container, caption, place, font and look.
//
// Every window names its controls in an enumeration of its own (its Id), so
// a control's identity is known when the program is compiled: a table row,
// a handler or a test that names a control the window does not have does
// not compile. A window's table lists its controls in the order of its Id,
// one row each (IsTableInIdOrder checks that at compile time), containers
// before what they hold; the order also says which controls lie over which,
// as the resolved rows work it out (design_rows.h).
//
// The toolkit cores (ui/qt/, ui/win32/) build real controls from these
// tables, resolved; nothing here knows a toolkit.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace quorvane::ui {

enum class Face {
  Inherit,  // the container's font
  Tahoma,
  MsSansSerif,  // "MS Sans Serif"
  TimesNewRoman,
};

// A font as a design gives it: face, size in points, weight, underline.
struct FontSpec {
  Face face = Face::Inherit;
  double points = 0;
  bool bold = false;
  bool underline = false;
  friend constexpr bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct Rgb {
  int red, green, blue;
  friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kWhiteColour{255, 255, 255};
inline constexpr Rgb kBlackColour{0, 0, 0};
inline constexpr Rgb kBlueColour{0, 0, 255};

// Positions and sizes in twips (1/1440 inch; 15 make one pixel at 96 dots
// per inch) from the top left of the container.
struct Rect {
  int left, top, width, height;
};

// Twips to pixels at a given resolution; at 96 dots per inch, what Qt calls
// device-independent pixels.
constexpr int TwipsToPixels(int twips, int dotsPerInch = 96) {
  return (twips * dotsPerInch + 720) / 1440;
}

// A place in pixels, from the top left of the container.
struct PixelRect {
  int left, top, width, height;
};

// A place in twips in pixels at a given resolution, each of its numbers
// converted on its own.
constexpr PixelRect PixelsOf(const Rect& twips, int dotsPerInch = 96) {
  return {TwipsToPixels(twips.left, dotsPerInch), TwipsToPixels(twips.top, dotsPerInch),
          TwipsToPixels(twips.width, dotsPerInch), TwipsToPixels(twips.height, dotsPerInch)};
}

enum class ControlKind {
  Pane,          // a container that can be shown and hidden
  Label,         // text, wrapped at word boundaries within its width
  ClickLabel,    // a label that reports clicks; not a link
  LinkLabel,     // a label that opens a web address: link pointer, announced as a link
  Button,        // push button; "&" in its caption marks its access key
  TextBox,       // single-line entry
  MultiLineBox,  // several lines with a vertical scroll bar
  CheckBox,
  OptionButton,  // excludes the other option buttons of its container
  List,          // selection-only drop-down list, filled from `items`
  ScrollBar,     // horizontal, from `minimum` to `maximum`, steps of 1
  Rectangle,     // a shape: `fill`, `border` (one pixel), or both
  Line,          // horizontal, as thick as its height, in `fill`
  Bar,           // an opaque area of `fill`, no text
  Image,         // the program's icon, centred in its place
};

// True for the kinds that show a caption as a label does.
constexpr bool IsLabel(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::ClickLabel ||
         kind == ControlKind::LinkLabel;
}

// True for the kinds that take input, and so the keyboard's focus.
constexpr bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
    case ControlKind::TextBox:
    case ControlKind::MultiLineBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::List:
    case ControlKind::ScrollBar:
      return true;
    default:
      return false;
  }
}

// How a control looks besides its font; combine with |.
enum Look : unsigned {
  kTransparent = 0,        // draws no background: the container shows through
  kWhite = 1u << 0,        // paints its own white background
  kCentred = 1u << 1,      // text centred horizontally
  kRightAligned = 1u << 2, // text against the right edge
  kBlueText = 1u << 3,     // blue text instead of black
  kSingleLine = 1u << 4,   // a label that never wraps
};

// Where a label's caption stands across its place, as its look says.
enum class Align { Left, Centre, Right };

// One control. Id::Window as container or buddy means none: the window
// itself holds the control, and nothing is named by it.
template <typename Id>
struct ControlSpec {
  Id id;  // also its name (control_names.h)
  ControlKind kind;
  Id container = Id::Window;
  const char* caption = nullptr;  // caption or first text; nullptr: none
  Rect place{};
  FontSpec font{};  // Face::Inherit: the container's font
  unsigned look = kTransparent;
  const char* accessibleName = nullptr;  // for controls without a caption of their own
  Id buddy = Id::Window;  // a label's: the control it names (its access key moves there)
  std::span<const char* const> items{};  // lists: the items, in this order
  int minimum = 0, maximum = 0;          // scroll bars: the range
  std::optional<Rgb> fill{};    // rectangles, lines and bars
  std::optional<Rgb> border{};  // rectangles: a one-pixel outline
  const char* tag = nullptr;    // link labels: the address a click opens
};

// Where a window first appears.
enum class StartPosition {
  CentredOnScreen,  // its frame centred on the screen's work area
  SystemDefault,    // where the window system places a new window
};

enum class WindowIcon { None, Program, Finished };

template <typename Id>
struct WindowSpec {
  const char* name;     // the window's object name
  const char* caption;  // at design
  int clientWidth, clientHeight;  // twips
  FontSpec font;
  Rgb background = kWhiteColour;
  StartPosition start = StartPosition::CentredOnScreen;
  WindowIcon icon = WindowIcon::None;
  // Enter clicks the push button that has the focus, else the default
  // button; Escape clicks the cancel button. Id::Window: the window has
  // none.
  Id defaultButton = Id::Window;
  Id cancelButton = Id::Window;
  // The control that holds the focus when the window opens; Id::Window:
  // the first control in table order that can take it.
  Id firstFocus = Id::Window;
};

// A window's whole design: the window and its controls.
template <typename Id>
struct WindowDesign {
  const WindowSpec<Id>& window;
  std::span<const ControlSpec<Id>> controls;

  const ControlSpec<Id>& operator[](Id id) const { return controls[static_cast<std::size_t>(id)]; }
};

// True when row i of the table is the control whose Id is i, and each row's
// container comes earlier in the table (a buddy may come later: a label
// precedes the box it names). Use in a static_assert.
template <typename Id, std::size_t N>
constexpr bool IsTableInIdOrder(const ControlSpec<Id> (&controls)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    if (static_cast<std::size_t>(controls[i].id) != i) return false;
    if (controls[i].container != Id::Window &&
        static_cast<std::size_t>(controls[i].container) >= i) {
      return false;
    }
  }
  return N == static_cast<std::size_t>(Id::Window);
}

}  // namespace quorvane::ui
