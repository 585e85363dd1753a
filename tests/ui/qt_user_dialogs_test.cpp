// The engine's message boxes as Qt shows them: title, text, buttons, default
// button and icon, and the answer handed back.
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <utility>

#include "tests/ui/window_test_support.h"
#include "ui/platform_toolkit.h"

using quorvane::engine::Answer;
using quorvane::engine::Buttons;
using quorvane::engine::Icon;
using quorvane::engine::Message;

namespace {

// A box as it looked while open: it closes whatever it shows.
struct Look {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::Information;  // one the engine never asks for
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Shows the message, notes the box's look and answers it with act.
std::pair<Answer, Look> ShowAndAnswer(const Message& message,
                                      const std::function<void(QMessageBox*)>& act) {
  Look look;
  quorvane::testing::WhenModalOpens([&](QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    if (!box) qFatal("the modal window is not a message box");
    look = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
            box->standardButton(box->defaultButton())};
    act(box);
  });
  const Answer answer = quorvane::testing::Toolkit().ShowMessage(message, nullptr);
  return {answer, look};
}

void PressEnter(QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); }

}  // namespace

class QtUserDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void yesNoBoxCarriesItsLookAndAnswers() {
    Message message;
    message.text = "First line.\r\nSecond line.";
    message.title = "Welcome to Quorvane";
    message.buttons = Buttons::YesNo;
    message.icon = Icon::Error;

    // Enter takes the default button, Yes; No answers No. Escape and the
    // close box do nothing, as on Windows' own box: only a button answers
    // (else Escape on the first-run disclaimer would answer for the user).
    bool openAfterEscapeAndClose = false;
    const std::pair<std::function<void(QMessageBox*)>, Answer> answers[] = {
        {PressEnter, Answer::Yes},
        {[](QMessageBox* box) { QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton); },
         Answer::No},
        {[&](QMessageBox* box) {
           QTest::keyClick(box, Qt::Key_Escape);
           box->close();
           openAfterEscapeAndClose = box->isVisible();
           PressEnter(box);
         },
         Answer::Yes},
    };
    for (const auto& [act, expected] : answers) {
      const auto [answer, look] = ShowAndAnswer(message, act);
      QCOMPARE(answer, expected);
      QCOMPARE(look.title, QStringLiteral("Welcome to Quorvane"));
      QCOMPARE(look.text, QStringLiteral("First line.\nSecond line."));
      QCOMPARE(look.icon, QMessageBox::Critical);
      QCOMPARE(look.buttons, QMessageBox::Yes | QMessageBox::No);
      QCOMPARE(look.defaultButton, QMessageBox::Yes);
    }
    QVERIFY(openAfterEscapeAndClose);
  }

  void okBoxWithoutTitleCarriesTheProgramsTitle() {
    Message message;
    message.text = "Restore Complete. Please Reboot your Computer.";
    const auto [answer, look] = ShowAndAnswer(message, PressEnter);
    QCOMPARE(answer, Answer::Ok);
    // Escape answers an OK box.
    QCOMPARE(ShowAndAnswer(message, [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); })
                 .first,
             Answer::Ok);
    QCOMPARE(look.title, QStringLiteral("Quorvane"));
    QCOMPARE(look.text, QString::fromStdString(message.text));
    QCOMPARE(look.icon, QMessageBox::NoIcon);
    QCOMPARE(look.buttons, QMessageBox::Ok);
  }
};

QTEST_MAIN(QtUserDialogsTest)
#include "qt_user_dialogs_test.moc"
