// The program's icons: their sizes and 16-colour palettes, and the .ico and
// PNG files made from the drawings for Windows and the Linux desktop, which
// must show the same pixels as the drawings the program compiles in.
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>

#include "ui/qt/program_icons.h"

namespace {

QString IconFile(const char* name) {
  return QStringLiteral(QUORVANE_SOURCE_DIR "/ui/icons/") + QString::fromLatin1(name);
}

QImage Drawn(const QIcon& icon, int side) {
  return icon.pixmap(side, side).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The colours of the opaque pixels; fully transparent ones are no colour.
QSet<QRgb> OpaqueColours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAlpha(pixel) != 0) colours.insert(pixel);
    }
  }
  return colours;
}

// Same size, and the same colour wherever either is opaque.
bool SamePixels(const QImage& made, const QImage& drawn) {
  if (made.size() != drawn.size()) return false;
  const QImage a = made.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = drawn.pixel(x, y);
      if (qAlpha(p) != qAlpha(q) || (qAlpha(p) != 0 && p != q)) return false;
    }
  }
  return true;
}

}  // namespace

class ProgramIconsTest : public QObject {
  Q_OBJECT

 private slots:
  void iconsAre16ColourDrawingsOfTheirSizes() {
    const QIcon program = quorvane::ui::ProgramIcon();
    const QIcon finished = quorvane::ui::FinishedIcon();
    QCOMPARE(program.availableSizes(), QList<QSize>{QSize(32, 32)});
    QCOMPARE(finished.availableSizes(), (QList<QSize>{QSize(32, 32), QSize(16, 16)}));

    for (const QImage& image : {Drawn(program, 32), Drawn(finished, 32), Drawn(finished, 16)}) {
      const int colours = int(OpaqueColours(image).size());
      QVERIFY2(colours >= 2 && colours <= 16, qPrintable(QString::number(colours)));
    }
    QVERIFY(Drawn(program, 32) != Drawn(finished, 32));
  }

  void madeFilesShowTheDrawings() {
    QImageReader programIco(IconFile("program_icon.ico"));
    QCOMPARE(programIco.imageCount(), 1);
    QVERIFY(SamePixels(programIco.read(), Drawn(quorvane::ui::ProgramIcon(), 32)));

    QImageReader finishedIco(IconFile("finished_icon.ico"));
    QCOMPARE(finishedIco.imageCount(), 2);
    QVERIFY(SamePixels(finishedIco.read(), Drawn(quorvane::ui::FinishedIcon(), 32)));
    QVERIFY(finishedIco.jumpToNextImage());
    QVERIFY(SamePixels(finishedIco.read(), Drawn(quorvane::ui::FinishedIcon(), 16)));

    QVERIFY(SamePixels(QImage(IconFile("quorvane.png")), Drawn(quorvane::ui::ProgramIcon(), 32)));
  }
};

QTEST_MAIN(ProgramIconsTest)
#include "program_icons_test.moc"
