// The About window's design: the window and its twenty controls, listed from
// the bottom of the pile to the top, so that building them in this order
// lays bars and shapes beneath the labels and the icon over its square.
#pragma once

#include "ui/window_design.h"

namespace quorvane::ui {

// Arrays of the design are named with their index after an underscore:
// shpRect_1 is "shpRect(1)".
enum class AboutControl {
  // Shapes, the icon on its square, the bars and the etched separator.
  shpRect_1, imgIcon, shpRect_2, shpRect_0, Label1, lblInfo_4, lblDescription, Line1_1, Line1_0,
  // The texts, over the bars.
  lblDotLine_1, lblDotLine_0, lblTitle, lblInfo_1, lblVersion, lblProduct, Label2, lblCopyright,
  lblURL,
  // The two controls that take the focus.
  txtSpecialCopyright, cmdOK,
  Window,  // the window itself
};

extern const WindowDesign<AboutControl> kQuorvaneAboutDesign;

// The legal warning in txtSpecialCopyright: six lines, each ending in CR LF.
extern const char* const kLegalWarning;

}  // namespace quorvane::ui
