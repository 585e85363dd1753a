#include "ui/quorvane_finished_design.h"

#include "engine/user_dialogs.h"
#include "ui/web_addresses.h"

namespace quorvane::ui {
namespace {

using enum FinishedControl;
using K = ControlKind;

constexpr ControlSpec<FinishedControl> kControls[] = {
    {.id = Label1, .kind = K::Label,
     .caption = "Your Internet Settings Are Now Optimised!", .place = {120, 120, 4455, 735},
     .font = {Face::Tahoma, 14.25, true}, .look = kCentred},
    {.id = Label2, .kind = K::Label,
     .caption = "To test your new settings, why not try the Broadband Speed Tester by Pennick, "
                "by clicking the link below.",
     .place = {120, 960, 4455, 735}, .font = {Face::Tahoma, 9.75}, .look = kCentred},
    {.id = Label3, .kind = K::LinkLabel, .caption = kSpeedTestSite,
     .place = {120, 1920, 4455, 255}, .font = {Face::Tahoma, 9.75},
     .look = kCentred | kBlueText | kSingleLine, .tag = kSpeedTestSite},
    {.id = CmdClose, .kind = K::Button, .caption = "Close This Window",
     .place = {1320, 2520, 2055, 375}, .font = {Face::Tahoma, 9.75, true}},
};
static_assert(IsTableInIdOrder(kControls));

// Neither a default nor a cancel button: Enter presses CmdClose only while
// it has the focus, and Escape does nothing.
constexpr WindowSpec<FinishedControl> kWindow{
    .name = "QuorvaneFinished",
    .caption = engine::kProgramTitle,
    .clientWidth = 4680,
    .clientHeight = 3090,
    .font = {Face::Tahoma, 8.25},
    .start = StartPosition::SystemDefault,
    .icon = WindowIcon::Finished,
    .firstFocus = CmdClose,
};

}  // namespace

const WindowDesign<FinishedControl> kQuorvaneFinishedDesign{kWindow, kControls};

}  // namespace quorvane::ui
