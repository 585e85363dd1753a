// The program's icons: their sizes and 16-colour palettes, and the .ico and
// PNG files that the build makes from the drawings for Windows and the Linux
// desktop, which must show the same pixels as the drawings the program
// compiles in at the drawings' own sizes, and hold every other size.
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QMap>
#include <QSet>
#include <QTest>

#include "ui/qt/program_icons.h"

namespace {

QString IconFile(const char* name) {
  return QStringLiteral(QUORVANE_ICON_DIR "/") + QString::fromLatin1(name);
}

// The images of an .ico file by their side.
QMap<int, QImage> IcoImages(const char* name) {
  QMap<int, QImage> images;
  QImageReader reader(IconFile(name));
  const int count = reader.imageCount();
  for (int i = 0; i < count && reader.jumpToImage(i); ++i) {
    const QImage image = reader.read();
    images.insert(image.width(), image);
  }
  return images;
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
    const auto programIco = IcoImages("program_icon.ico");
    const auto finishedIco = IcoImages("finished_icon.ico");
    const QList<int> icoSizes{16, 24, 32, 48, 256};
    QCOMPARE(programIco.keys(), icoSizes);
    QCOMPARE(finishedIco.keys(), icoSizes);
    QVERIFY(SamePixels(programIco[32], Drawn(quorvane::ui::ProgramIcon(), 32)));
    QVERIFY(SamePixels(finishedIco[32], Drawn(quorvane::ui::FinishedIcon(), 32)));
    QVERIFY(SamePixels(finishedIco[16], Drawn(quorvane::ui::FinishedIcon(), 16)));

    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
      const QImage png(IconFile("hicolor/%1x%1/apps/quorvane.png").arg(side));
      QCOMPARE(png.size(), QSize(side, side));
    }
    QVERIFY(SamePixels(QImage(IconFile("hicolor/32x32/apps/quorvane.png")),
                       Drawn(quorvane::ui::ProgramIcon(), 32)));
    // Whole multiples repeat the drawing's pixels: the 256-pixel icon, seen
    // at 32, is the drawing again.
    QVERIFY(SamePixels(programIco[256].scaled(32, 32), Drawn(quorvane::ui::ProgramIcon(), 32)));
  }
};

QTEST_MAIN(ProgramIconsTest)
#include "program_icons_test.moc"
