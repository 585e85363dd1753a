#include "ui/qt/bold_text_style.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QTransform>

namespace quorvane::ui {
namespace {

// Qt draws text up to this many pixels high from glyph images that it makes
// at the font's own size, scaled; larger text from the glyphs' outlines,
// which it thickens for the size they are drawn at.
constexpr qreal kLargestGlyphImage = 64;

}  // namespace

BoldTextStyle::BoldTextStyle(const QString& base) : QProxyStyle(base) {}

void BoldTextStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                 const QPalette& palette, bool enabled, const QString& text,
                                 QPalette::ColorRole textRole) const {
  // The screen's pixels per pixel of the layout, where the painter only
  // moves and scales the layout evenly.
  const QTransform toDevice = painter->deviceTransform();
  const qreal ratio = toDevice.m11();
  const bool evenlyScaled = toDevice.type() <= QTransform::TxScale &&
                            qFuzzyCompare(toDevice.m22(), ratio) &&
                            painter->worldTransform().type() <= QTransform::TxTranslate;
  QFont font = painter->font();
  const qreal dotsPerInch = painter->device()->logicalDpiY();
  const qreal pixels =
      font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dotsPerInch / 72;
  if (!font.bold() || !evenlyScaled || qFuzzyCompare(ratio, 1.0) ||
      pixels * ratio > kLargestGlyphImage) {
    QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
    return;
  }
  // The same caption in the same place, laid out and drawn in the screen's
  // pixels: the font as many times larger as the painter no longer scales.
  font.setPointSizeF(pixels * ratio * 72 / dotsPerInch);
  painter->save();
  painter->scale(1 / ratio, 1 / ratio);
  painter->setFont(font);
  const QRect onScreen = QTransform::fromScale(ratio, ratio).mapRect(QRectF(rect)).toAlignedRect();
  QProxyStyle::drawItemText(painter, onScreen, flags, palette, enabled, text, textRole);
  painter->restore();
}

}  // namespace quorvane::ui
