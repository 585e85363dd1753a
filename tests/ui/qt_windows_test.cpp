// The three windows as Qt draws them, on Qt's offscreen platform: what the
// logic tests cannot see. Sizes and title-bar buttons, the scroll bar's
// steps, keys and focus, modality and rebuilding, the pile of the About
// window's controls, and the design's colours under a dark desktop palette.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "tests/ui/window_keys.h"
#include "tests/ui/window_test_support.h"
#include "ui/quorvane_about_design.h"
#include "ui/quorvane_finished_design.h"
#include "ui/qt/link_cursor.h"
#include "ui/qt/program_fonts.h"
#include "ui/qt/window_palette.h"

using namespace quorvane::testing;
using quorvane::ui::ColourOf;

namespace {

QScrollBar* Scroller(const QWidget& form) { return Get<QScrollBar>(form, Form::scroller); }

QStringList ShownPanes(const QWidget& form) {
  QStringList shown;
  for (Form pane : quorvane::ui::kPanesByPosition) {
    if (Get<QWidget>(form, pane)->isVisibleTo(&form)) {
      shown << QString::fromLatin1(quorvane::ui::NameOf(pane));
    }
  }
  return shown;
}

// Shows the main window as the program does, and waits until it is active.
void ShowAndActivate(quorvane::ui::MainWindow& main) {
  main.Show();
  QWidget& window = Widget(main);
  QApplication::setActiveWindow(&window);
  if (!QTest::qWaitForWindowActive(&window)) qFatal("the window did not become active");
}

// Presses a table's key on a widget; the wheel turns over it, as the
// mouse's, which may move the focus.
void Press(QWidget* widget, Key key) {
  if (key == Key::WheelDown) {
    const QPointF centre = QRectF(widget->rect()).center();
    QWheelEvent wheel(centre, widget->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::sendEvent(widget, &wheel);
    return;
  }
  QKeyCombination keys;
  switch (key) {
    case Key::Enter: keys = Qt::Key_Return; break;
    case Key::KeypadEnter: keys = Qt::KeypadModifier | Qt::Key_Enter; break;
    case Key::Escape: keys = Qt::Key_Escape; break;
    case Key::Tab: keys = Qt::Key_Tab; break;
    case Key::BackTab: keys = Qt::ShiftModifier | Qt::Key_Tab; break;
    case Key::Left: keys = Qt::Key_Left; break;
    case Key::Right: keys = Qt::Key_Right; break;
    case Key::Up: keys = Qt::Key_Up; break;
    case Key::Down: keys = Qt::Key_Down; break;
    case Key::AltA: keys = Qt::AltModifier | Qt::Key_A; break;
    case Key::AltDown: keys = Qt::AltModifier | Qt::Key_Down; break;
    default: return;
  }
  QTest::keyClick(widget, keys.key(), keys.keyboardModifiers());
}

// The window's control of that name, as a table names it.
QWidget* Named(const QWidget& window, const char* name) {
  return window.findChild<QWidget*>(QString::fromLatin1(name));
}

QString FocusName(const QWidget& window) {
  return window.focusWidget() ? window.focusWidget()->objectName() : QString();
}

// Runs act on a window as a table names it: the main window, shown and
// active at a scroll position, or a secondary window opened over it.
void InWindow(Window which, int position, const std::function<void(QWidget& window)>& act) {
  FormFixture f;
  const auto main = f.OpenAfterFirstRun();
  ShowAndActivate(*main);
  if (position > 0) Scroller(Widget(*main))->setValue(position);
  if (which == Window::Main) {
    act(Widget(*main));
    return;
  }
  WhenModalOpens([&](QWidget* window) {
    act(*window);
    if (window->isVisible()) window->close();
  });
  OpenWindow(ModalOf(which), main.get());
}

// Presses Alt+A and names the button that it clicked, if any.
QString PressAltA(QWidget& form) {
  QString clicked;
  QList<QMetaObject::Connection> watching;
  for (QPushButton* button : form.findChildren<QPushButton*>()) {
    watching << QObject::connect(button, &QPushButton::clicked,
                                 [&clicked, button] { clicked = button->objectName(); });
  }
  QTest::keyClick(&form, Qt::Key_A, Qt::AltModifier);
  for (const QMetaObject::Connection& connection : watching) QObject::disconnect(connection);
  return clicked;
}

// Opens the About window from the main window's pane list; act runs while
// it is open.
void OpenAboutFromTheList(QWidget& form, const std::function<void(QWidget*)>& act) {
  QComboBox* list = Get<QComboBox>(form, Form::Combo1);
  WhenModalOpens(act);
  const int about = list->findText(QStringLiteral("About"));
  list->setCurrentIndex(about);
  emit list->activated(about);
}

QWidget* AboutOk(const QWidget& about) { return Get<QPushButton>(about, About::cmdOK); }
QPlainTextEdit* WarningBox(const QWidget& about) {
  return Get<QPlainTextEdit>(about, About::txtSpecialCopyright);
}

// The colour most of an area is drawn in: what its text stands on.
QColor MostOf(const QImage& image, const QRect& area) {
  std::map<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y)];
  }
  return QColor(std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                  return a.second < b.second;
                })->first);
}

