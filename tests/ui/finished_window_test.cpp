// The Finished window as the engine opens it: modal, without an owner,
// rebuilt at each opening, its keys and its link.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "tests/ui/window_test_support.h"
#include "ui/program_fonts.h"
#include "ui/qt_user_dialogs.h"

using quorvane::testing::WhenModalOpens;

namespace {

QPushButton* CloseButton(QWidget* window) {
  return window->findChild<QPushButton*>(QStringLiteral("CmdClose"));
}

}  // namespace

class FinishedWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { quorvane::ui::RegisterProgramFonts(); }

  void opensModallyWithoutOwnerAndEnterCloses() {
    quorvane::ui::QtUserDialogs dialogs;
    for (int opening = 0; opening < 2; ++opening) {  // the second: built afresh, the same
      // Looked at while open, compared once closed: the window closes whatever it shows.
      QWidget* owner = nullptr;
      Qt::WindowModality modality = Qt::NonModal;
      Qt::WindowFlags flags;
      QStringList texts;  // title and heading
      QList<QSize> sizes;  // size, minimum, maximum
      bool focusOnClose = false;
      WhenModalOpens([&](QWidget* window) {
        owner = window->parentWidget();
        modality = window->windowModality();
        flags = window->windowFlags();
        texts = {window->windowTitle(), window->findChild<QLabel*>(QStringLiteral("Label1"))->text()};
        sizes = {window->size(), window->minimumSize(), window->maximumSize()};
        focusOnClose = window->focusWidget() == CloseButton(window);
        QTest::keyClick(window->focusWidget(), Qt::Key_Return);
      });
      dialogs.ShowFinished();  // returns once the window is closed

      QCOMPARE(owner, nullptr);
      QCOMPARE(modality, Qt::ApplicationModal);
      QCOMPARE(texts, (QStringList{QStringLiteral("Quorvane"),
                                   QStringLiteral("Your Internet Settings Are Now Optimised!")}));
      QCOMPARE(sizes, (QList<QSize>(3, QSize(312, 206))));
      QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
      QVERIFY(focusOnClose);
    }
  }

  void escapeDoesNothingAndTheLinkOpensEachTime() {
    quorvane::testing::AddressRecorder recorder;
    QWidget* shown = nullptr;
    bool openAfterEscape = false;
    bool openAfterLinks = false;
    WhenModalOpens([&](QWidget* window) {
      shown = window;
      QTest::keyClick(window->focusWidget(), Qt::Key_Escape);
      openAfterEscape = window->isVisible();
      auto* link = window->findChild<QLabel*>(QStringLiteral("Label3"));
      QTest::mouseClick(link, Qt::LeftButton);
      QTest::mouseClick(link, Qt::LeftButton);
      openAfterLinks = window->isVisible();
      QTest::mouseClick(CloseButton(window), Qt::LeftButton);
    });
    quorvane::ui::QtUserDialogs().ShowFinished();

    QVERIFY(openAfterEscape);
    QVERIFY(openAfterLinks);
    const std::pair<QWidget*, std::string> speedTest(shown, "http://speedtest.pennick.example/");
    QCOMPARE(recorder.opened, (std::vector<std::pair<QWidget*, std::string>>(2, speedTest)));
  }
};

QTEST_MAIN(FinishedWindowTest)
#include "finished_window_test.moc"
