// The typefaces the windows are designed in (Tahoma, MS Sans Serif, Times
// New Roman) and the Qt fonts built from a design's FontSpec.
#pragma once

#include "ui/window_design.h"

class QFont;

namespace quorvane::ui {

// Loads the system's font configuration (fontconfig's files and caches),
// the largest step of setting fonts up, and one that needs no application
// object: run beside Qt's start, it leaves Qt's font database to find it
// loaded. Safe on any thread, and cheap once done. Does nothing where Qt
// draws without fontconfig.
void LoadSystemFontConfiguration();

// Makes Tahoma and MS Sans Serif available where the system lacks them: the
// free, metric-compatible clones that Wine ships are registered when they
// are installed, and close substitutes are named for the rest; and sets the
// program's style (program_style.h), which draws their bold as bold at any
// resolution.
// Call once, after the application object exists and before any window is
// made; harmless to call again.
void RegisterProgramFonts();

// The font of a spec (Face::Inherit is not a font: don't ask for it). The
// size becomes device-independent pixels at 96 dots per inch, so that the
// text keeps its place in a layout given in pixels at any scale factor.
QFont MakeFont(const FontSpec& spec);

}  // namespace quorvane::ui