// The darkest and the lightest pixel of an area: the colours its text is
// drawn in and on.
std::pair<QColor, QColor> DarkestAndLightest(const QImage& image, const QRect& area) {
  QColor darkest = Qt::white, lightest = Qt::black;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (pixel.lightness() < darkest.lightness()) darkest = pixel;
      if (pixel.lightness() > lightest.lightness()) lightest = pixel;
    }
  }
  return {darkest, lightest};
}

// What is wrong with the colours a window's captions are drawn with: each
// label, check box and option button shows black (or blue) on white.
QStringList ColourFaults(QWidget& window) {
  QStringList faults;
  const QImage image = window.grab().toImage();
  for (QWidget* control : window.findChildren<QWidget*>()) {
    const bool labelled = qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control) ||
                          qobject_cast<QRadioButton*>(control);
    const auto* label = qobject_cast<QLabel*>(control);
    if (!labelled || !control->isVisibleTo(&window) || (label && label->text().isEmpty()) ||
        control->objectName().startsWith(QLatin1String("lblDot"))) {
      continue;
    }
    const QRect area(control->mapTo(&window, QPoint(0, 0)), control->size());
    const auto [text, background] = DarkestAndLightest(image, area & window.rect());
    const bool blue = control->palette().color(QPalette::WindowText) == QColor(0, 0, 255);
    const bool textRight = blue ? text.blue() > 150 && text.red() < 90 && text.green() < 90
                                : text.lightness() < 90;
    const bool onWhite = background == QColor(Qt::white) ||
                         window.objectName() == QLatin1String("QuorvaneAbout");  // its bars
    if (!textRight || !onWhite) {
      faults << QStringLiteral("%1: text %2 on %3")
                    .arg(control->objectName(), text.name(), background.name());
    }
  }
  return faults;
}

}  // namespace

class QtWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { quorvane::ui::RegisterProgramFonts(); }

  void mainWindowIsFixedWithItsScrollBarAndLists() {
    FormFixture f;
    const auto window = f.OpenAfterFirstRun();
    QWidget& form = Widget(*window);
    QVERIFY(!form.isVisible());  // the program shows it, not its load step
    QCOMPARE(form.windowTitle(), QStringLiteral("Quorvane Version 1.3 Final - Build 0"));

    // A fixed window of 5325 by 4905 twips, with no minimise or maximise box.
    QCOMPARE(form.minimumSize(), QSize(355, 327));
    QCOMPARE(form.maximumSize(), QSize(355, 327));
    QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowCloseButtonHint);

    const QScrollBar* scroller = Scroller(form);
    QCOMPARE((QList<int>{scroller->value(), scroller->minimum(), scroller->maximum(),
                         scroller->singleStep(), scroller->pageStep()}),
             (QList<int>{1, 1, 8, 1, 1}));  // value, range, steps
    for (Form name : {Form::Combo1, Form::Combo2}) {
      QComboBox* list = Get<QComboBox>(form, name);
      QCOMPARE(list->currentIndex(), -1);
      QVERIFY(!list->isEditable());
    }
    QCOMPARE(Get<QComboBox>(form, Form::Combo1)->itemText(8), QStringLiteral("About"));
    QCOMPARE(ShownPanes(form), QStringList{"SettingWelcome"});
  }

  void scrollBarEndsAndDraggingChangeNothing() {
    FormFixture f;
    const auto window = f.OpenAfterFirstRun();
    QWidget& form = Widget(*window);
    QScrollBar* scroller = Scroller(form);

    f.recording.calls.clear();
    scroller->triggerAction(QAbstractSlider::SliderSingleStepSub);
    scroller->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(scroller->value(), 1);
    QVERIFY(f.recording.calls.empty());

    scroller->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(ShownPanes(form), QStringList{"Setting1"});
    scroller->setValue(8);
    f.recording.calls.clear();
    scroller->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(scroller->value(), 8);
    QVERIFY(f.recording.calls.empty());

    // A thumb held down and moved changes nothing until it is released.
    scroller->setSliderDown(true);
    scroller->setSliderPosition(3);
    QCOMPARE(ShownPanes(form), QStringList{"Setting7"});
    QVERIFY(f.recording.calls.empty());
    scroller->setSliderDown(false);
    QCOMPARE(scroller->value(), 3);
    QCOMPARE(ShownPanes(form), QStringList{"Setting2"});
  }

  void accessKeysApplyTheShownPaneAndClose() {
    FormFixture f;
    const auto window = f.OpenAfterFirstRun();
    QWidget& form = Widget(*window);
    ShowAndActivate(*window);

    // The welcome pane has no Apply: Alt+A must not reach a hidden pane's.
    QCOMPARE(PressAltA(form), QString());

    Scroller(form)->setValue(2);
    QCOMPARE(PressAltA(form), QStringLiteral("Setting1Apply"));
    QCOMPARE(f.Text(quorvane::store::key::kNetTrans, "MaxMTU"), std::string("1500"));

    Scroller(form)->setValue(3);
    QCOMPARE(PressAltA(form), QStringLiteral("Setting2Apply"));
    QCOMPARE(f.Text(quorvane::store::key::kMstcp, "DefaultRcvWindow"), std::string("8192"));

    Scroller(form)->setValue(4);  // its Apply has no access key
    QCOMPARE(PressAltA(form), QString());

    // Alt+C from inside a text box ends the program.
    QLineEdit* box = Get<QLineEdit>(form, Form::Setting3Custom);
    box->setFocus();
    QTimer::singleShot(0, box, [box] { QTest::keyClick(box, Qt::Key_C, Qt::AltModifier); });
    QObject guard;  // ends with the test, and its timer with it
    QTimer::singleShot(60000, &guard, [] { QCoreApplication::exit(99); });  // Alt+C failed
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!form.isVisible());
  }

  void aboutOpensModallyCentredWithTheFocusOnOkAndIsBuiltAfresh() {
    FormFixture f;
    const auto window = f.OpenAfterFirstRun();
    QWidget& form = Widget(*window);
    ShowAndActivate(*window);
    Scroller(form)->setValue(3);

    QString firstVersion, secondTyped;
    bool centred = false, modal = false, focusOnOk = false, secondFocusOnOk = false;
    OpenAboutFromTheList(form, [&](QWidget* about) {
      modal = about->windowModality() == Qt::ApplicationModal;  // its owner: see kOwned
      const QPoint offCentre =
          about->frameGeometry().center() - about->screen()->availableGeometry().center();
      centred = offCentre.manhattanLength() <= 2;
      focusOnOk = about->focusWidget() == AboutOk(*about);
      firstVersion = Get<QLabel>(*about, About::lblVersion)->text();
      // Tab reaches the text box and comes back: nothing else takes the focus.
      QTest::keyClick(about, Qt::Key_Tab);
      QTest::keyClicks(WarningBox(*about), QStringLiteral("typed by the user"));
      QTest::keyClick(WarningBox(*about), Qt::Key_Tab);
      QTest::mouseClick(AboutOk(*about), Qt::LeftButton);
    });
    QVERIFY(modal);
    QVERIFY2(centred, "the About window is not centred on the screen");
    QVERIFY(focusOnOk);
    QCOMPARE(firstVersion, QStringLiteral("Version: 1.3 - Build 0"));
    QCOMPARE(ShownPanes(form), QStringList{"Setting2"});

    OpenAboutFromTheList(form, [&](QWidget* about) {
      secondTyped = WarningBox(*about)->toPlainText();
      secondFocusOnOk = about->focusWidget() == AboutOk(*about);
      about->close();  // the close box
    });
    QVERIFY(!secondTyped.contains(QStringLiteral("typed by the user")));
    QVERIFY(secondFocusOnOk);
  }

  // The shared tables of the windows' rules (tests/ui/window_keys.h), which
  // the Win32 window tests run as well.
  void paneFocusAndOverlapsAsTheTablesSay() {
    for (const auto& move : kPaneFocus) {
      InWindow(Window::Main, move.from, [&](QWidget& form) {
        Named(form, move.focus)->setFocus();
        Scroller(form)->setValue(move.to);
        QCOMPARE(FocusName(form), QString::fromLatin1(move.then));
      });
    }
    FormFixture f;
    const auto window = f.OpenAfterFirstRun();
    for (const auto& [lower, upper] : kOverlaps) {
      auto* below = Named(Widget(*window), lower);
      auto* above = Named(Widget(*window), upper);
      // Later children are drawn over earlier ones.
      const QObjectList& pile = below->parent()->children();
      QVERIFY2(above->parent() == below->parent() && pile.indexOf(above) > pile.indexOf(below),
               upper);
    }
  }

  void secondaryWindowsAreOwnedAsTheTableSays() {
    for (const auto& owned : kOwned) {
      FormFixture f;
      const auto main = f.OpenAfterFirstRun();
      ShowAndActivate(*main);
      QWidget& form = Widget(*main);
      Scroller(form)->setValue(owned.position);
      Named(form, owned.mainFocus)->setFocus();
      bool ownedAndModal = false;
      WhenModalOpens([&](QWidget* window) {
        ownedAndModal = window->parentWidget() == &form &&
                        window->windowHandle()->transientParent() == form.windowHandle() &&
                        window->isModal() && QApplication::activeModalWidget() == window;
        window->close();
      });
      OpenWindow(ModalOf(owned.window), main.get());
      QVERIFY2(ownedAndModal, WindowName(owned.window));
      QTRY_COMPARE(FocusName(form), QString::fromLatin1(owned.mainFocus));
    }
  }

  void firstRunQuestionKeysAsTheTableSays() {
    for (const auto& [key, accepts] : kQuestionKeys) {
      RegistryFixture f;  // the first run still to come
      quorvane::ui::MainWindow window(Toolkit(), f.registry);
      WhenModalOpens([&, key = key](QWidget* box) {
        Press(box, key);
        // A key that does not answer leaves the question to No.
        if (box->isVisible()) QTest::keyClick(box, Qt::Key_N);
      });
      QCOMPARE(window.Load() == quorvane::engine::StartOutcome::Continue, accepts);
    }
  }

  void captionsAsTheTableSays() {
    for (const auto& caption : kCaptions) {
      InWindow(caption.window, caption.position, [&](QWidget& window) {
        auto* control = Named(window, caption.control);
        if (caption.drawnOn) {
          const QImage image = window.grab().toImage();
          const qreal ratio = image.devicePixelRatio();  // the image counts device pixels
          const QRect area(control->mapTo(&window, QPoint(0, 0)) * ratio, control->size() * ratio);
          QCOMPARE(MostOf(image, area), ColourOf(*caption.drawnOn));
        }
        if (!caption.oneLine) return;
        auto* label = static_cast<QLabel*>(control);
        const QRect place = label->geometry();
        QVERIFY(!label->wordWrap());
        QVERIFY(place.width() >= label->fontMetrics().horizontalAdvance(label->text()));
        QVERIFY2(StandsAroundItsCaption({place.x(), place.y(), place.width(), place.height()},
                                        DesignPlaceOf(caption.window, caption.control)),
                 caption.control);
      });
    }
  }

  void windowKeysAsTheTableSays_data() {
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < std::size(kWindowKeys); ++i) {
      const WindowKey& key = kWindowKeys[i];
      QTest::addRow("%s, key %d on %s", WindowName(key.window), static_cast<int>(key.key), key.from)
          << static_cast<int>(i);
    }
  }

  void windowKeysAsTheTableSays() {
    QFETCH(int, row);
    const WindowKey& key = kWindowKeys[row];
    InWindow(key.window, key.position, [&](QWidget& window) {
      if (key.window != Window::Main) {
        QCOMPARE(FocusName(window), QString::fromLatin1(FirstFocusOf(key.window)));
      }
      Named(window, key.from)->setFocus();
      auto* box = window.findChild<QPlainTextEdit*>();
      const QString text = box ? box->toPlainText() : QString();
      for (Key pressed : {key.key, key.then[0], key.then[1]}) {
        // An open list takes the keys in its popup.
        QWidget* popup = QApplication::activePopupWidget();
        QWidget* focus = popup ? popup->focusWidget() : window.focusWidget();
        Press(key.over ? Named(window, key.over) : focus, pressed);
      }
      if (box) QCOMPARE(box->toPlainText(), text);
      QCOMPARE(window.isVisible(), key.to != kCloses);
      if (key.to == kCloses) return;
      QCOMPARE(FocusName(window), QString::fromLatin1(key.to));
      if (QWidget* shows = key.shows ? Named(window, key.over ? key.over : key.to) : nullptr) {
        auto* list = qobject_cast<QComboBox*>(shows);
        QCOMPARE(list ? list->currentText() : QString::number(Scroller(window)->value()),
                 QString::fromUtf8(key.shows));
      }
      if (auto* reached = qobject_cast<QRadioButton*>(window.focusWidget())) {
        for (auto* option : reached->parent()->findChildren<QRadioButton*>()) {
          QCOMPARE(option->isChecked(), option == reached);
        }
      }
    });
  }

  void aboutLinksOpenFromTheirWindowAndTheWarningScrolls() {
    AddressRecorder recorder;
    QWidget* shown = nullptr;
    bool pointers = true;
    double linesShown = 0;
    int blocks = 0;
    WhenModalOpens([&](QWidget* about) {
      shown = about;
      for (About name : {About::lblProduct, About::lblCopyright, About::lblURL}) {
        auto* link = Get<QLabel>(*about, name);
        pointers = pointers && link->cursor().hotSpot() == quorvane::ui::LinkCursor().hotSpot();
        QTest::mouseClick(link, Qt::LeftButton);
      }
      QPlainTextEdit* box = WarningBox(*about);
      blocks = box->document()->blockCount();
      // Below the margin above the text; the next line would be drawn into
      // the margin below it.
      const double margin = box->document()->documentMargin();
      linesShown = (box->viewport()->height() - margin) / QFontMetricsF(box->font()).height();
      about->close();
    });
    OpenWindow(quorvane::ui::ModalWindow::About);
    QVERIFY(pointers);
    const std::pair<QWidget*, std::string> home(shown, "http://tessamont.example/");
    QCOMPARE(recorder.opened, (std::vector<std::pair<QWidget*, std::string>>(3, home)));
    QCOMPARE(blocks, 7);  // six lines and the empty one after
    // Whole lines only, none cut through at the bottom, as Windows shows them.
    QVERIFY2(linesShown >= 2 && linesShown < 5 && std::abs(linesShown - std::round(linesShown)) < 0.01,
             qPrintable(QString::number(linesShown)));
  }

  void aboutIconAndTextsLieOverTheBarsAndShapes() {
    QStringList pile;
    QRectF icon, square;
    QSize iconSize;
    WhenModalOpens([&](QWidget* about) {
      for (QObject* child : about->children()) pile << child->objectName();
      icon = Get<QLabel>(*about, About::imgIcon)->geometry();
      iconSize = Get<QLabel>(*about, About::imgIcon)->pixmap().size();
      square = Get<QWidget>(*about, About::shpRect_1)->geometry();
      about->close();
    });
    OpenWindow(quorvane::ui::ModalWindow::About);
    QCOMPARE(iconSize, QSize(32, 32));
    // Centred to within the half pixel that the design's twips leave over.
    QVERIFY((icon.center() - square.center()).manhattanLength() <= 1.0);
    // Children later in the list are drawn over the earlier ones.
    const auto at = [&pile](About control) {
      return pile.indexOf(QString::fromLatin1(quorvane::ui::NameOf(control)));
    };
    QVERIFY(at(About::imgIcon) > at(About::shpRect_1));
    QVERIFY(at(About::lblTitle) > at(About::Label1));
    QVERIFY(at(About::lblInfo_1) > at(About::lblDescription));
  }

  void finishedOpensModallyOverTheMainWindowAndOnlyEnterCloses() {
    AddressRecorder recorder;
    FormFixture f;
    const auto main = f.OpenAfterFirstRun();
    ShowAndActivate(*main);
    for (int opening = 0; opening < 2; ++opening) {  // the second: built afresh, the same
      QRect placed;
      Qt::WindowType type = Qt::Dialog;
      QWidget* shown = nullptr;
      QWidget* owner = nullptr;
      Qt::WindowModality modality = Qt::NonModal;
      Qt::WindowFlags flags;
      QStringList texts;   // title and heading
      QList<QSize> sizes;  // size, minimum, maximum
      bool focusOnClose = false, openAfterEscape = false;
      WhenModalOpens([&](QWidget* window) {
        shown = window;
        placed = window->frameGeometry();
        type = window->windowHandle()->type();
        owner = window->parentWidget();
        modality = window->windowModality();
        flags = window->windowFlags();
        texts = {window->windowTitle(), Get<QLabel>(*window, Finished::Label1)->text()};
        sizes = {window->size(), window->minimumSize(), window->maximumSize()};
        focusOnClose = window->focusWidget() == Get<QPushButton>(*window, Finished::CmdClose);
        QTest::keyClick(window->focusWidget(), Qt::Key_Escape);
        openAfterEscape = window->isVisible();
        QTest::mouseClick(Get<QLabel>(*window, Finished::Label3), Qt::LeftButton);
        QTest::keyClick(window->focusWidget(), Qt::Key_Return);
      });
      OpenWindow(quorvane::ui::ModalWindow::Finished, main.get());  // returns once closed

      // Owned by the main window, which the window manager keeps it in
      // front of; the program does not centre it.
      QCOMPARE(owner, &Widget(*main));
      QVERIFY(placed.center() != Widget(*main).frameGeometry().center());
      QCOMPARE(type, Qt::Dialog);
      QCOMPARE(modality, Qt::ApplicationModal);
      QCOMPARE(texts, (QStringList{QStringLiteral("Quorvane"),
                                   QStringLiteral("Your Internet Settings Are Now Optimised!")}));
      QCOMPARE(sizes, (QList<QSize>(3, QSize(312, 206))));
      QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
      QVERIFY(focusOnClose);
      QVERIFY(openAfterEscape);
      QCOMPARE(recorder.opened.back(),
               (std::pair<QWidget*, std::string>(shown, "http://speedtest.pennick.example/")));
    }
  }

  void designColoursHoldUnderADarkDesktopPalette() {
    QPalette dark;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      dark.setColor(group, QPalette::Window, QColor(45, 45, 45));
      dark.setColor(group, QPalette::Base, QColor(30, 30, 30));
      dark.setColor(group, QPalette::Button, QColor(60, 60, 60));
      for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(group, role, QColor(220, 220, 220));
      }
    }
    const QPalette original = QApplication::palette();
    QApplication::setPalette(dark);

    FormFixture f;
    const auto window = f.OpenAfterFirstRun();
    QWidget& form = Widget(*window);
    window->Show();
    std::map<QString, QStringList> faults;
    for (int position = 1; position <= 8; ++position) {
      Scroller(form)->setValue(position);
      faults[QStringLiteral("main window")] << ColourFaults(form);
    }
    WhenModalOpens([&](QWidget* about) {
      faults[QStringLiteral("About")] = ColourFaults(*about);
      about->close();
    });
    OpenWindow(quorvane::ui::ModalWindow::About);
    WhenModalOpens([&](QWidget* finished) {
      faults[QStringLiteral("Finished")] = ColourFaults(*finished);
      finished->close();
    });
    OpenWindow(quorvane::ui::ModalWindow::Finished);
    WhenModalOpens([&](QWidget* box) {
      faults[QStringLiteral("message box")] = ColourFaults(*box);
      box->close();
    });
    quorvane::engine::Message message;
    message.text = "Restore Complete. Please Reboot your Computer.";
    Toolkit().ShowMessage(message, nullptr);
    QApplication::setPalette(original);

    for (const auto& [window, found] : faults) {
      QVERIFY2(found.isEmpty(), qPrintable(window + QStringLiteral(": ") + found.join(u'\n')));
    }
    QCOMPARE(faults.size(), 4u);
  }

  void oneLineLabelsShowTheirWholeCaptionOrBreakAtAWord() {
    FormFixture f;
    const auto window = f.OpenAfterFirstRun();
    QWidget& form = Widget(*window);
    window->Show();
    // Wider than the label, narrower than its pane: the label grows, also
    // when its caption changed while its pane was hidden.
    auto* hint = Get<QLabel>(form, Form::Label31);
    window->view().SetText(quorvane::ui::FormControl::Label31, "Dialup: 3216 and then some");
    Scroller(form)->setValue(3);
    QVERIFY(hint->isVisible());
    QVERIFY(hint->width() >= hint->fontMetrics().horizontalAdvance(hint->text()));
    QCOMPARE(hint->height(), 17);
    // Wider than the pane: the caption wraps at a word, never inside one.
    window->view().SetText(quorvane::ui::FormControl::Label31,
                           QString(QStringLiteral("Dialup ")).repeated(20).toStdString());
    QVERIFY(hint->wordWrap());
    QCOMPARE(hint->x() + hint->width(), hint->parentWidget()->width());
  }

  // Every label stands where its design puts it, fitted or not, on every
  // pane; a label that holds one line shows its caption whole on it.
  void labelsStandAtTheirDesignPlaces() {
    FormFixture f;
    const auto window = f.OpenAfterFirstRun();
    QWidget& form = Widget(*window);
    window->Show();
    QStringList faults;
    const quorvane::ui::DesignRows rows = quorvane::ui::RowsOf(quorvane::ui::kQuorvaneFormDesign);
    for (int position = 1; position <= 8; ++position) {
      Scroller(form)->setValue(position);
      for (const quorvane::ui::ControlRow& row : rows.controls) {
        auto* label = form.findChild<QLabel*>(QString::fromLatin1(row.name));
        if (!quorvane::ui::IsLabel(row.kind) || !label->isVisible()) continue;
        const QRect design(quorvane::ui::TwipsToPixels(row.place.left),
                           quorvane::ui::TwipsToPixels(row.place.top),
                           quorvane::ui::TwipsToPixels(row.place.width),
                           quorvane::ui::TwipsToPixels(row.place.height));
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        const bool whole = !row.holdsOneLine || needed <= label->width() ||
                           label->geometry().right() + 1 == label->parentWidget()->width();
        if (label->pos() != design.topLeft() || label->width() < design.width() || !whole) {
          faults << QStringLiteral("%1 at %2,%3 %4 wide, needs %5")
                        .arg(label->objectName())
                        .arg(label->x())
                        .arg(label->y())
                        .arg(label->width())
                        .arg(needed);
        }
      }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
  }

  // Text the design sets bold has as much more ink than the same caption
  // drawn regular at the window's resolution as at 96 dots per inch, where
  // Qt thickens the strokes of a typeface without a bold of its own by
  // whole pixels: at 144 it gained a third less and read as regular, still
  // 15% more ink than regular, which this test once took for bold.
  void boldCaptionsAreDrawnBold() {
    // The ink of the control drawn at a device pixel ratio: dark on light.
    const auto inkOf = [](QWidget* control, qreal ratio) {
      QImage image(control->size() * ratio, QImage::Format_RGB32);
      image.setDevicePixelRatio(ratio);
      image.fill(Qt::white);
      control->render(&image);
      qint64 ink = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) ink += 255 - qGray(image.pixel(x, y));
      }
      return static_cast<double>(ink);
    };
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    QStringList faults;
    const auto check = [&](QWidget* control) {
      const QFont bold = control->font();
      QFont regular = bold;
      regular.setBold(false);
      control->setFont(regular);
      const double regularInk = inkOf(control, ratio), regularAt96 = inkOf(control, 1);
      control->setFont(bold);
      const double gained = inkOf(control, ratio) / regularInk;
      const double gainedAt96 = inkOf(control, 1) / regularAt96;
      if (!bold.bold() || gainedAt96 < 1.15 || gained < 0.95 * gainedAt96) {
        faults << QStringLiteral("%1: %2 times the ink of regular, %3 at 96 dots per inch")
                      .arg(control->objectName())
                      .arg(gained)
                      .arg(gainedAt96);
      }
    };
    FormFixture f;
    const auto window = f.OpenAfterFirstRun();
    window->Show();
    check(Get<QLabel>(Widget(*window), Form::Label35));
    WhenModalOpens([&](QWidget* about) {
      check(Get<QLabel>(*about, About::lblInfo_1));
      about->close();
    });
    OpenWindow(quorvane::ui::ModalWindow::About);
    WhenModalOpens([&](QWidget* finished) {
      check(Get<QLabel>(*finished, Finished::Label1));
      check(Get<QPushButton>(*finished, Finished::CmdClose));
      finished->close();
    });
    OpenWindow(quorvane::ui::ModalWindow::Finished);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
  }

  // Right is the next pane and Left the previous, as on Windows; Home and
  // End the ends. The focused scroll bar shows that it has the focus.
  void scrollBarKeysAndFocusMark() {
    FormFixture f;
    const auto window = f.OpenAfterFirstRun();
    QWidget& form = Widget(*window);
    ShowAndActivate(*window);
    QScrollBar* scroller = Scroller(form);
    // The mark is dark enough to be seen: more dark pixels than without it.
    const auto darkPixels = [scroller] {
      const QImage image = scroller->grab().toImage();
      int dark = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 100;
      }
      return dark;
    };
    const int unfocused = darkPixels();
    scroller->setFocus();
    QTRY_VERIFY(scroller->hasFocus());
    QVERIFY2(darkPixels() > unfocused + 10, "no focus mark");
    QList<int> positions;
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_End, Qt::Key_Down,
                        Qt::Key_Home, Qt::Key_Up, Qt::Key_PageDown}) {
      QTest::keyClick(scroller, key);
      positions << scroller->value();
    }
    QCOMPARE(positions, (QList<int>{2, 3, 2, 8, 8, 1, 1, 2}));
    QCOMPARE(ShownPanes(form), QStringList{"Setting1"});
  }
};

QTEST_MAIN(QtWindowsTest)
#include "qt_windows_test.moc"
