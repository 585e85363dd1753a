// Labels that report clicks.
//
// A ClickLabel behaves as a label does (it never takes the keyboard focus,
// screen readers read it as text) and emits clicked() when the left button
// is pressed and released over it. A LinkLabel is a ClickLabel that opens a
// web address: it shows the shared link pointer while the mouse is over it
// and is announced to screen readers as a link whose press action clicks it.
#pragma once

#include <QLabel>

namespace quorvane::ui {

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(const QString& text = {}, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;  // the left button went down over this label
};

class LinkLabel : public ClickLabel {
  Q_OBJECT

 public:
  explicit LinkLabel(const QString& text = {}, QWidget* parent = nullptr);
};

}  // namespace quorvane::ui
