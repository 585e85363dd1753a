// A label that opens something when clicked: the program's link labels.
//
// It behaves as a label does (it never takes the keyboard focus), shows the
// shared link pointer while the mouse is over it, emits clicked() when the
// left button is pressed and released over it, and is announced to screen
// readers as a link whose press action clicks it.
#pragma once

#include <QLabel>

namespace quorvane::ui {

class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit LinkLabel(QWidget* parent = nullptr);
  explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;  // the left button went down over this label
};

}  // namespace quorvane::ui
