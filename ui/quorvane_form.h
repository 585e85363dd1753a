// The main window: a header, eight stacked panes of which one is shown, and
// a footer with the pane list, the scroll bar, Restore and Close.
//
// Each handler serves one user event and stays thin: it hands the control
// values to the engine and copies the results back into the controls. The
// window keeps no state of its own besides its controls; the scroll position
// is the shown pane.
#pragma once

#include <QWidget>

#include "engine/first_run.h"
#include "engine/setting_apply.h"
#include "engine/user_dialogs.h"
#include "store/registry.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace quorvane::ui {

class LinkLabel;

class QuorvaneForm : public QWidget {
  Q_OBJECT

 public:
  // Builds the window from its design and runs Form_Load while the window
  // is still hidden. When startOutcome() then tells to exit, the window must
  // never be shown.
  QuorvaneForm(const store::Registry& registry, engine::UserDialogs& dialogs);

  engine::StartOutcome startOutcome() const { return startOutcome_; }

  // Makes the pane of a scroll position (1 to 8) the one shown; other
  // positions change nothing.
  void ShowPane(int position);
  // Reads every displayed setting afresh and shows it; never changes which
  // pane is shown, nor what the user typed.
  void RefreshCurrentValues();

  // The handlers, each of one event.
  void Form_Load();
  void scroller_Change();
  void Combo1_Click(int index);
  void Label37_Click();
  void cmd_Optimise_Click();
  void Setting1Apply_Click();
  void Setting2Apply_Click();
  void Setting3Apply_Click();
  void Session4Apply_Click();
  void Setting5Apply_Click();
  void Setting6Apply_Click();
  void Setting7Apply_Click();
  void cmdRestore_Click();
  void cmdClose_Click();

 private:
  template <typename Control>
  Control* Find(const char* name) const;
  void ConnectHandlers();
  void FillLists();
  void CentreOnScreen();
  void ApplyText(engine::TextPane pane, const QLineEdit* custom, QLabel* current);

  const store::Registry& registry_;
  engine::UserDialogs& dialogs_;
  engine::StartOutcome startOutcome_ = engine::StartOutcome::Continue;

  // The controls that handlers read or set, named as designed.
  QScrollBar* scroller;
  QComboBox* Combo1;
  QComboBox* Combo2;
  QWidget* panes_[8];
  QLabel* Setting1Current;
  QLabel* Setting2Current;
  QLabel* Setting3Current;
  QLabel* Setting4Current;
  QLabel* Setting6Current;
  QLineEdit* Setting1Custom;
  QLineEdit* Setting2Custom;
  QLineEdit* Setting3Custom;
  QLineEdit* Setting4Custom;
  QLineEdit* Setting6Custom;
  QCheckBox* Setting5Option1;
  QCheckBox* Setting5Option2;
  QCheckBox* Setting5Option3;
  QRadioButton* Setting7Option1;
  QRadioButton* Setting7Option2;
};

}  // namespace quorvane::ui
