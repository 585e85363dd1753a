#include "ui/quorvane_form_design.h"

#include "engine/quick_optimise.h"
#include "ui/program_version.h"

namespace quorvane::ui {
namespace {

using enum FormControl;
using K = ControlKind;
using Spec = ControlSpec<FormControl>;

constexpr FontSpec kWindowFont{Face::Tahoma, 8.25};
constexpr FontSpec kSansSerif{Face::MsSansSerif, 8.25};
constexpr FontSpec Tahoma(double points, bool bold = false) { return {Face::Tahoma, points, bold}; }
constexpr FontSpec kTitleFont = Tahoma(15.75);
constexpr FontSpec kChangeToFont = Tahoma(12);
constexpr FontSpec kHintFont = Tahoma(9.75);

constexpr Rect kPanePlace{120, 960, 5055, 3135};
constexpr Rect kApplyPlace{3960, 2640, 975, 375};

constexpr const char* kCurrentDesign = "You Currently Have This Set To:";
constexpr const char* kChangeTo = "Change To:";

// The pane list shows the items' texts, in their order.
constexpr auto kPaneListTexts = [] {
  std::array<const char*, kPaneListItems.size()> texts{};
  for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = kPaneListItems[i].text;
  return texts;
}();

// A setting pane: white, in the pane place, with its font.
constexpr Spec Pane(FormControl id, FontSpec font = {}) {
  return {.id = id, .kind = K::Pane, .place = kPanePlace, .font = font,
          .look = kWhite};
}

// A label of a pane.
constexpr Spec Text(FormControl id, FormControl pane, const char* caption,
                    Rect place, FontSpec font = {}, unsigned look = kTransparent,
                    FormControl buddy = Window) {
  return {.id = id, .kind = K::Label, .container = pane, .caption = caption,
          .place = place, .font = font, .look = look, .buddy = buddy};
}

constexpr Spec Entry(FormControl id, FormControl pane, const char* text,
                     Rect place) {
  return {.id = id, .kind = K::TextBox, .container = pane, .caption = text,
          .place = place};
}

constexpr Spec Apply(FormControl id, FormControl pane, const char* caption) {
  return {.id = id, .kind = K::Button, .container = pane, .caption = caption,
          .place = kApplyPlace};
}

constexpr Spec kControls[] = {
    Text(Label1, Window, "Quorvane", {120, 120, 5055, 495}, Tahoma(20.25), kCentred),
    Text(Label2, Window, "Internet Optimiser", {120, 600, 5055, 255}, Tahoma(9.75),
         kCentred),

    {.id = SettingWelcome, .kind = K::Pane, .place = kPanePlace,
     .look = kWhite},
    Text(Label34, SettingWelcome,
         "Welcome to Quorvane. To quickly optimise your connection please select your method and "
         "click the button below, otherwise use the scroll bar to change the settings quickly.",
         {120, 120, 4815, 1215}, Tahoma(11.25)),
    Text(Label35, SettingWelcome, "I am using a", {120, 1320, 1455, 375},
         Tahoma(11.25, true), kWhite, Combo2),
    {.id = Combo2, .kind = K::List, .container = SettingWelcome,
     .place = {1560, 1320, 2055, 315}, .accessibleName = "Connection type",
     .items = engine::kConnectionTypes},
    {.id = cmd_Optimise, .kind = K::Button, .container = SettingWelcome,
     .caption = "Optimise", .place = {3720, 1320, 1095, 375}},

    Pane(Setting1, kSansSerif),
    Text(Label3, Setting1, "Max Transmission Unit", {120, 120, 3255, 495}, kTitleFont),
    Text(Label4, Setting1, "(MTU)", {120, 480, 495, 255}),
    Text(Setting1Current, Setting1, kCurrentDesign, {120, 960, 4815, 495}),
    Text(Label5, Setting1, kChangeTo, {120, 1680, 1455, 375}, kChangeToFont,
         kTransparent, Setting1Custom),
    Entry(Setting1Custom, Setting1, "1500", {1440, 1680, 1335, 375}),
    Text(Label15, Setting1, "Dialup: 576", {120, 2040, 1095, 255}, kHintFont),
    Text(Label17, Setting1, "LAN: 1500", {120, 2280, 1095, 255}, kHintFont),
    Text(Label18, Setting1, "Cable: 1500", {120, 2520, 1095, 255}, kHintFont),
    Text(Label36, Setting1, "ADSL: 1492", {120, 2760, 1095, 255}, kHintFont, kWhite),
    {.id = Label37, .kind = K::ClickLabel, .container = Setting1,
     .caption = "ADSL Information", .place = {1440, 2760, 1575, 255}, .font = kHintFont,
     .look = kBlueText},
    Apply(Setting1Apply, Setting1, "&Apply"),

    Pane(Setting2, kSansSerif),
    Text(Label8, Setting2, "Recieve Window", {120, 120, 3255, 495}, kTitleFont),
    Text(Label7, Setting2, "(RWIN)", {120, 480, 615, 255}),
    Text(Setting2Current, Setting2, kCurrentDesign, {120, 960, 4815, 495}),
    Text(Label32, Setting2, kChangeTo, {120, 1680, 1455, 375}, kChangeToFont, kWhite,
         Setting2Custom),
    Entry(Setting2Custom, Setting2, "8192", {1440, 1680, 1335, 375}),
    Text(Label31, Setting2, "Dialup: 3216", {120, 2160, 1095, 255}, kHintFont, kWhite),
    Text(Label30, Setting2, "LAN: 8192", {120, 2400, 1095, 255}, kHintFont, kWhite),
    Text(Label29, Setting2, "Cable: 64240", {120, 2640, 1215, 255}, kHintFont, kWhite),
    Apply(Setting2Apply, Setting2, "&Apply"),

    Pane(Setting3, kSansSerif),
    Text(Label9, Setting3, "Time To Live", {120, 120, 3255, 375}, kTitleFont),
    Text(Label10, Setting3, "(TTL)", {120, 480, 615, 255}),
    Text(Setting3Current, Setting3, kCurrentDesign, {120, 960, 4815, 495}, {},
         kWhite),
    Text(Label24, Setting3, kChangeTo, {120, 1680, 1455, 375}, kChangeToFont, kWhite,
         Setting3Custom),
    Entry(Setting3Custom, Setting3, "64", {1440, 1680, 1335, 375}),
    Text(Label23, Setting3, "Dialup: 64", {120, 2160, 1095, 255}, kHintFont, kWhite),
    Text(Label22, Setting3, "LAN: 128", {120, 2400, 1095, 255}, kHintFont, kWhite),
    Text(Label21, Setting3, "Cable: 128", {120, 2640, 1095, 255}, kHintFont, kWhite),
    Apply(Setting3Apply, Setting3, "Apply"),

    Pane(Setting4, kSansSerif),
    Text(Label14, Setting4, "Session Keep Alive", {120, 120, 3255, 375}, kTitleFont),
    Text(Setting4Current, Setting4, kCurrentDesign, {120, 960, 4815, 375}, {},
         kWhite),
    Text(Label20, Setting4, kChangeTo, {120, 1680, 1455, 375}, kChangeToFont, kWhite,
         Setting4Custom),
    Entry(Setting4Custom, Setting4, "300000", {1440, 1680, 975, 375}),
    Text(Label33, Setting4, "ms", {2520, 1800, 255, 255}, {}, kWhite),
    Text(Label19, Setting4, "Dialup: 600000ms", {120, 2160, 1695, 255}, kHintFont,
         kWhite),
    Text(Label12, Setting4, "LAN: 300000ms", {120, 2400, 1695, 255}, kHintFont, kWhite),
    Text(Label11, Setting4, "Cable: 300000ms", {120, 2640, 1695, 255}, kHintFont,
         kWhite),
    Apply(Session4Apply, Setting4, "Apply"),

    Pane(Setting5, kSansSerif),
    Text(Label13, Setting5, "Path Maximum Transmission Unit", {120, 120, 4815, 375},
         kTitleFont),
    Text(Label16, Setting5, "(PMTU)", {120, 480, 615, 255}),
    {.id = Setting5Option1, .kind = K::CheckBox, .container = Setting5,
     .caption = "Auto Discovery", .place = {120, 840, 2175, 255}, .font = kHintFont,
     .look = kWhite},
    {.id = Setting5Option2, .kind = K::CheckBox, .container = Setting5,
     .caption = "Black Hole Detect", .place = {120, 1200, 2175, 255}, .font = kHintFont,
     .look = kWhite},
    {.id = Setting5Option3, .kind = K::CheckBox, .container = Setting5,
     .caption = "Selective Acknowledgements ", .place = {120, 1560, 3015, 255}, .font = kHintFont,
     .look = kWhite},
    Apply(Setting5Apply, Setting5, "Apply"),

    Pane(Setting6, kSansSerif),
    Text(Label6, Setting6, "NDI Cache", {120, 120, 3255, 495}, kTitleFont),
    Text(Setting6Current, Setting6, kCurrentDesign, {120, 960, 4815, 495}),
    Text(Label28, Setting6, kChangeTo, {120, 1680, 1455, 375}, kChangeToFont, kWhite,
         Setting6Custom),
    Entry(Setting6Custom, Setting6, "64", {1440, 1680, 1335, 375}),
    Text(Label27, Setting6, "Dialup: 16", {120, 2160, 1095, 255}, kHintFont, kWhite),
    Text(Label26, Setting6, "LAN: 32", {120, 2400, 1095, 255}, kHintFont, kWhite),
    Text(Label25, Setting6, "Cable: 64", {120, 2640, 1095, 255}, kHintFont, kWhite),
    Apply(Setting6Apply, Setting6, "Apply"),

    Pane(Setting7),
    Text(Label38, Setting7, "Network Adapter Onboard CPU", {120, 120, 4455, 375},
         kTitleFont),
    Text(Label39, Setting7,
         "If your network adapter has an onboard processor, designed to offload network "
         "processing from the system CPU, it is disabled by default. This setting allows you to "
         "enable it and increase the processing speed of your system. This only works on Windows "
         "2000 and XP.",
         {120, 720, 4815, 1335}, kHintFont, kWhite),
    {.id = Setting7Option1, .kind = K::OptionButton,
     .container = Setting7, .caption = "Enabled", .place = {120, 2040, 1695, 255},
     .font = kHintFont, .look = kWhite},
    {.id = Setting7Option2, .kind = K::OptionButton,
     .container = Setting7, .caption = "Disabled", .place = {1200, 2040, 1695, 255},
     .font = kHintFont, .look = kWhite},
    Apply(Setting7Apply, Setting7, "Apply"),

    {.id = scroller, .kind = K::ScrollBar, .place = {120, 4080, 5055, 255},
     .accessibleName = "Setting shown", .minimum = kFirstPosition, .maximum = kLastPosition},
    {.id = Combo1, .kind = K::List, .place = {120, 4440, 2055, 315},
     .accessibleName = "Go to setting", .items = kPaneListTexts},
    {.id = cmdRestore, .kind = K::Button, .caption = "Restore",
     .place = {2880, 4440, 1095, 375}},
    {.id = cmdClose, .kind = K::Button, .caption = "&Close",
     .place = {4080, 4440, 1095, 375}, .font = kSansSerif},
};
static_assert(IsTableInIdOrder(kControls));

constexpr WindowSpec<FormControl> kWindow{
    .name = "QuorvaneForm",
    .caption = kMainWindowDesignCaption,
    .clientWidth = 5325,
    .clientHeight = 4905,
    .font = kWindowFont,
    .start = StartPosition::CentredOnScreen,
    .icon = WindowIcon::Program,
};

}  // namespace

const WindowDesign<FormControl> kQuorvaneFormDesign{kWindow, kControls};

}  // namespace quorvane::ui
