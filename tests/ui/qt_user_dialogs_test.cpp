// The engine's message boxes as Qt shows them: title, text, buttons, default
// button and icon, and the answer handed back.
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "tests/ui/window_test_support.h"
#include "ui/qt_user_dialogs.h"

using quorvane::engine::Answer;
using quorvane::engine::Buttons;
using quorvane::engine::Icon;
using quorvane::engine::Message;
using quorvane::testing::WhenModalOpens;

class QtUserDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void yesNoBoxCarriesItsLookAndAnswers() {
    Message message;
    message.text = "First line.\r\nSecond line.";
    message.title = "Welcome to Quorvane";
    message.buttons = Buttons::YesNo;
    message.icon = Icon::Error;

    // Enter takes the default button, Yes; Escape and No answer No.
    const std::function<void(QMessageBox*)> answers[] = {
        [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Return); },
        [](QMessageBox* box) { QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton); },
        [](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); },
    };
    const Answer expected[] = {Answer::Yes, Answer::No, Answer::No};
    for (int i = 0; i < 3; ++i) {
      QMessageBox* seen = nullptr;
      QString title, text;
      QMessageBox::Icon icon = QMessageBox::NoIcon;
      bool yesIsDefault = false;
      QMessageBox::StandardButtons buttons;
      // Looked at while open, compared once answered: the box closes whatever it shows.
      WhenModalOpens([&](QWidget* window) {
        seen = qobject_cast<QMessageBox*>(window);
        title = seen->windowTitle();
        text = seen->text();
        icon = seen->icon();
        buttons = seen->standardButtons();
        yesIsDefault = seen->defaultButton() == seen->button(QMessageBox::Yes);
        answers[i](seen);
      });
      QCOMPARE(quorvane::ui::QtUserDialogs().Show(message), expected[i]);
      QVERIFY(seen);
      QVERIFY(yesIsDefault);
      QCOMPARE(title, QStringLiteral("Welcome to Quorvane"));
      QCOMPARE(text, QStringLiteral("First line.\nSecond line."));
      QCOMPARE(icon, QMessageBox::Critical);
      QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
    }
  }

  void okBoxWithoutTitleCarriesTheProgramsTitle() {
    Message message;
    message.text = "Restore Complete. Please Reboot your Computer.";
    QString title;
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons;
    WhenModalOpens([&](QWidget* window) {
      auto* box = qobject_cast<QMessageBox*>(window);
      title = box->windowTitle();
      icon = box->icon();
      buttons = box->standardButtons();
      QTest::keyClick(box, Qt::Key_Return);
    });
    QCOMPARE(quorvane::ui::QtUserDialogs().Show(message), Answer::Ok);
    QCOMPARE(title, QStringLiteral("Quorvane"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, QMessageBox::Ok);
  }
};

QTEST_MAIN(QtUserDialogsTest)
#include "qt_user_dialogs_test.moc"
