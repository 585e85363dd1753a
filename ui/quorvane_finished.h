// The small window that confirms a quick optimise and offers the speed-test
// site as a link. Each opening builds it afresh from its design.
#pragma once

#include <QDialog>

class QKeyEvent;

namespace quorvane::ui {

class QuorvaneFinished : public QDialog {
  Q_OBJECT

 public:
  // Built without an owner window; exec() shows it modally, with the focus
  // on CmdClose, and returns once it is closed.
  QuorvaneFinished();

  void CmdClose_Click();
  void Label3_Click();

 protected:
  // Escape does nothing: the window has no cancel button.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quorvane::ui
