#include "ui/platform_toolkit.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <optional>

#include "ui/message_box_keys.h"
#include "ui/qt/qt_window.h"
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

// Keeps Escape and the close box from a box that they do not answer.
class AnsweredByButtonsOnly final : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
      return true;
    }
    if (event->type() == QEvent::Close) {
      event->ignore();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

std::unique_ptr<WindowCore> PlatformToolkit::MakeWindow(const DesignRows& design,
                                                        CoreReports& reports, WindowCore* owner) {
  return MakeQtWindowCore(design, reports, owner);
}

engine::Answer PlatformToolkit::ShowMessage(const engine::Message& message, WindowCore* owner) {
  const bool asks = message.buttons == engine::Buttons::YesNo;
  QMessageBox box(IconOf(message.icon), QString::fromStdString(message.ShownTitle()),
                  DisplayText(message.text),
                  asks ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
                  owner ? &WidgetOf(*owner) : nullptr);
  box.setTextFormat(Qt::PlainText);
  // Black text on the box's own light background, whatever the desktop's.
  box.setPalette(DesignPalette());
  if (asks) {
    box.setDefaultButton(message.defaultButton == 2 ? QMessageBox::No : QMessageBox::Yes);
  } else {
    box.setDefaultButton(QMessageBox::Ok);
  }
  AnsweredByButtonsOnly buttonsOnly;
  if (!EscapeAnswers(message)) {
    box.setWindowFlag(Qt::WindowCloseButtonHint, false);
    box.installEventFilter(&buttonsOnly);
  }
  const int pressed = box.exec();
  return AnswerOf(message, pressed == QMessageBox::Yes  ? std::optional(engine::Answer::Yes)
                           : pressed == QMessageBox::No ? std::optional(engine::Answer::No)
                                                        : std::nullopt);
}

void PlatformToolkit::ShowBusy(bool busy) {
  if (busy) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // The handler keeps the event loop waiting: draw the cursor now.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  } else {
    QGuiApplication::restoreOverrideCursor();
  }
}

}  // namespace quorvane::ui
