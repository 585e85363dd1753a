#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>
#include <map>
#include <stdexcept>
#include <string>

#include "ui/control_table.h"
#include "ui/link_label.h"

namespace quorvane::ui {
namespace {

const QColor kWhiteColour(255, 255, 255);
const QColor kBlueColour(0, 0, 255);

QString Caption(const ControlSpec& spec) {
  return spec.caption ? QString::fromUtf8(spec.caption) : QString();
}

void DesignLabel(QLabel& label, unsigned look) {
  label.setMargin(0);
  label.setIndent(0);
  label.setAlignment(Qt::AlignTop | ((look & kCentred) ? Qt::AlignHCenter : Qt::AlignLeft));
  // Captions are plain text, whatever they hold.
  label.setTextFormat(Qt::PlainText);
}

QWidget* MakeControl(const ControlSpec& spec, QWidget* container) {
  switch (spec.kind) {
    case ControlKind::Pane:
      return new QWidget(container);
    case ControlKind::Label: {
      auto* label = new QLabel(Caption(spec), container);
      DesignLabel(*label, spec.look);
      return label;
    }
    case ControlKind::LinkLabel: {
      auto* label = new LinkLabel(Caption(spec), container);
      DesignLabel(*label, spec.look);
      return label;
    }
    case ControlKind::Button:
      return new QPushButton(Caption(spec), container);
    case ControlKind::TextBox:
      return new QLineEdit(Caption(spec), container);
    case ControlKind::CheckBox:
      return new QCheckBox(Caption(spec), container);
    case ControlKind::OptionButton:
      return new QRadioButton(Caption(spec), container);
    case ControlKind::List: {
      auto* list = new QComboBox(container);
      list->setEditable(false);
      return list;
    }
    case ControlKind::ScrollBar:
      return new QScrollBar(Qt::Horizontal, container);
  }
  throw std::logic_error("unknown control kind");
}

void ApplyLook(QWidget& widget, unsigned look) {
  QPalette palette = widget.palette();
  if (look & kWhite) {
    palette.setColor(QPalette::Window, kWhiteColour);
    // Buttons, check boxes among them, paint the Button role by default.
    widget.setBackgroundRole(QPalette::Window);
    widget.setAutoFillBackground(true);
  }
  if (look & kBlueText) palette.setColor(QPalette::WindowText, kBlueColour);
  widget.setPalette(palette);
}

// Labels wrap their text at word boundaries within their width. A label too
// low to show any of a second line keeps its text on one line instead: there
// a wrap would only hide words, as it would for a caption that a substitute
// font makes a fraction of a pixel wider than the designed one.
void WrapWhereLinesFit(QLabel& label) {
  const QFontMetrics metrics = label.fontMetrics();
  label.setWordWrap(label.height() >= metrics.lineSpacing() + metrics.ascent());
}

bool IsLabel(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::LinkLabel;
}

}  // namespace

void BuildWindow(QWidget& window, const WindowSpec& design, std::span<const ControlSpec> controls) {
  window.setFixedSize(TwipsToPixels(design.clientWidth), TwipsToPixels(design.clientHeight));
  if (design.font.face != Face::Inherit) window.setFont(MakeFont(design.font));
  ApplyLook(window, design.look);

  std::map<std::string, QWidget*> built;
  for (const ControlSpec& spec : controls) {
    QWidget* container = &window;
    if (spec.container) {
      const auto found = built.find(spec.container);
      if (found == built.end()) {
        throw std::logic_error(std::string("container not yet built: ") + spec.container);
      }
      container = found->second;
    }
    QWidget* control = MakeControl(spec, container);
    control->setObjectName(QString::fromLatin1(spec.name));
    control->setGeometry(PlaceInPixels(spec.place));
    if (spec.font.face != Face::Inherit) control->setFont(MakeFont(spec.font));
    ApplyLook(*control, spec.look);
    if (spec.accessibleName) control->setAccessibleName(QString::fromUtf8(spec.accessibleName));
    built[spec.name] = control;
  }

  for (const ControlSpec& spec : controls) {
    QWidget* control = built.at(spec.name);
    if (spec.buddy) {
      const auto buddy = built.find(spec.buddy);
      if (buddy == built.end() || !IsLabel(spec.kind)) {
        throw std::logic_error(std::string("bad buddy for ") + spec.name);
      }
      static_cast<QLabel*>(control)->setBuddy(buddy->second);
    }
    if (IsLabel(spec.kind)) {
      WrapWhereLinesFit(*static_cast<QLabel*>(control));
      control->lower();
    }
  }
}

QRect PlaceInPixels(const Rect& twips) {
  return QRect(TwipsToPixels(twips.left), TwipsToPixels(twips.top), TwipsToPixels(twips.width),
               TwipsToPixels(twips.height));
}

}  // namespace quorvane::ui
