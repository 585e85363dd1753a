// The About window on Qt's offscreen platform: its version line, its keys,
// its links and its rebuilding at each opening.
#include <QCursor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/window_test_support.h"
#include "ui/link_cursor.h"
#include "ui/program_fonts.h"
#include "ui/program_version.h"
#include "ui/quorvane_about.h"
#include "ui/quorvane_about_design.h"
#include "ui/web_addresses.h"

using quorvane::testing::AddressRecorder;
using quorvane::testing::Get;
using quorvane::testing::WhenModalOpens;
using quorvane::ui::QuorvaneAbout;

namespace {

constexpr const char* kLinkLabels[] = {"lblProduct", "lblCopyright", "lblURL"};

QPlainTextEdit* WarningBox(const QWidget& about) {
  return Get<QPlainTextEdit>(about, "txtSpecialCopyright");
}

// Every text the window shows, by control name.
std::vector<std::pair<QString, QString>> Texts(const QWidget& about) {
  std::vector<std::pair<QString, QString>> texts;
  for (const QLabel* label : about.findChildren<QLabel*>()) {
    texts.emplace_back(label->objectName(), label->text());
  }
  texts.emplace_back(QStringLiteral("txtSpecialCopyright"), WarningBox(about)->toPlainText());
  return texts;
}

void ShowAndActivate(QuorvaneAbout& about) {
  about.show();
  about.activateWindow();
  if (!QTest::qWaitForWindowActive(&about)) qFatal("the About window did not become active");
}

}  // namespace

class AboutWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { quorvane::ui::RegisterProgramFonts(); }

  void versionNumbersAreWrittenInFull() {
    using quorvane::ui::ProgramVersion;
    QCOMPARE(quorvane::ui::VersionLine(ProgramVersion{1, 10, 12}),
             std::string("Version: 1.10 - Build 12"));
    QCOMPARE(quorvane::ui::MainWindowCaption(ProgramVersion{1, 10, 12}),
             std::string("Quorvane Version 1.3 Final - Build 12"));

    // This build's numbers, from the one place the build sets them.
    QCOMPARE(quorvane::ui::RunningProgramVersion(), (ProgramVersion{1, 3, 0}));
    QuorvaneAbout about;
    QCOMPARE(Get<QLabel>(about, "lblVersion")->text(), QStringLiteral("Version: 1.3 - Build 0"));
  }

  void opensCentredWithTheFocusOnOk() {
    QuorvaneAbout about;
    ShowAndActivate(about);

    const QPoint offCentre =
        about.frameGeometry().center() - about.screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2, "the window is not centred on the screen");

    QCOMPARE(about.focusWidget(), Get<QPushButton>(about, "cmdOK"));
    QVERIFY(Get<QPushButton>(about, "cmdOK")->isDefault());
    // Tab reaches the text box and comes back: nothing else takes the focus.
    QTest::keyClick(&about, Qt::Key_Tab);
    QCOMPARE(about.focusWidget(), WarningBox(about));
    QTest::keyClick(WarningBox(about), Qt::Key_Tab);
    QCOMPARE(about.focusWidget(), Get<QPushButton>(about, "cmdOK"));
  }

  void enterAndEscapeCloseWhateverHasTheFocus_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    for (const char* focus : {"cmdOK", "txtSpecialCopyright"}) {
      QTest::addRow("Enter on %s", focus) << QString::fromLatin1(focus) << int(Qt::Key_Return);
      QTest::addRow("keypad Enter on %s", focus) << QString::fromLatin1(focus) << int(Qt::Key_Enter);
      QTest::addRow("Escape on %s", focus) << QString::fromLatin1(focus) << int(Qt::Key_Escape);
    }
  }

  void enterAndEscapeCloseWhateverHasTheFocus() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    QuorvaneAbout about;
    ShowAndActivate(about);
    auto* target = about.findChild<QWidget*>(focus);
    target->setFocus();
    QCOMPARE(about.focusWidget(), target);
    const QString warning = WarningBox(about)->toPlainText();

    QTest::keyClick(target, Qt::Key(key));

    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));  // as cmdOK closes it
    QCOMPARE(WarningBox(about)->toPlainText(), warning);  // no line break typed
  }

  void eachLinkOpensTheMakersHomePageAtEveryClick() {
    AddressRecorder recorder;
    QuorvaneAbout about;
    ShowAndActivate(about);
    QCOMPARE(Get<QLabel>(about, "lblURL")->text(), QString::fromLatin1(quorvane::ui::kMakerHomePage));

    for (const char* name : kLinkLabels) {
      auto* link = Get<QLabel>(about, name);
      QCOMPARE(link->cursor().hotSpot(), quorvane::ui::LinkCursor().hotSpot());
      QTest::mouseClick(link, Qt::LeftButton);
      QTest::mouseClick(link, Qt::LeftButton);
    }

    const std::pair<QWidget*, std::string> home(&about, quorvane::ui::kMakerHomePage);
    QCOMPARE(recorder.opened, (std::vector<std::pair<QWidget*, std::string>>(6, home)));
    QVERIFY(about.isVisible());

    // The address is taken from the Tag when the click comes, not before.
    Get<QLabel>(about, "lblProduct")->setProperty("Tag", QStringLiteral("http://other.example/"));
    QTest::mouseClick(Get<QLabel>(about, "lblProduct"), Qt::LeftButton);
    QCOMPARE(recorder.opened.back().second, std::string("http://other.example/"));

    // No other label, and neither the icon nor the shapes, opens anything.
    for (QWidget* control : about.findChildren<QWidget*>()) {
      if (control->parentWidget() != &about || control->inherits("quorvane::ui::LinkLabel")) continue;
      if (qobject_cast<QPushButton*>(control)) continue;
      QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(1, 1));
    }
    QCOMPARE(recorder.opened.size(), 7u);
    QVERIFY(about.isVisible());
  }

  void legalWarningScrollsThroughItsSixLines() {
    // Six lines, each ending in CR LF, and no other line break.
    const QString warning = QString::fromUtf8(quorvane::ui::about::kLegalWarning);
    QCOMPARE(warning.size(), 301);
    QVERIFY(warning.endsWith(QStringLiteral("\r\n")));
    for (const char* mark : {"\r\n", "\r", "\n"}) QCOMPARE(warning.count(QLatin1String(mark)), 6);

    QuorvaneAbout about;
    ShowAndActivate(about);
    QPlainTextEdit* box = WarningBox(about);
    QCOMPARE(box->document()->blockCount(), 7);  // six lines and the empty one after
    QVERIFY(box->verticalScrollBar()->isVisible());
    QVERIFY(box->verticalScrollBar()->maximum() > 0);
    const double linesShown = double(box->viewport()->height()) / box->fontMetrics().lineSpacing();
    QVERIFY2(linesShown >= 2.5 && linesShown < 5, qPrintable(QString::number(linesShown)));
  }

  void iconAndTextsLieOverTheBarsAndShapes() {
    QuorvaneAbout about;
    auto* icon = Get<QLabel>(about, "imgIcon");
    auto* square = Get<QWidget>(about, "shpRect(1)");
    QCOMPARE(icon->pixmap().size(), QSize(32, 32));
    // Centred to within the half pixel that the design's twips leave over.
    const QPointF offCentre = QRectF(icon->geometry()).center() - QRectF(square->geometry()).center();
    QVERIFY(offCentre.manhattanLength() <= 1.0);

    // Children later in the list are drawn over the earlier ones.
    const QObjectList pile = about.children();
    const auto above = [&](const char* upper, const char* lower) {
      return pile.indexOf(Get<QWidget>(about, upper)) > pile.indexOf(Get<QWidget>(about, lower));
    };
    QVERIFY(above("imgIcon", "shpRect(1)"));
    QVERIFY(above("lblTitle", "Label1"));
    QVERIFY(above("lblInfo(1)", "lblDescription"));
  }

  void eachOpeningIsBuiltAfresh() {
    std::vector<std::pair<QString, QString>> firstTexts, secondTexts;
    bool secondFocusOnOk = false;

    WhenModalOpens([&](QWidget* modal) {
      QVERIFY(qobject_cast<QuorvaneAbout*>(modal));
      QCOMPARE(modal->parentWidget(), nullptr);
      QCOMPARE(modal->windowModality(), Qt::ApplicationModal);
      firstTexts = Texts(*modal);
      WarningBox(*modal)->setFocus();
      QTest::keyClicks(WarningBox(*modal), QStringLiteral("typed by the user"));
      QVERIFY(WarningBox(*modal)->toPlainText().contains(QStringLiteral("typed by the user")));
      QTest::mouseClick(Get<QPushButton>(*modal, "cmdOK"), Qt::LeftButton);
    });
    quorvane::ui::ShowAboutWindow();

    WhenModalOpens([&](QWidget* modal) {
      secondTexts = Texts(*modal);  // the warning box's text among them
      secondFocusOnOk = modal->focusWidget() == Get<QPushButton>(*modal, "cmdOK");
      modal->close();  // the close box
    });
    quorvane::ui::ShowAboutWindow();

    QVERIFY(!firstTexts.empty());
    QCOMPARE(secondTexts, firstTexts);
    QVERIFY(secondFocusOnOk);
  }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
