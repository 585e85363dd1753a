#include "ui/quorvane_about_design.h"

#include "ui/web_addresses.h"

namespace quorvane::ui::about {

namespace {

constexpr FontSpec kTahoma{Face::Tahoma, 8.25};
constexpr FontSpec kTahomaLink{Face::Tahoma, 8.25, false, true};
constexpr Rgb kBlack{0, 0, 0};

// Six lines of 46 to 50 characters, each short enough to fit the box's width
// unwrapped: 301 characters with their line ends.
constexpr const char kLegalWarningText[] =
    "Warning: this computer program is protected by\r\n"
    "copyright law and by international treaties. Any\r\n"
    "unauthorised reproduction or distribution of this\r\n"
    "program, or of any portion of it, may result in\r\n"
    "severe civil and criminal penalties, and shall be\r\n"
    "prosecuted to the maximum extent permitted by law.\r\n";

constexpr Control kControls[] = {
    // Shapes, the icon on its square, the bars and the etched separator.
    {.name = "shpRect(1)", .kind = Kind::Rectangle, .place = {180, 180, 855, 855},
     .fill = Rgb{255, 128, 128}, .border = kBlack},
    {.name = "imgIcon", .kind = Kind::Image, .place = {360, 360, 480, 480},
     .accessibleName = "Quorvane icon"},
    {.name = "shpRect(2)", .kind = Kind::Rectangle, .place = {5040, 120, 555, 615},
     .fill = Rgb{192, 192, 255}},
    {.name = "shpRect(0)", .kind = Kind::Rectangle, .place = {4800, 540, 615, 675},
     .border = Rgb{255, 192, 255}},
    {.name = "Label1", .kind = Kind::Bar, .place = {1080, 240, 3876, 536},
     .fill = Rgb{255, 192, 128}},
    {.name = "lblInfo(4)", .kind = Kind::Bar, .place = {1080, 780, 3885, 225},
     .fill = Rgb{128, 255, 128}},
    {.name = "lblDescription", .kind = Kind::Bar, .place = {1080, 960, 3885, 690},
     .fill = Rgb{255, 255, 192}},
    {.name = "Line1(1)", .kind = Kind::Line, .place = {1080, 1845, 5655 - 1080, 15},
     .fill = Rgb{192, 192, 192}},
    {.name = "Line1(0)", .kind = Kind::Line, .place = {105, 1860, 5654 - 105, 30},
     .fill = Rgb{255, 255, 255}},

    // The texts, over the bars.
    {.name = "lblDotLine(1)", .kind = Kind::Label, .place = {3090, 255, 2475, 495},
     .text = ".......", .font = {Face::TimesNewRoman, 24}, .rightAligned = true},
    {.name = "lblDotLine(0)", .kind = Kind::Label, .place = {60, 840, 2115, 735},
     .text = "......", .font = {Face::TimesNewRoman, 36}},
    {.name = "lblTitle", .kind = Kind::Label, .place = {960, 240, 3945, 480},
     .text = "  Tessamont New Media", .font = {Face::Tahoma, 18}},
    {.name = "lblInfo(1)", .kind = Kind::Label, .place = {1320, 960, 3435, 855},
     .text = "Quorvane", .font = {Face::Tahoma, 27.75, true}},
    {.name = "lblVersion", .kind = Kind::Label, .place = {1080, 1920, 2010, 225}},
    {.name = "lblProduct", .kind = Kind::LinkLabel, .place = {1080, 2160, 1275, 195},
     .text = "Tessamont Online", .font = kTahomaLink, .tag = kMakerHomePage},
    {.name = "Label2", .kind = Kind::Label, .place = {1080, 2520, 4455, 855},
     .text = "Created due to an Overdose of Turkey and annoyance of someone charging $49 for "
             "the same thing...",
     .wraps = true},
    {.name = "lblCopyright", .kind = Kind::LinkLabel, .place = {1080, 4200, 3255, 195},
     .text = "Copyright \u00a9 Tessamont New Media", .font = kTahomaLink,
     .tag = kMakerHomePage},
    {.name = "lblURL", .kind = Kind::LinkLabel, .place = {1080, 4440, 2175, 195},
     .text = kMakerHomePage, .font = kTahomaLink, .tag = kMakerHomePage},

    // The two controls that take the focus.
    {.name = "txtSpecialCopyright", .kind = Kind::TextBox, .place = {1080, 3480, 4455, 675},
     .text = kLegalWarningText, .tabIndex = 12, .accessibleName = "Legal warning"},
    {.name = "cmdOK", .kind = Kind::Button, .place = {4200, 4320, 1260, 345}, .text = "OK",
     .tabIndex = 0},
};

}  // namespace

const Window kWindow{"About Quorvane", 5625, 4815, {255, 255, 255}, kTahoma};

const char* const kLegalWarning = kLegalWarningText;

std::span<const Control> Controls() { return kControls; }

}  // namespace quorvane::ui::about
