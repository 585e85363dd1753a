#include "ui/quorvane_form_design.h"

namespace quorvane::ui {
namespace {

using K = ControlKind;

constexpr FontSpec kOwn{};  // the container's font
constexpr FontSpec kWindowFont{Face::Tahoma, 8.25};
constexpr FontSpec kSansSerif{Face::MsSansSerif, 8.25};
constexpr FontSpec Tahoma(double points, bool bold = false) {
  return {Face::Tahoma, points, bold};
}

constexpr Rect kPanePlace{120, 960, 5055, 3135};
constexpr Rect kApplyPlace{3960, 2640, 975, 375};

constexpr const char* kCurrentDesign = "You Currently Have This Set To:";
constexpr const char* kChangeTo = "Change To:";

}  // namespace

const WindowSpec kQuorvaneFormWindow{5325, 4905, kWindowFont, kWhite};

// In creation order, which is also the order the Tab key walks: the header,
// each pane with its controls, then the footer.
const std::array<ControlSpec, 75> kQuorvaneFormControls = {{
    {"Label1", K::Label, nullptr, "Quorvane", {120, 120, 5055, 495}, Tahoma(20.25), kCentred},
    {"Label2", K::Label, nullptr, "Internet Optimiser", {120, 600, 5055, 255}, Tahoma(9.75),
     kCentred},

    // Position 1: the welcome pane and the quick optimise.
    {"SettingWelcome", K::Pane, nullptr, nullptr, kPanePlace, kOwn, kWhite},
    {"Label34", K::Label, "SettingWelcome",
     "Welcome to Quorvane. To quickly optimise your connection please select your method and "
     "click the button below, otherwise use the scroll bar to change the settings quickly.",
     {120, 120, 4815, 1215}, Tahoma(11.25)},
    {"Label35", K::Label, "SettingWelcome", "I am using a", {120, 1320, 1455, 375},
     Tahoma(11.25, true), kWhite, nullptr, "Combo2"},
    {"Combo2", K::List, "SettingWelcome", nullptr, {1560, 1320, 2055, 315}, kOwn, kTransparent,
     "Connection type"},
    {"cmd_Optimise", K::Button, "SettingWelcome", "Optimise", {3720, 1320, 1095, 375}},

    // Position 2: maximum transmission unit.
    {"Setting1", K::Pane, nullptr, nullptr, kPanePlace, kSansSerif, kWhite},
    {"Label3", K::Label, "Setting1", "Max Transmission Unit", {120, 120, 3255, 495},
     Tahoma(15.75)},
    {"Label4", K::Label, "Setting1", "(MTU)", {120, 480, 495, 255}},
    {"Setting1Current", K::Label, "Setting1", kCurrentDesign, {120, 960, 4815, 495}},
    {"Label5", K::Label, "Setting1", kChangeTo, {120, 1680, 1455, 375}, Tahoma(12), kTransparent,
     nullptr, "Setting1Custom"},
    {"Setting1Custom", K::TextBox, "Setting1", "1500", {1440, 1680, 1335, 375}},
    {"Label15", K::Label, "Setting1", "Dialup: 576", {120, 2040, 1095, 255}, Tahoma(9.75)},
    {"Label17", K::Label, "Setting1", "LAN: 1500", {120, 2280, 1095, 255}, Tahoma(9.75)},
    {"Label18", K::Label, "Setting1", "Cable: 1500", {120, 2520, 1095, 255}, Tahoma(9.75)},
    {"Label36", K::Label, "Setting1", "ADSL: 1492", {120, 2760, 1095, 255}, Tahoma(9.75), kWhite},
    {"Label37", K::LinkLabel, "Setting1", "ADSL Information", {1440, 2760, 1575, 255},
     Tahoma(9.75), kBlueText},
    {"Setting1Apply", K::Button, "Setting1", "&Apply", kApplyPlace},

    // Position 3: receive window.
    {"Setting2", K::Pane, nullptr, nullptr, kPanePlace, kSansSerif, kWhite},
    {"Label8", K::Label, "Setting2", "Recieve Window", {120, 120, 3255, 495}, Tahoma(15.75)},
    {"Label7", K::Label, "Setting2", "(RWIN)", {120, 480, 615, 255}},
    {"Setting2Current", K::Label, "Setting2", kCurrentDesign, {120, 960, 4815, 495}},
    {"Label32", K::Label, "Setting2", kChangeTo, {120, 1680, 1455, 375}, Tahoma(12), kWhite,
     nullptr, "Setting2Custom"},
    {"Setting2Custom", K::TextBox, "Setting2", "8192", {1440, 1680, 1335, 375}},
    {"Label31", K::Label, "Setting2", "Dialup: 3216", {120, 2160, 1095, 255}, Tahoma(9.75), kWhite},
    {"Label30", K::Label, "Setting2", "LAN: 8192", {120, 2400, 1095, 255}, Tahoma(9.75), kWhite},
    {"Label29", K::Label, "Setting2", "Cable: 64240", {120, 2640, 1215, 255}, Tahoma(9.75), kWhite},
    {"Setting2Apply", K::Button, "Setting2", "&Apply", kApplyPlace},

    // Position 4: time to live.
    {"Setting3", K::Pane, nullptr, nullptr, kPanePlace, kSansSerif, kWhite},
    {"Label9", K::Label, "Setting3", "Time To Live", {120, 120, 3255, 375}, Tahoma(15.75)},
    {"Label10", K::Label, "Setting3", "(TTL)", {120, 480, 615, 255}},
    {"Setting3Current", K::Label, "Setting3", kCurrentDesign, {120, 960, 4815, 495}, kOwn, kWhite},
    {"Label24", K::Label, "Setting3", kChangeTo, {120, 1680, 1455, 375}, Tahoma(12), kWhite,
     nullptr, "Setting3Custom"},
    {"Setting3Custom", K::TextBox, "Setting3", "64", {1440, 1680, 1335, 375}},
    {"Label23", K::Label, "Setting3", "Dialup: 64", {120, 2160, 1095, 255}, Tahoma(9.75), kWhite},
    {"Label22", K::Label, "Setting3", "LAN: 128", {120, 2400, 1095, 255}, Tahoma(9.75), kWhite},
    {"Label21", K::Label, "Setting3", "Cable: 128", {120, 2640, 1095, 255}, Tahoma(9.75), kWhite},
    {"Setting3Apply", K::Button, "Setting3", "Apply", kApplyPlace},

    // Position 5: session keep-alive time.
    {"Setting4", K::Pane, nullptr, nullptr, kPanePlace, kSansSerif, kWhite},
    {"Label14", K::Label, "Setting4", "Session Keep Alive", {120, 120, 3255, 375}, Tahoma(15.75)},
    {"Setting4Current", K::Label, "Setting4", kCurrentDesign, {120, 960, 4815, 375}, kOwn, kWhite},
    {"Label20", K::Label, "Setting4", kChangeTo, {120, 1680, 1455, 375}, Tahoma(12), kWhite,
     nullptr, "Setting4Custom"},
    {"Setting4Custom", K::TextBox, "Setting4", "300000", {1440, 1680, 975, 375}},
    {"Label33", K::Label, "Setting4", "ms", {2520, 1800, 255, 255}, kOwn, kWhite},
    {"Label19", K::Label, "Setting4", "Dialup: 600000ms", {120, 2160, 1695, 255}, Tahoma(9.75),
     kWhite},
    {"Label12", K::Label, "Setting4", "LAN: 300000ms", {120, 2400, 1695, 255}, Tahoma(9.75), kWhite},
    {"Label11", K::Label, "Setting4", "Cable: 300000ms", {120, 2640, 1695, 255}, Tahoma(9.75),
     kWhite},
    {"Session4Apply", K::Button, "Setting4", "Apply", kApplyPlace},

    // Position 6: the path MTU flags.
    {"Setting5", K::Pane, nullptr, nullptr, kPanePlace, kSansSerif, kWhite},
    {"Label13", K::Label, "Setting5", "Path Maximum Transmission Unit", {120, 120, 4815, 375},
     Tahoma(15.75)},
    {"Label16", K::Label, "Setting5", "(PMTU)", {120, 480, 615, 255}},
    {"Setting5Option1", K::CheckBox, "Setting5", "Auto Discovery", {120, 840, 2175, 255},
     Tahoma(9.75), kWhite},
    {"Setting5Option2", K::CheckBox, "Setting5", "Black Hole Detect", {120, 1200, 2175, 255},
     Tahoma(9.75), kWhite},
    {"Setting5Option3", K::CheckBox, "Setting5", "Selective Acknowledgements ",
     {120, 1560, 3015, 255}, Tahoma(9.75), kWhite},
    {"Setting5Apply", K::Button, "Setting5", "Apply", kApplyPlace},

    // Position 7: NDI cache.
    {"Setting6", K::Pane, nullptr, nullptr, kPanePlace, kSansSerif, kWhite},
    {"Label6", K::Label, "Setting6", "NDI Cache", {120, 120, 3255, 495}, Tahoma(15.75)},
    {"Setting6Current", K::Label, "Setting6", kCurrentDesign, {120, 960, 4815, 495}},
    {"Label28", K::Label, "Setting6", kChangeTo, {120, 1680, 1455, 375}, Tahoma(12), kWhite,
     nullptr, "Setting6Custom"},
    {"Setting6Custom", K::TextBox, "Setting6", "64", {1440, 1680, 1335, 375}},
    {"Label27", K::Label, "Setting6", "Dialup: 16", {120, 2160, 1095, 255}, Tahoma(9.75), kWhite},
    {"Label26", K::Label, "Setting6", "LAN: 32", {120, 2400, 1095, 255}, Tahoma(9.75), kWhite},
    {"Label25", K::Label, "Setting6", "Cable: 64", {120, 2640, 1095, 255}, Tahoma(9.75), kWhite},
    {"Setting6Apply", K::Button, "Setting6", "Apply", kApplyPlace},

    // Position 8: the network adapter's own processor.
    {"Setting7", K::Pane, nullptr, nullptr, kPanePlace, kOwn, kWhite},
    {"Label38", K::Label, "Setting7", "Network Adapter Onboard CPU", {120, 120, 4455, 375},
     Tahoma(15.75)},
    {"Label39", K::Label, "Setting7",
     "If your network adapter has an onboard processor, designed to offload network processing "
     "from the system CPU, it is disabled by default. This setting allows you to enable it and "
     "increase the processing speed of your system. This only works on Windows 2000 and XP.",
     {120, 720, 4815, 1335}, Tahoma(9.75), kWhite},
    {"Setting7Option1", K::OptionButton, "Setting7", "Enabled", {120, 2040, 1695, 255},
     Tahoma(9.75), kWhite},
    {"Setting7Option2", K::OptionButton, "Setting7", "Disabled", {1200, 2040, 1695, 255},
     Tahoma(9.75), kWhite},
    {"Setting7Apply", K::Button, "Setting7", "Apply", kApplyPlace},

    // The footer.
    {"scroller", K::ScrollBar, nullptr, nullptr, {120, 4080, 5055, 255}, kOwn, kTransparent,
     "Setting shown"},
    {"Combo1", K::List, nullptr, nullptr, {120, 4440, 2055, 315}, kOwn, kTransparent,
     "Go to setting"},
    {"cmdRestore", K::Button, nullptr, "Restore", {2880, 4440, 1095, 375}},
    {"cmdClose", K::Button, nullptr, "&Close", {4080, 4440, 1095, 375}, kSansSerif},
}};

}  // namespace quorvane::ui
