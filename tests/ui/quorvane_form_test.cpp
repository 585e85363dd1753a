// The main window on Qt's offscreen platform: its start, its panes and
// lists, and each handler seen from the controls and the registry.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <array>

#include "tests/ui/window_test_support.h"
#include "ui/program_fonts.h"

using quorvane::engine::Answer;
using quorvane::engine::Buttons;
using quorvane::engine::Icon;
using quorvane::engine::StartOutcome;
using quorvane::testing::FormFixture;
using quorvane::testing::Get;
using quorvane::ui::QuorvaneForm;
namespace key = quorvane::store::key;
namespace store = quorvane::store;

namespace {

const QString kPrefix = QStringLiteral("You Currently Have This Set To: ");
const QString kMtuRefreshHelp =
    QStringLiteral("The Default Value (576 for a Modem or 1500 for an Ethernet/Cable Connection)");
const QString kMtuListHelp =
    QStringLiteral("The Default Value (576 for a Modem or 1500 for an Ethernet Connection)");

constexpr std::array<const char*, 8> kPanes = {"SettingWelcome", "Setting1", "Setting2",
                                               "Setting3",       "Setting4", "Setting5",
                                               "Setting6",       "Setting7"};
constexpr std::array<const char*, 5> kCurrentLabels = {
    "Setting1Current", "Setting2Current", "Setting3Current", "Setting4Current", "Setting6Current"};

QScrollBar* Scroller(const QuorvaneForm& form) { return Get<QScrollBar>(form, "scroller"); }
QString Caption(const QuorvaneForm& form, const char* label) {
  return Get<QLabel>(form, label)->text();
}

// The panes shown, by name; exactly one when all is well.
QStringList ShownPanes(const QuorvaneForm& form) {
  QStringList shown;
  for (const char* pane : kPanes) {
    if (Get<QWidget>(form, pane)->isVisibleTo(&form)) shown << QString::fromLatin1(pane);
  }
  return shown;
}

// As the user picks an item of the pane list.
void Choose(const QuorvaneForm& form, const QString& item) {
  QComboBox* list = Get<QComboBox>(form, "Combo1");
  const int index = list->findText(item);
  if (index < 0) qFatal("no list item %s", qPrintable(item));
  list->setCurrentIndex(index);
  emit list->activated(index);
}

QStringList AllCaptions(const QuorvaneForm& form) {
  QStringList captions;
  for (const char* label : kCurrentLabels) captions << Caption(form, label);
  return captions;
}

// Changes every text setting behind the window's back.
void ChangeAllBehind(FormFixture& f) {
  for (const char* name : {"DefaultRcvWindow", "DefaultTTL", "SessionKeepAlive"}) {
    f.registry.WriteText(store::kRoot, key::kMstcp, name, "behind");
  }
  f.registry.WriteText(store::kRoot, key::kNetTrans, "MaxMTU", "behind");
  f.registry.WriteText(store::kRoot, key::kNdiCache, "", "behind");
}

// Presses Alt+A and names the button that it pressed, if any, once that
// button's click (which follows the press as the button is drawn pushed)
// has run.
QString PressAltA(const QuorvaneForm& form) {
  QTest::keyClick(const_cast<QuorvaneForm*>(&form), Qt::Key_A, Qt::AltModifier);
  for (QPushButton* button : form.findChildren<QPushButton*>()) {
    if (!button->isDown()) continue;
    QSignalSpy clicked(button, &QPushButton::clicked);
    if (!clicked.wait(30000)) qFatal("the pressed button never clicked");
    return button->objectName();
  }
  return {};
}

void Click(const QuorvaneForm& form, const char* button) {
  QTest::mouseClick(Get<QPushButton>(form, button), Qt::LeftButton);
}

}  // namespace

class QuorvaneFormTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { quorvane::ui::RegisterProgramFonts(); }

  void firstStartAcceptedShowsTheWelcomePane() {
    FormFixture f;
    f.dialogs.answers = {Answer::Yes};
    const auto form = f.Open();

    QCOMPARE(f.dialogs.shown.size(), 1u);
    QCOMPARE(f.dialogs.shown[0].title, std::string("Welcome to Quorvane"));
    QCOMPARE(f.dialogs.shown[0].style, 20);
    QCOMPARE(form->startOutcome(), StartOutcome::Continue);
    QVERIFY(!form->isVisible());  // the program shows it, not its load step
    QCOMPARE(form->windowTitle(), QStringLiteral("Quorvane Version 1.3 Final - Build 0"));
    QCOMPARE(ShownPanes(*form), QStringList{"SettingWelcome"});

    const QScrollBar* scroller = Scroller(*form);
    QCOMPARE((QList<int>{scroller->value(), scroller->minimum(), scroller->maximum(),
                         scroller->singleStep(), scroller->pageStep()}),
             (QList<int>{1, 1, 8, 1, 1}));  // value, range, steps
    for (const char* name : {"Combo1", "Combo2"}) {
      QComboBox* list = Get<QComboBox>(*form, name);
      QCOMPARE(list->currentIndex(), -1);
      QVERIFY(!list->isEditable());
    }
    QCOMPARE(Get<QComboBox>(*form, "Combo2")->itemText(3), QStringLiteral("LAN Connection"));
    QCOMPARE(Get<QComboBox>(*form, "Combo1")->itemText(8), QStringLiteral("About"));

    // The load step's refresh, on a registry without the settings.
    QCOMPARE(Caption(*form, "Setting1Current"), kPrefix + kMtuRefreshHelp);
    QVERIFY(Get<QCheckBox>(*form, "Setting5Option1")->isChecked());
    QVERIFY(!Get<QCheckBox>(*form, "Setting5Option2")->isChecked());
    QVERIFY(!Get<QCheckBox>(*form, "Setting5Option3")->isChecked());
    QVERIFY(Get<QRadioButton>(*form, "Setting7Option1")->isChecked());

    // A fixed window of 5325 by 4905 twips, with no minimise or maximise box.
    QCOMPARE(form->minimumSize(), QSize(355, 327));
    QCOMPARE(form->maximumSize(), QSize(355, 327));
    QVERIFY(!(form->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form->windowFlags() & Qt::WindowCloseButtonHint);
  }

  void declineOrAFailedBackupEndsBeforeTheWindowIsFilled() {
    FormFixture declined;
    declined.dialogs.answers = {Answer::No};
    const auto form = declined.Open();
    QCOMPARE(form->startOutcome(), StartOutcome::Declined);
    QCOMPARE(declined.Text(key::kProgram, "FirstRun"), std::string("Yes"));
    QCOMPARE(declined.Text(key::kBackup, "MaxMTU"), std::string("Not Set"));

    FormFixture unwritable;
    unwritable.recording.fail = [](const std::string& call) { return call.rfind("set ", 0) == 0; };
    const auto unbacked = unwritable.Open();
    QCOMPARE(unbacked->startOutcome(), StartOutcome::BackupFailed);
    QCOMPARE(unwritable.dialogs.shown.size(), 1u);
    QCOMPARE(unwritable.dialogs.shown[0].icon, Icon::Error);

    // Nothing after the first-run block ran: no refresh, no caption.
    for (const QuorvaneForm* ended : {form.get(), unbacked.get()}) {
      QVERIFY(!ended->isVisible());
      QCOMPARE(Caption(*ended, "Setting1Current"),
               QStringLiteral("You Currently Have This Set To:"));
      QVERIFY(!ended->windowTitle().startsWith(QStringLiteral("Quorvane Version")));
    }
  }

  void laterStartAsksNothingAndTheScrollBarRefreshesAll() {
    FormFixture f;
    const auto form = f.OpenAfterFirstRun();
    QVERIFY(f.dialogs.shown.empty());
    QCOMPARE(form->startOutcome(), StartOutcome::Continue);
    Get<QLineEdit>(*form, "Setting2Custom")->setText(QStringLiteral("typed"));

    for (int position : {2, 3, 4, 5, 6, 7, 8, 1}) {
      Scroller(*form)->setValue(position);
      QCOMPARE(ShownPanes(*form), QStringList{kPanes[position - 1]});
    }

    // Values changed behind the window show at the next scroll, on every pane.
    f.registry.WriteText(store::kRoot, key::kNetTrans, "MaxMTU", "1492");
    f.registry.WriteText(store::kRoot, key::kMstcp, "PMTUBlackHoleDetect", "00");
    f.registry.WriteNumber(store::kRoot, key::kTcpip, "DisableTaskOffload", 1);
    QCOMPARE(Caption(*form, "Setting1Current"), kPrefix + kMtuRefreshHelp);
    Scroller(*form)->setValue(4);
    QCOMPARE(Caption(*form, "Setting1Current"), kPrefix + QStringLiteral("1492"));
    QVERIFY(Get<QCheckBox>(*form, "Setting5Option2")->isChecked());
    QVERIFY(Get<QRadioButton>(*form, "Setting7Option2")->isChecked());
    QVERIFY(!Get<QRadioButton>(*form, "Setting7Option1")->isChecked());
    QCOMPARE(Get<QLineEdit>(*form, "Setting2Custom")->text(), QStringLiteral("typed"));
  }

  void scrollBarEndsAndDraggingChangeNothing() {
    FormFixture f;
    const auto form = f.OpenAfterFirstRun();
    QScrollBar* scroller = Scroller(*form);

    f.recording.calls.clear();
    scroller->triggerAction(QAbstractSlider::SliderSingleStepSub);
    scroller->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(scroller->value(), 1);
    QVERIFY(f.recording.calls.empty());

    scroller->setValue(8);
    f.recording.calls.clear();
    scroller->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(scroller->value(), 8);
    QVERIFY(f.recording.calls.empty());

    // A thumb held down and moved changes nothing until it is released.
    scroller->setSliderDown(true);
    scroller->setSliderPosition(3);
    QCOMPARE(ShownPanes(*form), QStringList{"Setting7"});
    QVERIFY(f.recording.calls.empty());
    scroller->setSliderDown(false);
    QCOMPARE(scroller->value(), 3);
    QCOMPARE(ShownPanes(*form), QStringList{"Setting2"});
  }

  void paneListMovesTheScrollBar() {
    FormFixture f;
    const auto form = f.OpenAfterFirstRun();
    const QStringList items = {"Max Transmission Unit", "Recieve Window", "Time To Live",
                               "Session Keep Alive",    "Path MTU",       "NDI Cache",
                               "Network Card CPU",      "Welcome to Quorvane"};
    const int positions[] = {2, 3, 4, 5, 6, 7, 8, 1};
    for (int i = 0; i < items.size(); ++i) {
      Choose(*form, items[i]);
      QCOMPARE(Scroller(*form)->value(), positions[i]);
      QCOMPARE(ShownPanes(*form), QStringList{kPanes[positions[i] - 1]});
      QCOMPARE(Get<QComboBox>(*form, "Combo1")->currentText(), items[i]);
    }

    // The list is left alone by the scroll bar.
    Choose(*form, QStringLiteral("NDI Cache"));
    Scroller(*form)->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(ShownPanes(*form), QStringList{"Setting5"});
    QCOMPARE(Get<QComboBox>(*form, "Combo1")->currentText(), QStringLiteral("NDI Cache"));

    // The pane already shown: no change, so nothing is read.
    Scroller(*form)->setValue(4);
    f.recording.calls.clear();
    Choose(*form, QStringLiteral("Time To Live"));
    QVERIFY(f.recording.calls.empty());
  }

  void aboutOpensItsWindowAndChangesNothingHere() {
    FormFixture f;
    const auto form = f.OpenAfterFirstRun();
    Scroller(*form)->setValue(3);
    ChangeAllBehind(f);
    const QStringList captions = AllCaptions(*form);
    f.recording.calls.clear();

    QString opened;
    quorvane::testing::WhenModalOpens([&](QWidget* window) {
      opened = QString::fromLatin1(window->metaObject()->className());
      window->close();
    });
    Choose(*form, QStringLiteral("About"));

    QCOMPARE(opened, QStringLiteral("quorvane::ui::QuorvaneAbout"));
    QCOMPARE(Scroller(*form)->value(), 3);
    QCOMPARE(ShownPanes(*form), QStringList{"Setting2"});
    QCOMPARE(Get<QComboBox>(*form, "Combo1")->currentText(), QStringLiteral("About"));
    QCOMPARE(AllCaptions(*form), captions);
    QVERIFY(f.recording.calls.empty());
  }

  void theListShowsTheMtuWithItsOwnHelpText() {
    FormFixture f;
    const auto form = f.OpenAfterFirstRun();

    // From the welcome pane: the nested refresh runs first, then the list's read.
    Choose(*form, QStringLiteral("Max Transmission Unit"));
    QCOMPARE(Caption(*form, "Setting1Current"), kPrefix + kMtuListHelp);
    Scroller(*form)->setValue(3);
    Scroller(*form)->setValue(2);
    QCOMPARE(Caption(*form, "Setting1Current"), kPrefix + kMtuRefreshHelp);
    Choose(*form, QStringLiteral("Max Transmission Unit"));  // already at 2
    QCOMPARE(Caption(*form, "Setting1Current"), kPrefix + kMtuListHelp);

    f.registry.WriteText(store::kRoot, key::kNetTrans, "MaxMTU", "1492");
    Choose(*form, QStringLiteral("Max Transmission Unit"));
    QCOMPARE(Caption(*form, "Setting1Current"), kPrefix + QStringLiteral("1492"));
  }

  void eachTextApplyWritesAndShowsOnlyItsOwnSetting_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("current");  // index into kCurrentLabels
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    const auto row = [](const char* tag, int position, int current, const char* button,
                        const std::string& path, const char* name) {
      QTest::newRow(tag) << position << current << QString::fromLatin1(button)
                         << QString::fromStdString(path) << QString::fromLatin1(name);
    };
    row("MTU", 2, 0, "Setting1Apply", key::kNetTrans, "MaxMTU");
    row("receive window", 3, 1, "Setting2Apply", key::kMstcp, "DefaultRcvWindow");
    row("time to live", 4, 2, "Setting3Apply", key::kMstcp, "DefaultTTL");
    row("keep alive", 5, 3, "Session4Apply", key::kMstcp, "SessionKeepAlive");
    row("NDI cache", 7, 4, "Setting6Apply", key::kNdiCache, "");
  }

  void eachTextApplyWritesAndShowsOnlyItsOwnSetting() {
    QFETCH(int, position);
    QFETCH(int, current);
    QFETCH(QString, button);
    QFETCH(QString, path);
    QFETCH(QString, name);
    FormFixture f;
    const auto form = f.OpenAfterFirstRun();
    Scroller(*form)->setValue(position);
    ChangeAllBehind(f);  // only the applied setting may show its change
    QStringList expected = AllCaptions(*form);

    const QString custom = QString::fromLatin1(kCurrentLabels[current]).replace("Current", "Custom");
    QLineEdit* box = Get<QLineEdit>(*form, qPrintable(custom));
    box->clear();
    QTest::keyClicks(box, QStringLiteral(" 15x0 "));
    f.recording.calls.clear();
    Click(*form, qPrintable(button));

    QCOMPARE(f.Text(path.toStdString(), name.toStdString()), std::string(" 15x0 "));
    QCOMPARE(f.recording.Only("set"), std::vector<std::string>{name.toStdString()});
    expected[current] = kPrefix + QStringLiteral(" 15x0 ");
    QCOMPARE(AllCaptions(*form), expected);
    QCOMPARE(box->text(), QStringLiteral(" 15x0 "));
  }

  void pathMtuApplyShowsWhatWasStored() {
    FormFixture f;
    const auto form = f.OpenAfterFirstRun();
    Scroller(*form)->setValue(6);
    QCheckBox* discovery = Get<QCheckBox>(*form, "Setting5Option1");
    QCheckBox* blackHole = Get<QCheckBox>(*form, "Setting5Option2");
    QCheckBox* sack = Get<QCheckBox>(*form, "Setting5Option3");
    QTest::mouseClick(discovery, Qt::LeftButton);  // ticked at start: now cleared
    QTest::mouseClick(blackHole, Qt::LeftButton);
    sack->setCheckState(Qt::PartiallyChecked);  // greyed counts as ticked

    Click(*form, "Setting5Apply");

    QCOMPARE(f.Text(key::kMstcp, "PMTUDiscovery"), std::string("0"));
    QCOMPARE(f.Text(key::kMstcp, "PMTUBlackHoleDetect"), std::string("1"));
    QCOMPARE(f.Text(key::kMstcp, "SackOpts"), std::string("1"));
    QCOMPARE(discovery->checkState(), Qt::Unchecked);
    QCOMPARE(blackHole->checkState(), Qt::Checked);
    QCOMPARE(sack->checkState(), Qt::Checked);
  }

  void taskOffloadApplyWritesTheChoiceAndRefreshesNothing() {
    FormFixture f;
    const auto form = f.OpenAfterFirstRun();
    Scroller(*form)->setValue(8);
    ChangeAllBehind(f);
    const QStringList before = AllCaptions(*form);

    QTest::mouseClick(Get<QRadioButton>(*form, "Setting7Option2"), Qt::LeftButton);
    Click(*form, "Setting7Apply");
    QCOMPARE(f.registry.QueryNumber(store::kRoot, key::kTcpip, "DisableTaskOffload"), 1);
    QCOMPARE(AllCaptions(*form), before);

    Scroller(*form)->setValue(1);
    Scroller(*form)->setValue(8);
    QVERIFY(Get<QRadioButton>(*form, "Setting7Option2")->isChecked());
    QTest::mouseClick(Get<QRadioButton>(*form, "Setting7Option1"), Qt::LeftButton);
    Click(*form, "Setting7Apply");
    QCOMPARE(f.registry.QueryNumber(store::kRoot, key::kTcpip, "DisableTaskOffload"), 0);
  }

  void optimiseAsksForATypeThenWritesItsPreset() {
    FormFixture f;
    const auto form = f.OpenAfterFirstRun();
    f.recording.calls.clear();
    Click(*form, "cmd_Optimise");  // no connection type chosen: it only asks
    QCOMPARE(f.dialogs.shown.size(), 1u);
    QCOMPARE(f.dialogs.shown[0].text,
             std::string("Please select your Connection Type from the list opposite."));
    QVERIFY(f.recording.Only("set").empty());
    QCOMPARE(f.dialogs.finishedCount, 0);

    Get<QComboBox>(*form, "Combo2")->setCurrentIndex(1);  // "ADSL Modem"
    Click(*form, "cmd_Optimise");
    QCOMPARE(f.Text(key::kNetTrans, "MaxMTU"), std::string("1492"));
    QCOMPARE(f.Text(key::kMstcp, "SackOpts"), std::string("1"));
    QCOMPARE(f.dialogs.finishedCount, 1);
    QCOMPARE(f.dialogs.shown.size(), 1u);  // no message box this time
    // Shown the next time the pane is displayed, not before.
    QCOMPARE(Caption(*form, "Setting1Current"), kPrefix + kMtuRefreshHelp);
  }

  void restoreAsksFirstAndRefreshesNothing() {
    FormFixture f;
    f.registry.WriteText(store::kRoot, key::kBackup, "MaxMTU", "1400");
    f.registry.WriteText(store::kRoot, key::kNetTrans, "MaxMTU", "576");
    const auto form = f.OpenAfterFirstRun();

    f.dialogs.answers = {Answer::No};
    Click(*form, "cmdRestore");
    QCOMPARE(f.dialogs.shown.size(), 1u);
    QCOMPARE(f.dialogs.shown[0].title, std::string("Quorvane Settings Restore"));
    QCOMPARE(f.Text(key::kNetTrans, "MaxMTU"), std::string("576"));

    f.dialogs.answers = {Answer::Yes};
    Click(*form, "cmdRestore");
    QCOMPARE(f.Text(key::kNetTrans, "MaxMTU"), std::string("1400"));
    QCOMPARE(f.dialogs.shown.size(), 3u);
    QCOMPARE(Caption(*form, "Setting1Current"), kPrefix + QStringLiteral("576"));
  }

  void adslInformationWarnsAndOtherLabelsDoNothing() {
    FormFixture f;
    const auto form = f.OpenAfterFirstRun();
    Scroller(*form)->setValue(2);
    QTest::mouseClick(Get<QLabel>(*form, "Label36"), Qt::LeftButton);
    QVERIFY(f.dialogs.shown.empty());

    f.recording.calls.clear();
    QTest::mouseClick(Get<QLabel>(*form, "Label37"), Qt::LeftButton);
    QCOMPARE(f.dialogs.shown.size(), 1u);
    const auto& warning = f.dialogs.shown[0];
    QVERIFY(QString::fromStdString(warning.text)
                .startsWith(QStringLiteral("If you set your MTU over 1492 you run the risk of an "
                                           "unhappy Router locking you out. Please see this page: "
                                           "http://")));
    QVERIFY(QString::fromStdString(warning.text).endsWith(QStringLiteral("/content/4/24376.html")));
    QCOMPARE(warning.title, std::string("Quorvane"));
    QCOMPARE(warning.buttons, Buttons::Ok);
    QCOMPARE(warning.icon, Icon::None);
    QVERIFY(f.recording.calls.empty());
    QCOMPARE(ShownPanes(*form), QStringList{"Setting1"});
  }

  void accessKeysApplyTheShownPaneAndClose() {
    FormFixture f;
    const auto form = f.OpenAfterFirstRun();
    form->show();
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));

    // The welcome pane has no Apply: Alt+A must not reach a hidden pane's.
    QCOMPARE(PressAltA(*form), QString());

    Scroller(*form)->setValue(2);
    QCOMPARE(PressAltA(*form), QStringLiteral("Setting1Apply"));
    QCOMPARE(f.Text(key::kNetTrans, "MaxMTU"), std::string("1500"));
    QCOMPARE(f.Text(key::kMstcp, "DefaultRcvWindow"), std::string("<absent>"));

    Scroller(*form)->setValue(3);
    QCOMPARE(PressAltA(*form), QStringLiteral("Setting2Apply"));
    QCOMPARE(f.Text(key::kMstcp, "DefaultRcvWindow"), std::string("8192"));

    Scroller(*form)->setValue(4);  // its Apply has no access key
    QCOMPARE(PressAltA(*form), QString());

    // Alt+C from inside a text box ends the program.
    QLineEdit* box = Get<QLineEdit>(*form, "Setting3Custom");
    box->setFocus();
    QTimer::singleShot(0, box, [box] { QTest::keyClick(box, Qt::Key_C, Qt::AltModifier); });
    QObject guard;  // ends with the test, and its timer with it
    QTimer::singleShot(60000, &guard, [] { QCoreApplication::exit(99); });  // Alt+C failed
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!form->isVisible());
  }
};

QTEST_MAIN(QuorvaneFormTest)
#include "quorvane_form_test.moc"
