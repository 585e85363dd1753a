#include "ui/qt/program_fonts.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QStringList>
#include <cmath>

#include "ui/qt/program_style.h"

#ifdef QUORVANE_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace quorvane::ui {
namespace {

constexpr double kDesignDotsPerInch = 96.0;
constexpr double kPointsPerInch = 72.0;

const char* FamilyOf(Face face) {
  switch (face) {
    case Face::Tahoma:
      return "Tahoma";
    case Face::MsSansSerif:
      return "MS Sans Serif";
    case Face::TimesNewRoman:
      return "Times New Roman";
    case Face::Inherit:
      break;
  }
  return "";
}

#ifndef _WIN32
// Debian's fonts-wine: free clones of the two faces, drawn to their metrics.
// Not the clone's bold face (tahomabd.ttf): it carries bold widths but the
// regular strokes, and so would draw bold text regular; from the regular
// face alone Qt draws bold text emboldened, as Wine does.
constexpr const char* kWineFontFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/ms_sans_serif.ttf",
};
#endif

// Where neither the face nor its clone is installed: sans-serif faces of
// nearly the same widths, best first.
const QStringList kSubstitutes = {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                  QStringLiteral("DejaVu Sans Condensed")};

}  // namespace

void LoadSystemFontConfiguration() {
#ifdef QUORVANE_HAVE_FONTCONFIG
  // fontconfig loads its configuration once per process, for whichever
  // thread asks first; Qt's font database asks again and is answered at
  // once. A configuration that fails to load gives Qt fontconfig's fallback,
  // as Qt's own first call would have.
  (void)FcInit();
#endif
}

void RegisterProgramFonts() {
  static const bool registered = [] {
#ifndef _WIN32
    for (const char* file : kWineFontFiles) {
      if (QFile::exists(QString::fromLatin1(file))) {
        QFontDatabase::addApplicationFont(QString::fromLatin1(file));
      }
    }
#endif
    for (Face face : {Face::Tahoma, Face::MsSansSerif}) {
      QFont::insertSubstitutions(QString::fromLatin1(FamilyOf(face)), kSubstitutes);
    }
    QApplication::setStyle(new ProgramStyle(QApplication::style()->name()));
    return true;
  }();
  (void)registered;
}

QFont MakeFont(const FontSpec& spec) {
  QFont font(QString::fromLatin1(FamilyOf(spec.face)));
  font.setPixelSize(static_cast<int>(std::lround(spec.points * kDesignDotsPerInch / kPointsPerInch)));
  font.setBold(spec.bold);
  font.setUnderline(spec.underline);
  // MS Sans Serif's clone has bitmaps of three sizes and no outlines: on a
  // screen that does not map a pixel to a pixel, Qt draws the bitmaps of the
  // smaller size spread out to the larger spacing. There an outline face
  // of its substitutes draws it instead.
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen && screen->devicePixelRatio() != 1.0) font.setStyleStrategy(QFont::ForceOutline);
  return font;
}

}  // namespace quorvane::ui
