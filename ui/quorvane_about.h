// The About window: product name, version line, the maker's links.
#pragma once

#include <QDialog>

class QPushButton;

namespace quorvane::ui {

// Builds the About window afresh from its design, shows it modally without
// an owner window and returns when the user has closed it.
void ShowAboutWindow();

// The About window itself. Each instance is built from the design table and
// has run Form_Load when the constructor returns; nothing carries over from
// one instance to the next.
class QuorvaneAbout : public QDialog {
  Q_OBJECT

 public:
  QuorvaneAbout();

 protected:
  // Enter and Escape act as a click on cmdOK wherever the focus is.
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void cmdOK_Click();
  void lblProduct_Click();
  void lblCopyright_Click();
  void lblURL_Click();

 private:
  void Form_Load();
  // Opens the address that the named link label carries in its Tag now.
  void OpenAddressInTag(const char* labelName);

  QPushButton* cmdOK_ = nullptr;
};

}  // namespace quorvane::ui
