// The About and Finished windows' logic on an in-memory view: the version
// line, the links, and the buttons that close them.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "tests/ui/memory_view.h"
#include "ui/program_version.h"
#include "ui/quorvane_about.h"
#include "ui/quorvane_finished.h"
#include "ui/web_address_route.h"

namespace quorvane::testing {
namespace {

using ui::AboutControl;
using ui::FinishedControl;
using ui::ProgramVersion;

TEST(AboutWindowTest, VersionNumbersAreWrittenInFull) {
  EXPECT_EQ(ui::VersionLine(ProgramVersion{1, 10, 12}), "Version: 1.10 - Build 12");
  EXPECT_EQ(ui::MainWindowCaption(ProgramVersion{1, 10, 12}),
            "Quorvane Version 1.3 Final - Build 12");

  // This build's numbers, from the one place the build sets them (on
  // Windows, the executable's version resource carries the same).
  EXPECT_EQ(ui::RunningProgramVersion(), (ProgramVersion{1, 3, 0}));
  MemoryView<AboutControl> view(ui::kQuorvaneAboutDesign);
  ui::QuorvaneAbout about(view);
  about.Form_Load();
  EXPECT_EQ(view.Text(AboutControl::lblVersion), "Version: 1.3 - Build 0");
}

// A version resource as the resource compiler writes it, with file version
// 1.10.0.12, and the same cut short or spoilt: only a whole one is read.
TEST(AboutWindowTest, VersionIsReadOnlyFromAWholeVersionResource) {
  std::vector<unsigned char> resource(100);  // with a block after the fixed information
  const auto put = [](auto& bytes, std::size_t at, std::uint32_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) bytes[at + i] = (value >> (8 * i)) & 0xFF;
  };
  put(resource, 0, 100, 2);  // length, value's length
  put(resource, 2, 52, 2);
  for (std::size_t i = 0; i < 15; ++i) put(resource, 6 + 2 * i, "VS_VERSION_INFO"[i], 2);
  put(resource, 40, 0xFEEF04BD, 4);
  put(resource, 48, 1 << 16 | 10, 4);
  put(resource, 52, 12, 4);
  EXPECT_EQ(ui::FileVersionOfVersionResource(resource), (ProgramVersion{1, 10, 12}));
  EXPECT_EQ(ui::FileVersionOfVersionResource(std::span(resource).first(91)), std::nullopt);

  struct Spoilt {
    std::size_t at;
    std::uint32_t value, size;
  };
  for (const Spoilt& spoilt : {Spoilt{0, 101, 2}, {2, 50, 2}, {36, 'X', 2}, {40, 0, 4}}) {
    auto copy = resource;
    put(copy, spoilt.at, spoilt.value, spoilt.size);
    EXPECT_EQ(ui::FileVersionOfVersionResource(copy), std::nullopt) << "at " << spoilt.at;
  }
}

TEST(AboutWindowTest, EachLinkOpensTheMakersHomePageAtEveryClickAndOkCloses) {
  MemoryView<AboutControl> view(ui::kQuorvaneAboutDesign);
  ui::QuorvaneAbout about(view);
  about.Form_Load();
  EXPECT_EQ(view.Text(AboutControl::lblURL), "http://tessamont.example/");

  for (AboutControl link :
       {AboutControl::lblProduct, AboutControl::lblCopyright, AboutControl::lblURL}) {
    view.Click(about, link);
    view.Click(about, link);
  }
  // No other label, nor the icon or the shapes, opens anything.
  for (const auto& control : ui::kQuorvaneAboutDesign.controls) {
    if (control.kind != ui::ControlKind::LinkLabel && control.id != AboutControl::cmdOK) {
      view.Click(about, control.id);
    }
  }
  EXPECT_EQ(view.openedAddresses(), std::vector<std::string>(6, "http://tessamont.example/"));
  EXPECT_FALSE(view.closed());

  view.Click(about, AboutControl::cmdOK);
  EXPECT_TRUE(view.closed());
}

TEST(AboutWindowTest, LegalWarningIsSixLinesEachEndingInCrLf) {
  const std::string warning = ui::kLegalWarning;
  EXPECT_EQ(warning.size(), 301u);
  EXPECT_EQ(warning.substr(warning.size() - 2), "\r\n");
  std::size_t crlf = 0, cr = 0, lf = 0;
  for (std::size_t i = 0; i < warning.size(); ++i) {
    cr += warning[i] == '\r';
    lf += warning[i] == '\n';
    crlf += warning.compare(i, 2, "\r\n") == 0;
  }
  EXPECT_EQ((std::vector<std::size_t>{crlf, cr, lf}), (std::vector<std::size_t>{6, 6, 6}));
}

TEST(FinishedWindowTest, TheLinkOpensEachTimeAndCloseThisWindowCloses) {
  MemoryView<FinishedControl> view(ui::kQuorvaneFinishedDesign);
  ui::QuorvaneFinished finished(view);
  EXPECT_EQ(view.Caption(), "Quorvane");
  EXPECT_EQ(view.Text(FinishedControl::Label3), "http://speedtest.pennick.example/");

  view.Click(finished, FinishedControl::Label3);
  view.Click(finished, FinishedControl::Label3);
  view.Click(finished, FinishedControl::Label1);
  EXPECT_EQ(view.openedAddresses(),
            std::vector<std::string>(2, "http://speedtest.pennick.example/"));
  EXPECT_FALSE(view.closed());

  view.Click(finished, FinishedControl::CmdClose);
  EXPECT_TRUE(view.closed());
}

// Where a link's address goes: when the program runs elevated, to the
// desktop's shell while one answers; otherwise to the shell from the
// program itself. Each address goes over once, unchanged, the empty one too.
TEST(WebAddressRouteTest, ElevatedTheDesktopShellOpensTheAddressWhileOneAnswers) {
  struct Shells final : ui::WebAddressShells {
    Shells(bool elevated, bool desktopAnswers)
        : elevated(elevated), desktopAnswers(desktopAnswers) {}
    bool elevated, desktopAnswers;
    std::vector<std::string> desktop, program;
    bool Elevated() const override { return elevated; }
    bool OpenThroughDesktopShell(const std::string& address) override {
      if (desktopAnswers) desktop.push_back(address);
      return desktopAnswers;
    }
    void OpenThroughProgramShell(const std::string& address) override {
      program.push_back(address);
    }
  };
  const std::vector<std::string> addresses{"http://tessamont.example/", ""}, none;
  for (const auto& [elevated, answers, throughDesktop] : {std::tuple{true, true, true},
                                                          {true, false, false},
                                                          {false, true, false},
                                                          {false, false, false}}) {
    Shells shells(elevated, answers);
    for (const std::string& address : addresses) ui::OpenAsLoggedOnUser(shells, address);
    EXPECT_EQ(shells.desktop, throughDesktop ? addresses : none) << elevated << answers;
    EXPECT_EQ(shells.program, throughDesktop ? none : addresses) << elevated << answers;
  }
}

}  // namespace
}  // namespace quorvane::testing
