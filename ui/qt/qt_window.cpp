#include "ui/qt/qt_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "ui/one_line_label.h"
#include "ui/qt/design_controls.h"
#include "ui/qt/link_label.h"
#include "ui/qt/open_web_address.h"
#include "ui/qt/program_fonts.h"
#include "ui/qt/program_icons.h"
#include "ui/qt/window_palette.h"
#include "ui/window_core.h"

namespace quorvane::ui {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect PlaceInPixels(const Rect& twips) {
  return QRect(TwipsToPixels(twips.left), TwipsToPixels(twips.top), TwipsToPixels(twips.width),
               TwipsToPixels(twips.height));
}

// Labels wrap at word boundaries within their width, never inside a word;
// lines below the label's height are not shown. Single-line labels never
// wrap.
void DesignLabel(QLabel& label, unsigned look) {
  label.setTextFormat(Qt::PlainText);  // "$49" and "&" stay as written
  label.setMargin(0);
  label.setIndent(0);
  label.setWordWrap(!(look & kSingleLine));
  const Qt::Alignment across = (look & kCentred)        ? Qt::AlignHCenter
                               : (look & kRightAligned) ? Qt::AlignRight
                                                        : Qt::AlignLeft;
  label.setAlignment(Qt::AlignTop | across);
}

QWidget* MakeControl(const ControlRow& spec, QWidget* container) {
  const QString caption = spec.caption ? QString::fromUtf8(spec.caption) : QString();
  switch (spec.kind) {
    case ControlKind::Pane:
      return new QWidget(container);
    case ControlKind::Label:
    case ControlKind::ClickLabel:
    case ControlKind::LinkLabel: {
      QLabel* label = spec.kind == ControlKind::Label       ? new QLabel(caption, container)
                      : spec.kind == ControlKind::ClickLabel ? new ClickLabel(caption, container)
                                                             : new LinkLabel(caption, container);
      DesignLabel(*label, spec.look);
      return label;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(caption, container);
      button->setAutoDefault(true);  // Enter presses the button that has the focus
      return button;
    }
    case ControlKind::TextBox:
      return new QLineEdit(caption, container);
    case ControlKind::MultiLineBox:
      return new WholeLinesBox(caption, container);
    case ControlKind::CheckBox:
      return new QCheckBox(caption, container);
    case ControlKind::OptionButton:
      return new QRadioButton(caption, container);
    case ControlKind::List: {
      auto* list = new QComboBox(container);
      list->setEditable(false);
      for (const char* item : spec.items) list->addItem(QString::fromUtf8(item));
      list->setCurrentIndex(-1);  // an empty field until the user chooses
      return list;
    }
    case ControlKind::ScrollBar:
      return new PaneScrollBar(spec, container);
    case ControlKind::Rectangle:
    case ControlKind::Line:
      return new Shape(spec, container);
    case ControlKind::Bar: {
      auto* bar = new QLabel(container);
      QPalette palette = bar->palette();
      palette.setColor(QPalette::Window, ColourOf(*spec.fill));
      bar->setPalette(palette);
      bar->setAutoFillBackground(true);
      return bar;
    }
    case ControlKind::Image: {
      auto* image = new QLabel(container);
      image->setPixmap(ProgramIcon().pixmap(32, 32));
      image->setAlignment(Qt::AlignCenter);
      return image;
    }
  }
  throw std::logic_error("unknown control kind");
}

void ApplyLook(QWidget& widget, unsigned look) {
  QPalette palette = widget.palette();
  if (look & kWhite) {
    palette.setColor(QPalette::Window, ColourOf(kWhiteColour));
    // Buttons, check boxes among them, paint the Button role by default.
    widget.setBackgroundRole(QPalette::Window);
    widget.setAutoFillBackground(true);
  }
  if (look & kBlueText) {
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      palette.setColor(group, QPalette::WindowText, ColourOf(kBlueColour));
    }
  }
  widget.setPalette(palette);
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

// A label that holds one line, whose caption the font at hand draws wider
// than the design's: rather than moving its last word to a line that cannot
// be seen, the label grows to the right (beneath the other controls) as far
// as the caption needs. Measures the caption only for such labels.
void FitOneLineLabel(QLabel& label, const ControlRow& row) {
  const QRect design = PlaceInPixels(row.place);
  QRect place = design;
  if (row.holdsOneLine && label.parentWidget()) {
    // Whole pixels, with the fraction that the layout rounds up.
    const int needed =
        static_cast<int>(std::ceil(QFontMetricsF(label.font()).horizontalAdvance(label.text()))) +
        1;
    const PixelRect fitted =
        FitOneLine({design.x(), design.y(), design.width(), design.height()}, needed,
                   label.parentWidget()->width());
    place = QRect(fitted.left, fitted.top, fitted.width, fitted.height);
  }
  label.setGeometry(place);
}

bool IsEnter(const QKeyEvent& key) {
  return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

}  // namespace

// The window itself: builds every control of a resolved design, keeps the
// design's look whatever the desktop's palette, and carries out the core's
// calls.
class QtWindowCore final : public QWidget, public WindowCore {
  Q_OBJECT

