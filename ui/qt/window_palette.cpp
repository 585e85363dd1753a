#include "ui/qt/window_palette.h"

#include <QColor>
#include <QPalette>

namespace quorvane::ui {
namespace {

QPalette MakeDesignPalette() {
  const QColor white(255, 255, 255), black(0, 0, 0), face(240, 240, 240), grey(109, 109, 109);
  QPalette palette;
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    const bool disabled = group == QPalette::Disabled;
    const QColor text = disabled ? grey : black;
    const auto set = [&](QPalette::ColorRole role, const QColor& colour) {
      palette.setColor(group, role, colour);
    };
    set(QPalette::Window, white);
    set(QPalette::WindowText, text);
    set(QPalette::Base, white);
    set(QPalette::AlternateBase, face);
    set(QPalette::Text, text);
    set(QPalette::PlaceholderText, grey);
    set(QPalette::Button, face);
    set(QPalette::ButtonText, text);
    set(QPalette::BrightText, white);
    set(QPalette::Light, white);
    set(QPalette::Midlight, QColor(227, 227, 227));
    set(QPalette::Mid, QColor(160, 160, 160));
    set(QPalette::Dark, QColor(160, 160, 160));
    set(QPalette::Shadow, QColor(105, 105, 105));
    set(QPalette::Highlight, disabled ? face : QColor(0, 120, 215));
    set(QPalette::HighlightedText, disabled ? grey : white);
    set(QPalette::Link, QColor(0, 0, 255));
    set(QPalette::LinkVisited, QColor(128, 0, 128));
    set(QPalette::ToolTipBase, QColor(255, 255, 225));
    set(QPalette::ToolTipText, black);
  }
  return palette;
}

}  // namespace

const QPalette& DesignPalette() {
  static const QPalette palette = MakeDesignPalette();
  return palette;
}

}  // namespace quorvane::ui
