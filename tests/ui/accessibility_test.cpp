// What a screen reader finds in the windows: every control a person can
// operate has a name, labels read as their text, links are announced as
// links (and the clickable "ADSL Information" label is not one), and the
// main window's entry boxes, scroll bar and lists are named for what they
// set or choose.
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <set>

#include "tests/ui/window_test_support.h"
#include "ui/quorvane_about_design.h"
#include "ui/qt/program_fonts.h"

using quorvane::testing::FormFixture;

namespace {

QString Describe(QAccessibleInterface* node) {
  const QObject* object = node->object();
  return QStringLiteral("%1 (role %2)")
      .arg(object ? object->objectName() : QStringLiteral("<no object>"))
      .arg(int(node->role()));
}

// Visits every node of the window's accessibility tree. A drop-down list's
// popup and items are the list's own business: the list carries the name.
void Walk(QAccessibleInterface* node, const std::function<void(QAccessibleInterface*)>& visit) {
  visit(node);
  if (node->role() == QAccessible::ComboBox) return;
  for (int i = 0; i < node->childCount(); ++i) Walk(node->child(i), visit);
}

bool TakesInput(QAccessibleInterface* node) {
  using R = QAccessible::Role;
  static const std::set<R> kInputRoles = {R::PushButton, R::CheckBox,     R::RadioButton,
                                          R::ComboBox,   R::EditableText, R::ScrollBar,
                                          R::Slider,     R::SpinBox,      R::Link};
  if (kInputRoles.count(node->role()) || node->state().focusable) return true;
  const QAccessibleActionInterface* actions = node->actionInterface();
  return actions && !actions->actionNames().isEmpty();
}

// The faults a screen reader user would meet in the window, one line each.
QStringList AccessibilityFaults(QWidget& window) {
  QStringList faults;
  Walk(QAccessible::queryAccessibleInterface(&window), [&](QAccessibleInterface* node) {
    const QString name = node->text(QAccessible::Name);
    if (TakesInput(node) && name.trimmed().isEmpty()) {
      faults << QStringLiteral("nameless control that takes input: ") + Describe(node);
    }
    const auto* label = qobject_cast<const QLabel*>(node->object());
    if (label && !label->text().isEmpty() && name != label->text()) {
      faults << QStringLiteral("label does not read as its text: ") + Describe(node);
    }
    if (label && label->inherits("quorvane::ui::LinkLabel")) {
      const QAccessibleActionInterface* actions = node->actionInterface();
      if (node->role() != QAccessible::Link ||
          !(actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction()))) {
        faults << QStringLiteral("link label not announced as a link: ") + Describe(node);
      }
    }
  });
  return faults;
}

template <typename Id>
QAccessibleInterface* Node(const QWidget& window, Id control) {
  return QAccessible::queryAccessibleInterface(quorvane::testing::Get<QWidget>(window, control));
}

using About = quorvane::ui::AboutControl;
using Form = quorvane::ui::FormControl;

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { quorvane::ui::RegisterProgramFonts(); }

  void aboutWindowReadsWell() {
    QStringList faults;
    QList<QAccessible::Role> roles;  // the warning box's name, OK's, then the links'
    QStringList names;
    quorvane::testing::WhenModalOpens([&](QWidget* about) {
      faults = AccessibilityFaults(*about);
      names << Node(*about, About::txtSpecialCopyright)->text(QAccessible::Name)
            << Node(*about, About::cmdOK)->text(QAccessible::Name);
      for (About link : {About::lblProduct, About::lblCopyright, About::lblURL}) {
        roles << Node(*about, link)->role();
      }
      about->close();
    });
    quorvane::testing::OpenWindow(quorvane::ui::ModalWindow::About);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    QCOMPARE(names, (QStringList{QStringLiteral("Legal warning"), QStringLiteral("OK")}));
    QCOMPARE(roles, QList<QAccessible::Role>(3, QAccessible::Link));
  }

  void mainWindowReadsWell() {
    FormFixture f;
    const auto window = f.OpenAfterFirstRun();
    QWidget* form = &quorvane::testing::Widget(*window);
    form->show();
    const QStringList faults = AccessibilityFaults(*form);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));

    // Each entry box is named by the "Change To:" label beside it.
    for (Form box : {Form::Setting1Custom, Form::Setting2Custom, Form::Setting3Custom,
                     Form::Setting4Custom, Form::Setting6Custom}) {
      QCOMPARE(Node(*form, box)->text(QAccessible::Name), QStringLiteral("Change To:"));
    }
    // A clickable label, read as text: it opens no web address.
    QCOMPARE(Node(*form, Form::Label37)->role(), QAccessible::StaticText);

    // The scroll bar and the two lists choose different things: their names
    // tell them apart.
    const QString scroller = Node(*form, Form::scroller)->text(QAccessible::Name);
    const QString paneList = Node(*form, Form::Combo1)->text(QAccessible::Name);
    const QString typeList = Node(*form, Form::Combo2)->text(QAccessible::Name);
    QVERIFY(!scroller.isEmpty() && !paneList.isEmpty() && !typeList.isEmpty());
    QVERIFY(scroller != paneList && paneList != typeList && scroller != typeList);
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
