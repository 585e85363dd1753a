#include "ui/quorvane_about.h"

#include "ui/program_version.h"

namespace quorvane::ui {
namespace {

using enum AboutControl;

constexpr EventBinding<QuorvaneAbout> kEvents[] = {
    {cmdOK, Event::Click, &QuorvaneAbout::cmdOK_Click},
    {lblProduct, Event::Click, &QuorvaneAbout::lblProduct_Click},
    {lblCopyright, Event::Click, &QuorvaneAbout::lblCopyright_Click},
    {lblURL, Event::Click, &QuorvaneAbout::lblURL_Click},
};

}  // namespace

std::span<const EventBinding<QuorvaneAbout>> QuorvaneAbout::Events() { return kEvents; }

void QuorvaneAbout::Form_Load() {
  view_.SetText(lblVersion, VersionLine(RunningProgramVersion()));
}

void QuorvaneAbout::cmdOK_Click() { view_.Close(); }

void QuorvaneAbout::lblProduct_Click() { OpenAddressInTag(lblProduct); }
void QuorvaneAbout::lblCopyright_Click() { OpenAddressInTag(lblCopyright); }
void QuorvaneAbout::lblURL_Click() { OpenAddressInTag(lblURL); }

void QuorvaneAbout::OpenAddressInTag(AboutControl label) {
  view_.OpenWebAddress(kQuorvaneAboutDesign[label].tag);
}

}  // namespace quorvane::ui
