// The colours the program's windows and message boxes are drawn with,
// whatever the desktop's palette: white backgrounds, black text, light grey
// button faces, as on the Windows desktop the windows were designed for.
#pragma once

#include <QColor>

#include "ui/window_design.h"

class QPalette;

namespace quorvane::ui {

// A design's colour as Qt's.
inline QColor ColourOf(const Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// Every colour role of every colour group set, so that no role falls back
// to the application's (perhaps dark) palette.
const QPalette& DesignPalette();

}  // namespace quorvane::ui