 public:
  explicit QtWindowCore(DesignRows design);

  QWidget* Control(int index) const { return controls_[static_cast<std::size_t>(index)]; }

  std::string Text(int index) const override;
  void SetText(int index, std::string_view text) override;
  int CheckValue(int index) const override;
  void SetCheckValue(int index, int value) override;
  int ChosenIndex(int index) const override {
    auto* list = qobject_cast<QComboBox*>(Control(index));
    return list ? list->currentIndex() : -1;
  }
  int ScrollPosition(int index) const override {
    auto* bar = qobject_cast<QScrollBar*>(Control(index));
    return bar ? bar->value() : 0;
  }
  void SetScrollPosition(int index, int position) override;
  void SetVisible(int index, bool visible) override { Control(index)->setVisible(visible); }
  std::string Caption() const override { return windowTitle().toStdString(); }
  void SetCaption(std::string_view caption) override { setWindowTitle(FromUtf8(caption)); }
  void OpenWebAddress(const std::string& address) override { ui::OpenWebAddress(this, address); }
  void OpenModal(ModalWindow window) override { OpenModalWindow(window); }
  void Close() override { close(); }
  void EndProgram() override {
    // Every window closes and the event loop stops before any further
    // handler runs.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
  }
  void OnEvent(int index, Event event, std::function<void()> handler) override;
  void Show() override { show(); }
  void RunModal() override;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 signals:
  void closed();

 private:
  bool HandleWindowKey(const QKeyEvent& key);
  // Fits a label to its caption now when it is visible, else as it is next
  // shown.
  void FitLabel(int index);
  void CentreOnScreen();

