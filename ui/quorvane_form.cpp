#include "ui/quorvane_form.h"

#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <stdexcept>
#include <string>

#include "engine/current_values.h"
#include "engine/quick_optimise.h"
#include "engine/restore.h"
#include "ui/control_table.h"
#include "ui/link_label.h"
#include "ui/program_icons.h"
#include "ui/program_version.h"
#include "ui/quorvane_about.h"
#include "ui/quorvane_form_design.h"
#include "ui/web_addresses.h"

namespace quorvane::ui {
namespace {

// The warning behind "ADSL Information"; the article's address follows it.
constexpr const char* kAdslWarning =
    "If you set your MTU over 1492 you run the risk of an unhappy Router locking you out. Please "
    "see this page: ";

// The buttons and the handler that serves each one's click.
struct ButtonHandler {
  const char* button;
  void (QuorvaneForm::*handler)();
};
constexpr ButtonHandler kButtonHandlers[] = {
    {"cmd_Optimise", &QuorvaneForm::cmd_Optimise_Click},
    {"Setting1Apply", &QuorvaneForm::Setting1Apply_Click},
    {"Setting2Apply", &QuorvaneForm::Setting2Apply_Click},
    {"Setting3Apply", &QuorvaneForm::Setting3Apply_Click},
    {"Session4Apply", &QuorvaneForm::Session4Apply_Click},
    {"Setting5Apply", &QuorvaneForm::Setting5Apply_Click},
    {"Setting6Apply", &QuorvaneForm::Setting6Apply_Click},
    {"Setting7Apply", &QuorvaneForm::Setting7Apply_Click},
    {"cmdRestore", &QuorvaneForm::cmdRestore_Click},
    {"cmdClose", &QuorvaneForm::cmdClose_Click},
};

// A check box's value as the operations count it: 0 cleared, 1 ticked,
// 2 greyed.
int BoxValue(const QCheckBox* box) {
  switch (box->checkState()) {
    case Qt::Unchecked:
      return 0;
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
  }
  return 0;
}

void SetBoxValue(QCheckBox* box, int value) {
  box->setCheckState(value == 0 ? Qt::Unchecked
                                : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
}

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

QuorvaneForm::QuorvaneForm(const store::Registry& registry, engine::UserDialogs& dialogs)
    : registry_(registry), dialogs_(dialogs) {
  setObjectName(QStringLiteral("QuorvaneForm"));
  // A fixed window with a close box only.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setWindowIcon(ProgramIcon());
  BuildWindow(*this, kQuorvaneFormWindow, kQuorvaneFormControls);

  scroller = Find<QScrollBar>("scroller");
  Combo1 = Find<QComboBox>("Combo1");
  Combo2 = Find<QComboBox>("Combo2");
  for (std::size_t i = 0; i < kPanesByPosition.size(); ++i) {
    panes_[i] = Find<QWidget>(kPanesByPosition[i]);
  }
  Setting1Current = Find<QLabel>("Setting1Current");
  Setting2Current = Find<QLabel>("Setting2Current");
  Setting3Current = Find<QLabel>("Setting3Current");
  Setting4Current = Find<QLabel>("Setting4Current");
  Setting6Current = Find<QLabel>("Setting6Current");
  Setting1Custom = Find<QLineEdit>("Setting1Custom");
  Setting2Custom = Find<QLineEdit>("Setting2Custom");
  Setting3Custom = Find<QLineEdit>("Setting3Custom");
  Setting4Custom = Find<QLineEdit>("Setting4Custom");
  Setting6Custom = Find<QLineEdit>("Setting6Custom");
  Setting5Option1 = Find<QCheckBox>("Setting5Option1");
  Setting5Option2 = Find<QCheckBox>("Setting5Option2");
  Setting5Option3 = Find<QCheckBox>("Setting5Option3");
  Setting7Option1 = Find<QRadioButton>("Setting7Option1");
  Setting7Option2 = Find<QRadioButton>("Setting7Option2");

  // One step per position, whether an arrow or the trough is clicked; the
  // change is reported only once the thumb is released.
  scroller->setRange(kFirstPosition, kLastPosition);
  scroller->setSingleStep(1);
  scroller->setPageStep(1);
  scroller->setTracking(false);
  scroller->setValue(kFirstPosition);
  // The arrow keys step through the panes too.
  scroller->setFocusPolicy(Qt::StrongFocus);

  // The welcome pane is the one shown at start.
  for (QWidget* pane : panes_) pane->setVisible(pane == panes_[0]);

  FillLists();
  ConnectHandlers();
  CentreOnScreen();
  Form_Load();
}

template <typename Control>
Control* QuorvaneForm::Find(const char* name) const {
  auto* control = findChild<Control*>(QString::fromLatin1(name));
  if (!control) throw std::logic_error(std::string("the design lacks ") + name);
  return control;
}

void QuorvaneForm::FillLists() {
  for (const PaneListItem& item : kPaneListItems) Combo1->addItem(QString::fromUtf8(item.text));
  for (const char* type : engine::kConnectionTypes) Combo2->addItem(QString::fromUtf8(type));
  // Both start with an empty field.
  Combo1->setCurrentIndex(-1);
  Combo2->setCurrentIndex(-1);
}

void QuorvaneForm::ConnectHandlers() {
  for (const ButtonHandler& entry : kButtonHandlers) {
    connect(Find<QPushButton>(entry.button), &QPushButton::clicked, this,
            [this, handler = entry.handler] { (this->*handler)(); });
  }
  connect(scroller, &QScrollBar::valueChanged, this, [this] { scroller_Change(); });
  // activated: an item chosen by the user, also the one already shown.
  connect(Combo1, &QComboBox::activated, this, [this](int index) { Combo1_Click(index); });
  connect(Find<LinkLabel>("Label37"), &LinkLabel::clicked, this, [this] { Label37_Click(); });
}

void QuorvaneForm::CentreOnScreen() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void QuorvaneForm::Form_Load() {
  startOutcome_ = engine::RunFirstRunBlock(registry_, dialogs_);
  if (startOutcome_ != engine::StartOutcome::Continue) return;
  RefreshCurrentValues();
  setWindowTitle(Text(MainWindowCaption(RunningProgramVersion())));
}

void QuorvaneForm::ShowPane(int position) {
  if (position < kFirstPosition || position > kLastPosition) return;
  for (int i = 0; i < static_cast<int>(kPanesByPosition.size()); ++i) {
    panes_[i]->setVisible(i == position - kFirstPosition);
  }
}

void QuorvaneForm::RefreshCurrentValues() {
  const engine::CurrentValues values = engine::ReadCurrentValues(registry_);
  Setting1Current->setText(Text(values.mtuCaption));
  Setting2Current->setText(Text(values.receiveWindowCaption));
  Setting3Current->setText(Text(values.timeToLiveCaption));
  Setting4Current->setText(Text(values.keepAliveCaption));
  Setting6Current->setText(Text(values.ndiCacheCaption));
  SetBoxValue(Setting5Option1, values.flags.autoDiscovery);
  SetBoxValue(Setting5Option2, values.flags.blackHoleDetect);
  SetBoxValue(Setting5Option3, values.flags.selectiveAcks);
  // Selecting one option button clears the other.
  (values.taskOffloadEnabled ? Setting7Option1 : Setting7Option2)->setChecked(true);
}

void QuorvaneForm::scroller_Change() {
  ShowPane(scroller->value());
  RefreshCurrentValues();
}

void QuorvaneForm::Combo1_Click(int index) {
  const QString chosen = Combo1->itemText(index);
  for (const PaneListItem& item : kPaneListItems) {
    if (chosen != QString::fromUtf8(item.text)) continue;
    if (item.position == kNoPane) {
      // "About": no pane changes and nothing is read.
      ShowAboutWindow();
      return;
    }
    // Runs scroller_Change to its end first, when the position changes.
    scroller->setValue(item.position);
    if (item.position == kMtuPosition) {
      Setting1Current->setText(Text(engine::ReadMtuCaptionForList(registry_)));
    }
    return;
  }
}

void QuorvaneForm::Label37_Click() {
  engine::Message warning;
  warning.text = std::string(kAdslWarning) + kAdslArticle;
  warning.title = engine::kProgramTitle;
  dialogs_.Show(warning);
}

void QuorvaneForm::cmd_Optimise_Click() {
  const std::string selected =
      Combo2->currentIndex() < 0 ? std::string() : Combo2->currentText().toStdString();
  engine::QuickOptimise(registry_, dialogs_, selected);
}

void QuorvaneForm::ApplyText(engine::TextPane pane, const QLineEdit* custom, QLabel* current) {
  current->setText(Text(engine::ApplyTextPane(registry_, pane, custom->text().toStdString())));
}

void QuorvaneForm::Setting1Apply_Click() {
  ApplyText(engine::TextPane::Mtu, Setting1Custom, Setting1Current);
}

void QuorvaneForm::Setting2Apply_Click() {
  ApplyText(engine::TextPane::ReceiveWindow, Setting2Custom, Setting2Current);
}

void QuorvaneForm::Setting3Apply_Click() {
  ApplyText(engine::TextPane::TimeToLive, Setting3Custom, Setting3Current);
}

void QuorvaneForm::Session4Apply_Click() {
  ApplyText(engine::TextPane::KeepAlive, Setting4Custom, Setting4Current);
}

void QuorvaneForm::Setting5Apply_Click() {
  const engine::PathMtuFlags shown = engine::ApplyPathMtu(
      registry_, {BoxValue(Setting5Option1), BoxValue(Setting5Option2), BoxValue(Setting5Option3)});
  SetBoxValue(Setting5Option1, shown.autoDiscovery);
  SetBoxValue(Setting5Option2, shown.blackHoleDetect);
  SetBoxValue(Setting5Option3, shown.selectiveAcks);
}

void QuorvaneForm::Setting6Apply_Click() {
  ApplyText(engine::TextPane::NdiCache, Setting6Custom, Setting6Current);
}

void QuorvaneForm::Setting7Apply_Click() {
  const bool enabled = engine::ApplyTaskOffload(registry_, Setting7Option1->isChecked());
  (enabled ? Setting7Option1 : Setting7Option2)->setChecked(true);
}

void QuorvaneForm::cmdRestore_Click() { engine::RestoreFromBackup(registry_, dialogs_); }

void QuorvaneForm::cmdClose_Click() {
  // Ends the program at once: every window closes and the event loop stops
  // before any further handler runs.
  QApplication::closeAllWindows();
  QCoreApplication::exit(0);
}

}  // namespace quorvane::ui
