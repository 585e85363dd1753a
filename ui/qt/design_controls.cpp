#include "ui/qt/design_controls.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <cmath>

#include "ui/qt/window_palette.h"

namespace quorvane::ui {
namespace {

// The scroll bar's keys and what each does, as on Windows.
struct ScrollKey {
  Qt::Key key;
  QAbstractSlider::SliderAction action;
};
constexpr ScrollKey kScrollKeys[] = {
    {Qt::Key_Left, QAbstractSlider::SliderSingleStepSub},
    {Qt::Key_Up, QAbstractSlider::SliderSingleStepSub},
    {Qt::Key_Right, QAbstractSlider::SliderSingleStepAdd},
    {Qt::Key_Down, QAbstractSlider::SliderSingleStepAdd},
    {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub},
    {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
    {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
    {Qt::Key_End, QAbstractSlider::SliderToMaximum},
};

}  // namespace

DesignList::DesignList(QWidget* parent) : QComboBox(parent) {
  // The popup's current item is the one a screen reader hears as chosen, and
  // Qt moves it only as the popup opens or a typed letter finds an item: an
  // item chosen with the arrow keys, closed, would be heard as the one before.
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
    view()->setCurrentIndex(model()->index(index, modelColumn(), rootModelIndex()));
  });
}

void DesignList::showPopup() {
  QComboBox::showPopup();
  if (currentIndex() < 0) view()->setCurrentIndex(QModelIndex());
}

Shape::Shape(const ControlRow& row, QWidget* parent)
    : QWidget(parent), fill_(row.fill), border_(row.border) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (fill_) painter.fillRect(rect(), ColourOf(*fill_));
  if (border_) {
    painter.setPen(ColourOf(*border_));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

PaneScrollBar::PaneScrollBar(const ControlRow& row, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent) {
  setRange(row.minimum, row.maximum);
  // One step per position, whether an arrow or the trough is clicked; a
  // dragged thumb reports its change only once it is released.
  setSingleStep(1);
  setPageStep(1);
  setTracking(false);
  setValue(row.minimum);
  setFocusPolicy(Qt::StrongFocus);  // the keys move it too
}

void PaneScrollBar::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() & ~Qt::KeypadModifier) {
    QScrollBar::keyPressEvent(event);
    return;
  }
  for (const ScrollKey& key : kScrollKeys) {
    if (event->key() == key.key) {
      triggerAction(key.action);
      event->accept();
      return;
    }
  }
  QScrollBar::keyPressEvent(event);
}

// A dotted rectangle inside the thumb, as Windows marks the focus: the
// styles' own focus frame is faint or absent on a scroll bar.
void PaneScrollBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (!hasFocus()) return;
  QStyleOptionSlider bar;
  initStyleOption(&bar);
  const QRect thumb =
      style()->subControlRect(QStyle::CC_ScrollBar, &bar, QStyle::SC_ScrollBarSlider, this);
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
  painter.drawRect(thumb.adjusted(2, 2, -3, -3));
}

WholeLinesBox::WholeLinesBox(const QString& text, QWidget* parent) : QPlainTextEdit(text, parent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

void WholeLinesBox::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  ShowWholeLines();
}

void WholeLinesBox::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) ShowWholeLines();
}

void WholeLinesBox::showEvent(QShowEvent* event) {
  QPlainTextEdit::showEvent(event);
  ShowWholeLines();  // the lines are laid out by now
}

// What is left below the last whole line becomes a margin beneath the text.
// The document's own margin above the text counts; the one below it does
// not, since the next line is drawn into it.
void WholeLinesBox::ShowWholeLines() {
  // A plain text line is as high as its font's ascent and descent.
  const double line = QFontMetricsF(font()).height();
  if (line <= 0) return;
  const QRect inside = contentsRect();
  const int text = inside.height() - static_cast<int>(document()->documentMargin());
  const int lines = std::max(1, static_cast<int>(std::floor(text / line)));
  const int rest = std::max(0, text - static_cast<int>(std::ceil(lines * line)));
  setViewportMargins(0, 0, 0, rest);
}

}  // namespace quorvane::ui
