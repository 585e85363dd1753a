#include "ui/qt/link_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMouseEvent>

#include "ui/qt/link_cursor.h"

namespace quorvane::ui {
namespace {

// What a screen reader learns about a link label: a link named by its text,
// which the press action clicks.
class LinkLabelAccessible : public QAccessibleWidget {
 public:
  explicit LinkLabelAccessible(LinkLabel* label)
      : QAccessibleWidget(label, QAccessible::Link) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return static_cast<const LinkLabel*>(widget())->text();
    }
    return QAccessibleWidget::text(t);
  }

  QStringList actionNames() const override { return {pressAction()}; }

  void doAction(const QString& actionName) override {
    if (actionName == pressAction()) emit static_cast<LinkLabel*>(widget())->clicked();
  }
};

QAccessibleInterface* MakeLinkLabelAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String(LinkLabel::staticMetaObject.className())) {
    return new LinkLabelAccessible(static_cast<LinkLabel*>(object));
  }
  return nullptr;
}

void InstallAccessibleFactoryOnce() {
  static const bool installed = [] {
    QAccessible::installFactory(MakeLinkLabelAccessible);
    return true;
  }();
  (void)installed;
}

}  // namespace

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      event->button() == Qt::LeftButton && pressed_ && rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) emit clicked();
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : ClickLabel(text, parent) {
  InstallAccessibleFactoryOnce();
  setCursor(LinkCursor());
}

}  // namespace quorvane::ui
