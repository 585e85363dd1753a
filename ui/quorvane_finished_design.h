// The Finished window's design: four controls, of which only CmdClose takes
// the focus. Label3 shows the speed-test site's address that it opens.
#pragma once

#include "ui/window_design.h"

namespace quorvane::ui {

enum class FinishedControl {
  Label1, Label2, Label3, CmdClose,
  Window,  // the window itself
};

extern const WindowDesign<FinishedControl> kQuorvaneFinishedDesign;

}  // namespace quorvane::ui
