// The program's Qt style: the desktop's own, but for captions set bold,
// which it draws in the pixels of the screen they are shown on.
//
// Where a typeface has no bold of its own (Tahoma's clone), Qt thickens its
// regular strokes by an amount it works out from the font's size. On a
// screen that does not map a pixel to a pixel (a scale factor or a font
// resolution other than 96 dots per inch), Qt draws small captions scaled
// up from that size and thickens them by the amount of the unscaled one:
// at 144 dots per inch a bold caption gains a third less ink than at 96, and
// reads as regular. Drawn at the screen's own size, it gains what it should.
#pragma once

#include <QProxyStyle>

namespace quorvane::ui {

class BoldTextStyle final : public QProxyStyle {
  Q_OBJECT

 public:
  // The style of that name (the application's), with bold drawn as above.
  explicit BoldTextStyle(const QString& base);

  void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                    bool enabled, const QString& text,
                    QPalette::ColorRole textRole = QPalette::NoRole) const override;
};

}  // namespace quorvane::ui