  WindowRow window_;
  std::vector<ControlRow> specs_;
  std::vector<QWidget*> controls_;
  std::vector<bool> fitPending_;  // labels whose fit waits until they are shown
  QSize centredFrame_;  // the frame size the window was last centred with
};

QtWindowCore::QtWindowCore(DesignRows design)
    : QWidget(nullptr), window_(design.window), specs_(std::move(design.controls)) {
  setObjectName(QString::fromLatin1(window_.name));
  setWindowTitle(QString::fromUtf8(window_.caption));
  // A fixed window with a close box only.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  if (window_.icon == WindowIcon::Program) setWindowIcon(ProgramIcon());
  if (window_.icon == WindowIcon::Finished) setWindowIcon(FinishedIcon());
  setFixedSize(TwipsToPixels(window_.clientWidth), TwipsToPixels(window_.clientHeight));
  if (window_.font.face != Face::Inherit) setFont(MakeFont(window_.font));
  // The design's colours, not the desktop's: every role set, so that the
  // controls inherit none from the application's palette.
  QPalette palette = DesignPalette();
  palette.setColor(QPalette::Window, ColourOf(window_.background));
  setPalette(palette);
  setAutoFillBackground(true);

  controls_.reserve(specs_.size());
  fitPending_.assign(specs_.size(), false);
  for (const ControlRow& spec : specs_) {
    // Containers come first in a resolved design.
    QWidget* container =
        spec.container == kNoControl ? this : controls_[static_cast<std::size_t>(spec.container)];
    QWidget* control = MakeControl(spec, container);
    control->setObjectName(QString::fromLatin1(spec.name));
    control->setGeometry(PlaceInPixels(spec.place));
    if (spec.font.face != Face::Inherit) control->setFont(MakeFont(spec.effectiveFont));
    ApplyLook(*control, spec.look);
    if (spec.accessibleName) NameForScreenReaders(*control, QString::fromUtf8(spec.accessibleName));
    // Keys the window answers wherever the focus is.
    control->installEventFilter(this);
    controls_.push_back(control);
  }

  for (std::size_t i = 0; i < specs_.size(); ++i) {
    const ControlRow& spec = specs_[i];
    if (spec.buddy != kNoControl) {
      static_cast<QLabel*>(controls_[i])->setBuddy(controls_[static_cast<std::size_t>(spec.buddy)]);
    }
    // Labels, shapes and bars lie beneath the controls that take input, as
    // light controls do; among themselves, later rows lie over earlier ones.
    if (TakesFocus(spec.kind)) controls_[i]->raise();
    // Fitted once shown: a label of a pane never shown is never measured.
    if (IsLabel(spec.kind)) fitPending_[i] = true;
  }

  if (window_.defaultButton != kNoControl) {
    if (auto* button = qobject_cast<QPushButton*>(Control(window_.defaultButton))) {
      button->setDefault(true);
    }
  }
  if (window_.firstFocus != kNoControl) Control(window_.firstFocus)->setFocus();
}

void QtWindowCore::OnEvent(int index, Event event, std::function<void()> handler) {
  QWidget* control = Control(index);
  const auto fail = [&] {
    throw std::logic_error(std::string("no such event on ") +
                           specs_[static_cast<std::size_t>(index)].name);
  };
  switch (event) {
    case Event::Click:
      if (auto* label = qobject_cast<ClickLabel*>(control)) {
        connect(label, &ClickLabel::clicked, this, std::move(handler));
      } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this, std::move(handler));
      } else {
        fail();
      }
      return;
    case Event::Change:
      if (auto* bar = qobject_cast<QScrollBar*>(control)) {
        connect(bar, &QScrollBar::valueChanged, this, std::move(handler));
      } else {
        fail();
      }
      return;
    case Event::Choose:
      // activated: an item chosen by the user, also the one already shown.
      if (auto* list = qobject_cast<QComboBox*>(control)) {
        connect(list, &QComboBox::activated, this, std::move(handler));
      } else {
        fail();
      }
      return;
  }
}

std::string QtWindowCore::Text(int index) const {
  QWidget* control = Control(index);
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text().toStdString();
  if (auto* line = qobject_cast<QLineEdit*>(control)) return line->text().toStdString();
  if (auto* box = qobject_cast<QPlainTextEdit*>(control)) return box->toPlainText().toStdString();
  return {};
}

void QtWindowCore::SetText(int index, std::string_view text) {
  QWidget* control = Control(index);
  const QString value = FromUtf8(text);
  if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(value);
    FitLabel(index);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(value);
  } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
    line->setText(value);
  } else if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
    box->setPlainText(value);
  }
}

int QtWindowCore::CheckValue(int index) const {
  QWidget* control = Control(index);
  if (auto* box = qobject_cast<QCheckBox*>(control)) {
    switch (box->checkState()) {
      case Qt::Unchecked:
        return kCleared;
      case Qt::Checked:
        return kTicked;
      case Qt::PartiallyChecked:
        return kGreyed;
    }
  }
  if (auto* option = qobject_cast<QRadioButton*>(control)) {
    return option->isChecked() ? kTicked : kCleared;
  }
  return kCleared;
}

