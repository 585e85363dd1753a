#include "ui/quorvane_about_design.h"

#include "ui/web_addresses.h"

namespace quorvane::ui {
namespace {

using enum AboutControl;
using K = ControlKind;

constexpr FontSpec kTahoma{Face::Tahoma, 8.25};
constexpr FontSpec kTahomaLink{Face::Tahoma, 8.25, false, true};

// Six lines of 46 to 50 characters, each short enough to fit the box's width
// unwrapped: 301 characters with their line ends.
constexpr const char kLegalWarningText[] =
    "Warning: this computer program is protected by\r\n"
    "copyright law and by international treaties. Any\r\n"
    "unauthorised reproduction or distribution of this\r\n"
    "program, or of any portion of it, may result in\r\n"
    "severe civil and criminal penalties, and shall be\r\n"
    "prosecuted to the maximum extent permitted by law.\r\n";

constexpr ControlSpec<AboutControl> kControls[] = {
    {.id = shpRect_1, .kind = K::Rectangle, .place = {180, 180, 855, 855},
     .fill = Rgb{255, 128, 128}, .border = kBlackColour},
    {.id = imgIcon, .kind = K::Image, .place = {360, 360, 480, 480},
     .accessibleName = "Quorvane icon"},
    {.id = shpRect_2, .kind = K::Rectangle, .place = {5040, 120, 555, 615},
     .fill = Rgb{192, 192, 255}},
    {.id = shpRect_0, .kind = K::Rectangle, .place = {4800, 540, 615, 675},
     .border = Rgb{255, 192, 255}},
    {.id = Label1, .kind = K::Bar, .place = {1080, 240, 3876, 536},
     .fill = Rgb{255, 192, 128}},
    {.id = lblInfo_4, .kind = K::Bar, .place = {1080, 780, 3885, 225},
     .fill = Rgb{128, 255, 128}},
    {.id = lblDescription, .kind = K::Bar,
     .place = {1080, 960, 3885, 690}, .fill = Rgb{255, 255, 192}},
    {.id = Line1_1, .kind = K::Line, .place = {1080, 1845, 5655 - 1080, 15},
     .fill = Rgb{192, 192, 192}},
    {.id = Line1_0, .kind = K::Line, .place = {105, 1860, 5654 - 105, 30},
     .fill = kWhiteColour},

    {.id = lblDotLine_1, .kind = K::Label, .caption = ".......",
     .place = {3090, 255, 2475, 495}, .font = {Face::TimesNewRoman, 24},
     .look = kRightAligned | kSingleLine},
    {.id = lblDotLine_0, .kind = K::Label, .caption = "......",
     .place = {60, 840, 2115, 735}, .font = {Face::TimesNewRoman, 36}, .look = kSingleLine},
    {.id = lblTitle, .kind = K::Label, .caption = "  Tessamont New Media",
     .place = {960, 240, 3945, 480}, .font = {Face::Tahoma, 18}, .look = kSingleLine},
    {.id = lblInfo_1, .kind = K::Label, .caption = "Quorvane",
     .place = {1320, 960, 3435, 855}, .font = {Face::Tahoma, 27.75, true}, .look = kSingleLine},
    {.id = lblVersion, .kind = K::Label, .place = {1080, 1920, 2010, 225},
     .look = kSingleLine},
    {.id = lblProduct, .kind = K::LinkLabel, .caption = "Tessamont Online",
     .place = {1080, 2160, 1275, 195}, .font = kTahomaLink, .look = kSingleLine,
     .tag = kMakerHomePage},
    {.id = Label2, .kind = K::Label,
     .caption = "Created due to an Overdose of Turkey and annoyance of someone charging $49 for "
                "the same thing...",
     .place = {1080, 2520, 4455, 855}},
    {.id = lblCopyright, .kind = K::LinkLabel,
     .caption = "Copyright \u00a9 Tessamont New Media", .place = {1080, 4200, 3255, 195},
     .font = kTahomaLink, .look = kSingleLine, .tag = kMakerHomePage},
    {.id = lblURL, .kind = K::LinkLabel, .caption = kMakerHomePage,
     .place = {1080, 4440, 2175, 195}, .font = kTahomaLink, .look = kSingleLine,
     .tag = kMakerHomePage},

    {.id = txtSpecialCopyright, .kind = K::MultiLineBox,
     .caption = kLegalWarningText, .place = {1080, 3480, 4455, 675},
     .accessibleName = "Legal warning"},
    {.id = cmdOK, .kind = K::Button, .caption = "OK",
     .place = {4200, 4320, 1260, 345}},
};
static_assert(IsTableInIdOrder(kControls));

// cmdOK is both the default and the cancel button: Enter and Escape click it
// wherever the focus is.
constexpr WindowSpec<AboutControl> kWindow{
    .name = "QuorvaneAbout",
    .caption = "About Quorvane",
    .clientWidth = 5625,
    .clientHeight = 4815,
    .font = kTahoma,
    .start = StartPosition::CentredOnScreen,
    .icon = WindowIcon::None,
    .defaultButton = cmdOK,
    .cancelButton = cmdOK,
    .firstFocus = cmdOK,
};

}  // namespace

const WindowDesign<AboutControl> kQuorvaneAboutDesign{kWindow, kControls};

const char* const kLegalWarning = kLegalWarningText;

}  // namespace quorvane::ui
