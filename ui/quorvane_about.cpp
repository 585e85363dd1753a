#include "ui/quorvane_about.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <vector>

#include "ui/control_table.h"
#include "ui/link_label.h"
#include "ui/open_web_address.h"
#include "ui/program_icons.h"
#include "ui/program_version.h"
#include "ui/quorvane_about_design.h"

namespace quorvane::ui {

namespace {

using about::Kind;

QColor ColourOf(const about::Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// A rectangle or a line: paints its fill and a one-pixel outline, either of
// which may be absent. It takes no input and no focus.
class Shape : public QWidget {
 public:
  Shape(const about::Control& design, QWidget* parent)
      : QWidget(parent), fill_(design.fill), border_(design.border) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (fill_) painter.fillRect(rect(), ColourOf(*fill_));
    if (border_) {
      painter.setPen(ColourOf(*border_));
      painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
  }

 private:
  std::optional<about::Rgb> fill_;
  std::optional<about::Rgb> border_;
};

void DesignLabel(QLabel& label, const about::Control& design) {
  label.setTextFormat(Qt::PlainText);  // "$49" and the like stay as written
  label.setWordWrap(design.wraps);
  label.setMargin(0);
  label.setIndent(0);
  label.setAlignment(Qt::AlignTop | (design.rightAligned ? Qt::AlignRight : Qt::AlignLeft));
}

QWidget* MakeControl(const about::Control& design, QWidget* window) {
  const QString text = design.text ? QString::fromUtf8(design.text) : QString();
  switch (design.kind) {
    case Kind::Rectangle:
    case Kind::Line:
      return new Shape(design, window);
    case Kind::Bar: {
      auto* bar = new QLabel(window);
      QPalette palette = bar->palette();
      palette.setColor(QPalette::Window, ColourOf(*design.fill));
      bar->setPalette(palette);
      bar->setAutoFillBackground(true);
      return bar;
    }
    case Kind::Image: {
      auto* image = new QLabel(window);
      image->setPixmap(ProgramIcon().pixmap(32, 32));
      image->setAlignment(Qt::AlignCenter);
      return image;
    }
    case Kind::Label: {
      auto* label = new QLabel(text, window);
      DesignLabel(*label, design);
      return label;
    }
    case Kind::LinkLabel: {
      auto* label = new LinkLabel(text, window);
      DesignLabel(*label, design);
      label->setProperty("Tag", QString::fromUtf8(design.tag));
      return label;
    }
    case Kind::TextBox: {
      auto* box = new QPlainTextEdit(text, window);
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      box->setTabChangesFocus(true);
      return box;
    }
    case Kind::Button:
      return new QPushButton(text, window);
  }
  return nullptr;
}

// A text box's own scroll bars move through the same text, so they carry
// its name.
void NameForScreenReaders(QWidget& control, const QString& name) {
  control.setAccessibleName(name);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(&control)) {
    area->verticalScrollBar()->setAccessibleName(name);
    area->horizontalScrollBar()->setAccessibleName(name);
  }
}

bool IsCloseKey(const QKeyEvent& key) {
  return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter ||
         key.key() == Qt::Key_Escape;
}

}  // namespace

void ShowAboutWindow() {
  QuorvaneAbout about;
  about.exec();
}

QuorvaneAbout::QuorvaneAbout() : QDialog(nullptr) {
  setWindowTitle(QString::fromUtf8(about::kWindow.caption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(TwipsToPixels(about::kWindow.width), TwipsToPixels(about::kWindow.height));
  setFont(MakeFont(about::kWindow.font));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, ColourOf(about::kWindow.background));
  setPalette(palette);
  setAutoFillBackground(true);

  std::vector<std::pair<int, QWidget*>> focusOrder;
  for (const about::Control& design : about::Controls()) {
    QWidget* control = MakeControl(design, this);
    control->setObjectName(QString::fromLatin1(design.name));
    control->setGeometry(PlaceInPixels(design.place));
    if (design.font.face != Face::Inherit) control->setFont(MakeFont(design.font));
    if (design.accessibleName) NameForScreenReaders(*control, QString::fromUtf8(design.accessibleName));
    if (design.tabIndex >= 0) {
      focusOrder.emplace_back(design.tabIndex, control);
    } else {
      control->setFocusPolicy(Qt::NoFocus);
    }
  }
  std::sort(focusOrder.begin(), focusOrder.end());
  for (std::size_t i = 1; i < focusOrder.size(); ++i) {
    setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
  }

  cmdOK_ = findChild<QPushButton*>(QStringLiteral("cmdOK"));
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &QuorvaneAbout::cmdOK_Click);
  connect(findChild<LinkLabel*>(QStringLiteral("lblProduct")), &LinkLabel::clicked, this,
          &QuorvaneAbout::lblProduct_Click);
  connect(findChild<LinkLabel*>(QStringLiteral("lblCopyright")), &LinkLabel::clicked, this,
          &QuorvaneAbout::lblCopyright_Click);
  connect(findChild<LinkLabel*>(QStringLiteral("lblURL")), &LinkLabel::clicked, this,
          &QuorvaneAbout::lblURL_Click);
  // A multi-line box would take Enter as a new line: the window takes it.
  findChild<QPlainTextEdit*>(QStringLiteral("txtSpecialCopyright"))->installEventFilter(this);

  focusOrder.front().second->setFocus();
  Form_Load();
}

void QuorvaneAbout::Form_Load() {
  findChild<QLabel*>(QStringLiteral("lblVersion"))
      ->setText(QString::fromStdString(VersionLine(RunningProgramVersion())));
}

void QuorvaneAbout::keyPressEvent(QKeyEvent* event) {
  if (IsCloseKey(*event)) {
    cmdOK_->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool QuorvaneAbout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && IsCloseKey(*static_cast<QKeyEvent*>(event))) {
    cmdOK_->click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void QuorvaneAbout::cmdOK_Click() { accept(); }

void QuorvaneAbout::lblProduct_Click() { OpenAddressInTag("lblProduct"); }
void QuorvaneAbout::lblCopyright_Click() { OpenAddressInTag("lblCopyright"); }
void QuorvaneAbout::lblURL_Click() { OpenAddressInTag("lblURL"); }

void QuorvaneAbout::OpenAddressInTag(const char* labelName) {
  const QObject* label = findChild<QObject*>(QString::fromLatin1(labelName));
  OpenWebAddress(this, label->property("Tag").toString().toStdString());
}

}  // namespace quorvane::ui
