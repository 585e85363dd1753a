#include "ui/qt/qt_user_dialogs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include "ui/qt/program_windows.h"
#include "ui/qt/window_palette.h"

namespace quorvane::ui {
namespace {

QMessageBox::Icon IconOf(engine::Icon icon) {
  switch (icon) {
    case engine::Icon::Error:
      return QMessageBox::Critical;
    case engine::Icon::Information:
      return QMessageBox::Information;
    case engine::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// The messages break their lines with CR LF, as Windows draws them; a Qt box
// wants LF alone.
QString DisplayText(const std::string& text) {
  return QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

engine::Answer QtUserDialogs::Show(const engine::Message& message) {
  const bool asks = message.buttons == engine::Buttons::YesNo;
  QMessageBox box(IconOf(message.icon),
                  QString::fromStdString(message.title.empty() ? engine::kProgramTitle
                                                               : message.title),
                  DisplayText(message.text),
                  asks ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  // Black text on the box's own light background, whatever the desktop's.
  box.setPalette(DesignPalette());
  if (asks) {
    box.setDefaultButton(message.defaultButton == 2 ? QMessageBox::No : QMessageBox::Yes);
  } else {
    box.setDefaultButton(QMessageBox::Ok);
  }
  const int pressed = box.exec();
  if (!asks) return engine::Answer::Ok;
  return pressed == QMessageBox::Yes ? engine::Answer::Yes : engine::Answer::No;
}

void QtUserDialogs::ShowFinished() { ShowFinishedWindow(); }

void QtUserDialogs::ShowBusy(bool busy) {
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // The handler keeps the event loop waiting: draw the cursor now.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

}  // namespace quorvane::ui