void QtWindowCore::SetCheckValue(int index, int value) {
  QWidget* control = Control(index);
  if (auto* box = qobject_cast<QCheckBox*>(control)) {
    if (value == kGreyed) box->setTristate(true);
    box->setCheckState(value == kCleared  ? Qt::Unchecked
                       : value == kTicked ? Qt::Checked
                                          : Qt::PartiallyChecked);
  } else if (auto* option = qobject_cast<QRadioButton*>(control)) {
    if (value == kTicked) {
      option->setChecked(true);  // clears the others of its container
    } else {
      // An exclusive option button refuses to clear itself.
      option->setAutoExclusive(false);
      option->setChecked(false);
      option->setAutoExclusive(true);
    }
  }
}

void QtWindowCore::SetScrollPosition(int index, int position) {
  if (auto* bar = qobject_cast<QScrollBar*>(Control(index))) {
    // The logic runs the change handler itself when it wants it.
    const QSignalBlocker quiet(bar);
    bar->setValue(position);
  }
}

void QtWindowCore::RunModal() {
  // Window managers put a dialog over the window it belongs to; a window
  // that starts where the system places new windows is an ordinary one.
  const Qt::WindowType type =
      window_.start == StartPosition::CentredOnScreen ? Qt::Dialog : Qt::Window;
  setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | type);
  setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  connect(this, &QtWindowCore::closed, &loop, &QEventLoop::quit);
  show();
  loop.exec(QEventLoop::DialogExec);
}

bool QtWindowCore::HandleWindowKey(const QKeyEvent& key) {
  if (key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) return false;
  int button = kNoControl;
  if (IsEnter(key)) button = window_.defaultButton;
  if (key.key() == Qt::Key_Escape) button = window_.cancelButton;
  if (button == kNoControl) return false;
  if (auto* push = qobject_cast<QAbstractButton*>(Control(button))) push->click();
  return true;
}

void QtWindowCore::FitLabel(int index) {
  const auto i = static_cast<std::size_t>(index);
  fitPending_[i] = !controls_[i]->isVisible();
  if (!fitPending_[i]) {
    FitOneLineLabel(*static_cast<QLabel*>(controls_[i]), specs_[i]);
  }
}

bool QtWindowCore::eventFilter(QObject* watched, QEvent* event) {
  // A label is fitted to its caption as it is shown, before it is drawn.
  if (event->type() == QEvent::Show) {
    const auto found = std::find(controls_.begin(), controls_.end(), watched);
    const auto index = found - controls_.begin();
    if (found != controls_.end() && fitPending_[static_cast<std::size_t>(index)]) {
      FitLabel(static_cast<int>(index));
    }
  }
  // A multi-line box would take Enter as a new line: a window with a default
  // button takes it first.
  if (event->type() == QEvent::KeyPress && HandleWindowKey(*static_cast<QKeyEvent*>(event))) {
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void QtWindowCore::keyPressEvent(QKeyEvent* event) {
  if (HandleWindowKey(*event)) return;
  QWidget::keyPressEvent(event);
}

void QtWindowCore::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (window_.start == StartPosition::CentredOnScreen && !event->spontaneous()) CentreOnScreen();
}

bool QtWindowCore::event(QEvent* event) {
  // The window manager adds its frame after the window is shown: centre the
  // frame again once it is known, unless the window was centred with it.
  const bool mayKnowFrame = event->type() == QEvent::Move || event->type() == QEvent::Paint ||
                           event->type() == QEvent::WindowActivate;
  if (mayKnowFrame && window_.start == StartPosition::CentredOnScreen && isVisible() &&
      centredFrame_ == size() && frameGeometry().size() != size()) {
    CentreOnScreen();
  }
  return QWidget::event(event);
}

void QtWindowCore::CentreOnScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect frame = frameGeometry();
  centredFrame_ = frame.size();
  const QRect area = screen->availableGeometry();
  // move() places the frame's top left corner.
  move(area.left() + (area.width() - frame.width()) / 2,
       area.top() + (area.height() - frame.height()) / 2);
}

void QtWindowCore::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

std::unique_ptr<WindowCore> MakeQtWindowCore(DesignRows design) {
  return std::make_unique<QtWindowCore>(std::move(design));
}

QWidget& WidgetOf(WindowCore& core) { return dynamic_cast<QtWindowCore&>(core); }

}  // namespace quorvane::ui

#include "qt_window.moc"
