// The two typefaces the windows are designed in, Tahoma and MS Sans Serif,
// and the fonts built from them.
#pragma once

class QFont;

namespace quorvane::ui {

enum class Face {
  Inherit,      // the container's font
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
};

// Makes Tahoma and MS Sans Serif available where the system lacks them: the
// free, metric-compatible clones that Wine ships are registered when they
// are installed, and close substitutes are named for the rest. Call once,
// after the application object exists; harmless to call again.
void RegisterProgramFonts();

// The font of a spec (Face::Inherit is not a font: don't ask for it). The
// size becomes device-independent pixels at 96 dots per inch, so that the
// text keeps its place in a layout given in pixels at any scale factor.
QFont MakeFont(const FontSpec& spec);

}  // namespace quorvane::ui
