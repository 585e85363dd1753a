#include "ui/quorvane_finished.h"

#include <QKeyEvent>
#include <QPushButton>
#include <array>

#include "engine/user_dialogs.h"
#include "ui/control_table.h"
#include "ui/link_label.h"
#include "ui/open_web_address.h"
#include "ui/program_icons.h"
#include "ui/web_addresses.h"

namespace quorvane::ui {
namespace {

using K = ControlKind;

const WindowSpec kFinishedWindow{4680, 3090, {Face::Tahoma, 8.25}, kWhite};

// Label3's caption is the address it opens, set where the window is built.
const std::array<ControlSpec, 4> kFinishedControls = {{
    {"Label1", K::Label, nullptr, "Your Internet Settings Are Now Optimised!",
     {120, 120, 4455, 735}, {Face::Tahoma, 14.25, true}, kCentred},
    {"Label2", K::Label, nullptr,
     "To test your new settings, why not try the Broadband Speed Tester by Pennick, by clicking "
     "the link below.",
     {120, 960, 4455, 735}, {Face::Tahoma, 9.75}, kCentred},
    {"Label3", K::LinkLabel, nullptr, kSpeedTestSite, {120, 1920, 4455, 255}, {Face::Tahoma, 9.75},
     kCentred | kBlueText},
    {"CmdClose", K::Button, nullptr, "Close This Window", {1320, 2520, 2055, 375},
     {Face::Tahoma, 9.75, true}},
}};

}  // namespace

QuorvaneFinished::QuorvaneFinished() {
  setObjectName(QStringLiteral("QuorvaneFinished"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle(QString::fromUtf8(engine::kProgramTitle));
  setWindowIcon(FinishedIcon());
  BuildWindow(*this, kFinishedWindow, kFinishedControls);

  auto* close = findChild<QPushButton*>(QStringLiteral("CmdClose"));
  connect(close, &QPushButton::clicked, this, [this] { CmdClose_Click(); });
  connect(findChild<LinkLabel*>(QStringLiteral("Label3")), &LinkLabel::clicked, this,
          [this] { Label3_Click(); });
  // The only control that takes the focus; Enter and Space press it.
  close->setFocus();
}

void QuorvaneFinished::CmdClose_Click() { accept(); }

void QuorvaneFinished::Label3_Click() { OpenWebAddress(this, kSpeedTestSite); }

void QuorvaneFinished::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace quorvane::ui
