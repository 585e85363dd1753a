#include "ui/qt/program_style.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <QStyleOption>
#include <QTransform>
#include <optional>

namespace quorvane::ui {
namespace {

// Qt draws text up to this many pixels high from glyph images that it makes
// at the font's own size, scaled; larger text from the glyphs' outlines,
// which it thickens for the size they are drawn at.
constexpr qreal kLargestGlyphImage = 64;

}  // namespace

ProgramStyle::ProgramStyle(const QString& base) : QProxyStyle(base) {}

void ProgramStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
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

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
  QProxyStyle::drawControl(element, option, painter, widget);
  const auto focusRect = [&]() -> std::optional<SubElement> {
    switch (element) {
      case CE_PushButton: return SE_PushButtonFocusRect;
      case CE_CheckBox: return SE_CheckBoxFocusRect;
      case CE_RadioButton: return SE_RadioButtonFocusRect;
      default: return std::nullopt;
    }
  }();
  const State shown = State_HasFocus | State_KeyboardFocusChange;
  if (!focusRect || (option->state & shown) != shown) return;
  // One pixel on, one off, in the text's colour; on a push button, inside
  // its frame.
  const int inset = element == CE_PushButton ? 3 : 0;
  const QRect rect = subElementRect(*focusRect, option, widget)
                         .adjusted(inset, inset, -inset - 1, -inset - 1);
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setBrush(Qt::NoBrush);
  painter->setPen(QPen(option->palette.color(QPalette::WindowText), 0, Qt::DotLine));
  painter->drawRect(rect);
  painter->restore();
}

}  // namespace quorvane::ui
