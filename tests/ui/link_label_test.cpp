// The link labels' behaviour, their pointer and the opener they call.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QBitmap>
#include <QCursor>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "tests/ui/window_test_support.h"
#include "ui/qt/link_cursor.h"
#include "ui/qt/link_label.h"
#include "ui/qt/open_web_address.h"

using quorvane::ui::LinkLabel;

class LinkLabelTest : public QObject {
  Q_OBJECT

 private slots:
  void pointerIsTheSharedHandWithItsHotSpotAtTheFingertip() {
    const QCursor& cursor = quorvane::ui::LinkCursor();
    QCOMPARE(&cursor, &quorvane::ui::LinkCursor());
    QCOMPARE(cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(cursor.hotSpot(), QPoint(6, 4));
    const QImage shape = cursor.bitmap().toImage();
    const QImage mask = cursor.mask().toImage();
    QCOMPARE(shape.size(), QSize(32, 32));
    // The hot spot is a drawn black pixel; the corner is clear.
    QCOMPARE(mask.pixelIndex(6, 4), 1);
    QCOMPARE(mask.pixelIndex(0, 0), 0);

    LinkLabel label(QStringLiteral("link"));
    QCOMPARE(label.cursor().hotSpot(), QPoint(6, 4));
    QCOMPARE(label.focusPolicy(), Qt::NoFocus);
  }

  void clicksOnlyWhenPressedAndReleasedOverIt() {
    LinkLabel label(QStringLiteral("link"));
    label.resize(100, 20);
    QSignalSpy clicked(&label, &LinkLabel::clicked);
    QTest::mouseClick(&label, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    QTest::mouseClick(&label, Qt::RightButton);
    QCOMPARE(clicked.count(), 1);
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(150, 5));  // dragged off
    QCOMPARE(clicked.count(), 1);
  }

  void isAnnouncedAsALinkThatCanBePressed() {
    LinkLabel label(QStringLiteral("ADSL Information"));
    QSignalSpy clicked(&label, &LinkLabel::clicked);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&label);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Link);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("ADSL Information"));
    QAccessibleActionInterface* actions = accessible->actionInterface();
    QVERIFY(actions);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicked.count(), 1);
  }

  void openerGetsTheAddressUnchanged() {
    quorvane::testing::AddressRecorder recorder;
    quorvane::ui::OpenWebAddress(nullptr, "http://example.test/a b?c=%20");
    quorvane::ui::OpenWebAddress(nullptr, "");
    using Opened = std::pair<QWidget*, std::string>;
    QCOMPARE(recorder.opened, (std::vector<Opened>{{nullptr, "http://example.test/a b?c=%20"},
                                                   {nullptr, ""}}));
  }
};

QTEST_MAIN(LinkLabelTest)
#include "link_label_test.moc"
