// The Qt controls that a design asks for where Qt's own behave otherwise:
// shapes, the pane scroll bar, the multi-line box and the lists.
#pragma once

#include <QComboBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWidget>
#include <optional>

#include "ui/design_rows.h"

namespace quorvane::ui {

// A rectangle or a line: paints its fill and a one-pixel outline, either of
// which may be absent. It takes no input.
class Shape : public QWidget {
 public:
  Shape(const ControlRow& row, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  std::optional<Rgb> fill_;
  std::optional<Rgb> border_;
};

// A horizontal scroll bar with Windows' keys (Right and Down the next
// position, Left and Up the previous, Home and End the ends) and a focus
// mark on its thumb while it has the focus. Qt's own turns the arrow keys
// round, and its styles draw no focus on a scroll bar.
class PaneScrollBar : public QScrollBar {
 public:
  PaneScrollBar(const ControlRow& row, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

// A multi-line box that shows whole lines only, as Windows' edit control
// does: the last line that would be cut off at the bottom is not shown.
class WholeLinesBox : public QPlainTextEdit {
 public:
  WholeLinesBox(const QString& text, QWidget* parent);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void ShowWholeLines();
};

// A selection-only drop-down list that opens as Windows' own does: with
// no item chosen, no item is highlighted, so that Down reaches the first
// (Qt's highlights the first as the list opens, and Down the second). What
// a screen reader hears of it is its items, and the one chosen, however it
// was chosen.
class DesignList : public QComboBox {
  Q_OBJECT

 public:
  explicit DesignList(QWidget* parent);

  void showPopup() override;
};

}  // namespace quorvane::ui
