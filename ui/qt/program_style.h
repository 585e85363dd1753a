// The program's Qt style: the desktop's own, but for two things that it
// draws otherwise than Windows does.
//
// Bold captions. Where a typeface has no bold of its own (Tahoma's clone),
// Qt thickens its regular strokes by an amount it works out from the font's
// size. On a screen that does not map a pixel to a pixel (a scale factor or
// a font resolution other than 96 dots per inch), Qt draws small captions
// scaled up from that size and thickens them by the amount of the unscaled
// one: at 144 dots per inch a bold caption gained a third less ink than at
// 96, and read as regular. This style draws them at the screen's own size,
// where they gain what they should.
//
// The focus. The desktop's style (Fusion) marks a focused push button as it
// marks the default one, so that the About window's OK looked the same
// whether it or the warning box had the focus; this style marks a focused
// push button, check box or option button as Windows does, with a dotted
// rectangle, once the window shows the focus.
#pragma once

#include <QProxyStyle>

namespace quorvane::ui {

class ProgramStyle final : public QProxyStyle {
  Q_OBJECT

 public:
  // The style of that name (the application's), with the above.
  explicit ProgramStyle(const QString& base);

  void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                    bool enabled, const QString& text,
                    QPalette::ColorRole textRole = QPalette::NoRole) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
};

}  // namespace quorvane::ui
