#include "ui/qt/qt_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QWidget>
#include <cmath>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/qt/design_controls.h"
#include "ui/qt/link_label.h"
#include "ui/qt/open_web_address.h"
#include "ui/qt/program_fonts.h"
#include "ui/qt/program_icons.h"
#include "ui/qt/window_palette.h"

namespace quorvane::ui {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect QRectOf(const PixelRect& place) {
  return QRect(place.left, place.top, place.width, place.height);
}

// A label draws its caption as plain text, from its top, wrapped at words
// when its row says so.
void DesignLabel(QLabel& label, const ControlRow& row) {
  label.setTextFormat(Qt::PlainText);  // "$49" and "&" stay as written
  label.setMargin(0);
  label.setIndent(0);
  label.setWordWrap(row.wraps);
  const Qt::Alignment across = row.textAlign == Align::Centre  ? Qt::AlignHCenter
                               : row.textAlign == Align::Right ? Qt::AlignRight
                                                               : Qt::AlignLeft;
  label.setAlignment(Qt::AlignTop | across);
}

QWidget* MakeControl(const ControlRow& row, QWidget* container) {
  const QString caption = row.caption ? QString::fromUtf8(row.caption) : QString();
  switch (row.kind) {
    case ControlKind::Pane:
      return new QWidget(container);
    case ControlKind::Label:
    case ControlKind::ClickLabel:
    case ControlKind::LinkLabel: {
      QLabel* label = row.kind == ControlKind::Label        ? new QLabel(caption, container)
                      : row.kind == ControlKind::ClickLabel ? new ClickLabel(caption, container)
                                                            : new LinkLabel(caption, container);
      DesignLabel(*label, row);
      return label;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(caption, container);
      button->setAutoDefault(false);  // the window decides what Enter presses
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
      auto* list = new DesignList(container);
      list->setEditable(false);
      for (const char* item : row.items) list->addItem(QString::fromUtf8(item));
      list->setCurrentIndex(-1);  // an empty field until the user chooses
      return list;
    }
    case ControlKind::ScrollBar:
      return new PaneScrollBar(row, container);
    case ControlKind::Rectangle:
    case ControlKind::Line:
      return new Shape(row, container);
    case ControlKind::Bar:
      return new QLabel(container);
    case ControlKind::Image: {
      auto* image = new QLabel(container);
      image->setPixmap(ProgramIcon().pixmap(32, 32));
      image->setAlignment(Qt::AlignCenter);
      return image;
    }
  }
  throw std::logic_error("unknown control kind");
}

// The row's colours on the control itself, so that none is inherited from
// the container or the desktop.
void ApplyColours(QWidget& widget, const ControlRow& row) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, ColourOf(row.background));
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::WindowText, ColourOf(row.textColour));
  }
  widget.setPalette(palette);
  // Buttons, check boxes among them, paint the Button role by default.
  if (qobject_cast<QCheckBox*>(&widget) || qobject_cast<QRadioButton*>(&widget)) {
    widget.setBackgroundRole(QPalette::Window);
  }
  widget.setAutoFillBackground(row.opaque);
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

std::optional<Key> KeyOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  const bool shift = modifiers == Qt::ShiftModifier;
  if (modifiers != Qt::NoModifier && !shift) return std::nullopt;
  switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Key::Enter;
    case Qt::Key_Escape:
      return Key::Escape;
    case Qt::Key_Tab:
      return shift ? Key::BackTab : Key::Tab;
    case Qt::Key_Backtab:
      return Key::BackTab;
    default:
      break;
  }
  if (shift) return std::nullopt;
  switch (event.key()) {
    case Qt::Key_Left:
      return Key::Left;
    case Qt::Key_Right:
      return Key::Right;
    case Qt::Key_Up:
      return Key::Up;
    case Qt::Key_Down:
      return Key::Down;
    default:
      return std::nullopt;
  }
}

// Alt and a letter or digit: the character in lower case; 0 otherwise.
char AccessCharacterOf(const QKeyEvent& event) {
  if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) return 0;
  const int key = event.key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<char>('a' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<char>('0' + (key - Qt::Key_0));
  return 0;
}

// Alt and a letter is the window's access key, not Qt's mnemonic: accepting
// its shortcut override keeps Qt's shortcut from it, and it comes as a key.
bool ClaimAccessKey(QEvent& shortcutOverride) {
  if (!AccessCharacterOf(static_cast<QKeyEvent&>(shortcutOverride))) return false;
  shortcutOverride.accept();
  return true;
}

}  // namespace

// The window itself: builds every control of a resolved design, keeps the
// design's look whatever the desktop's palette, reports the user's input to
// its host and carries out the host's calls.
class QtWindowCore final : public QWidget, public WindowCore {
  Q_OBJECT

 public:
  QtWindowCore(const DesignRows& design, CoreReports& reports, QWidget* owner);

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
  int FocusedControl() const override { return IndexOf(focusWidget()); }
  void SetFocus(int index, bool byKey) override;
  void Click(int index) override {
    if (auto* button = qobject_cast<QAbstractButton*>(Control(index))) button->click();
  }
  void ShowDefault(int index) override;
  int CaptionWidth(int index) const override;
  void Place(int index, const PixelRect& place) override {
    Control(index)->setGeometry(QRectOf(place));
  }
  int DotsPerInch() const override { return 96; }  // device-independent pixels
  void OpenWebAddress(const std::string& address) override { ui::OpenWebAddress(this, address); }
  void EndProgram() override {
    // Every window closes and the event loop stops before any further
    // handler runs.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
  }
  void Show() override {
    show();
    activateWindow();
  }
  void ShowModal() override {
    setWindowModality(Qt::ApplicationModal);
    Show();
  }
  void RunUntilClosed() override;
  void Close() override { close(); }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 signals:
  void closed();

 private:
  // The control that a widget is, or lies within; kNoControl for none.
  int IndexOf(const QWidget* widget) const;
  void ReportEvents(int index);
  // Hands a key to the host; true when the window acted on it.
  bool RouteKey(const QKeyEvent& key);
  void CentreOnScreen();

  CoreReports& reports_;
  StartPosition start_;
  std::vector<QWidget*> controls_;
  QHash<const QWidget*, int> indexes_;
  QHash<int, QButtonGroup*> optionGroups_;  // by the row that begins the group
  QPushButton* default_ = nullptr;
  QSize centredFrame_;  // the frame size the window was last centred with
};

QtWindowCore::QtWindowCore(const DesignRows& design, CoreReports& reports, QWidget* owner)
    // An owned window is a dialog of its owner's: the window manager keeps
    // it in front of the owner.
    : QWidget(owner, owner ? Qt::Dialog : Qt::Window),
      reports_(reports),
      start_(design.window.start) {
  const WindowRow& window = design.window;
  setObjectName(QString::fromLatin1(window.name));
  setWindowTitle(QString::fromUtf8(window.caption));
  // A fixed window with a close box only.
  setWindowFlags((owner ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  if (window.icon == WindowIcon::Program) setWindowIcon(ProgramIcon());
  if (window.icon == WindowIcon::Finished) setWindowIcon(FinishedIcon());
  setFixedSize(TwipsToPixels(window.clientWidth), TwipsToPixels(window.clientHeight));
  setFont(MakeFont(window.font));
  // The design's colours, not the desktop's: every role set, so that no
  // control takes one from the application's palette.
  QPalette palette = DesignPalette();
  palette.setColor(QPalette::Window, ColourOf(window.background));
  setPalette(palette);
  setAutoFillBackground(true);

  controls_.reserve(design.controls.size());
  for (const ControlRow& row : design.controls) {
    // Containers come first in a resolved design.
    QWidget* container =
        row.container == kNoControl ? this : controls_[static_cast<std::size_t>(row.container)];
    QWidget* control = MakeControl(row, container);
    control->setObjectName(QString::fromLatin1(row.name));
    control->setGeometry(QRectOf(PixelsOf(row.place)));
    // A font that the container passes on is not set again: each font set
    // costs memory of its own.
    const FontSpec& passedOn = row.container == kNoControl
                                   ? design.window.font
                                   : design.controls[static_cast<std::size_t>(row.container)]
                                         .effectiveFont;
    if (row.effectiveFont != passedOn) control->setFont(MakeFont(row.effectiveFont));
    ApplyColours(*control, row);
    if (!row.accessibleName.empty()) {
      NameForScreenReaders(*control, QString::fromStdString(row.accessibleName));
    }
    // Qt announces an option button as a check box unless it excludes the
    // others beside it; in a group of its own that excludes nothing, it is
    // announced as an option button and excludes by the window's rule alone.
    if (auto* option = qobject_cast<QRadioButton*>(control)) {
      QButtonGroup*& group = optionGroups_[row.group];
      if (!group) {
        group = new QButtonGroup(this);
        group->setExclusive(false);
      }
      group->addButton(option);
    }
    // The wheel gives no control the focus, as on Windows.
    if (control->focusPolicy() == Qt::WheelFocus) control->setFocusPolicy(Qt::StrongFocus);
    // Keys reach the host before the control, and the focus is reported.
    control->installEventFilter(this);
    indexes_.insert(control, static_cast<int>(controls_.size()));
    controls_.push_back(control);
    ReportEvents(static_cast<int>(controls_.size()) - 1);
  }
  // Later widgets are drawn over earlier ones: raised in the pile's order.
  for (int index : design.stacking) Control(index)->raise();
  // A label that names a control draws its access key.
  for (std::size_t i = 0; i < design.controls.size(); ++i) {
    const int buddy = design.controls[i].buddy;
    if (buddy != kNoControl) static_cast<QLabel*>(controls_[i])->setBuddy(Control(buddy));
  }
}

void QtWindowCore::ReportEvents(int index) {
  QWidget* control = Control(index);
  if (auto* label = qobject_cast<ClickLabel*>(control)) {
    connect(label, &ClickLabel::clicked, this,
            [this, index] { reports_.Reported(index, Event::Click); });
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    connect(button, &QAbstractButton::clicked, this,
            [this, index] { reports_.Reported(index, Event::Click); });
  } else if (auto* bar = qobject_cast<QScrollBar*>(control)) {
    connect(bar, &QScrollBar::valueChanged, this,
            [this, index] { reports_.Reported(index, Event::Change); });
  } else if (auto* list = qobject_cast<QComboBox*>(control)) {
    // activated: an item chosen by the user, also the one already shown.
    connect(list, &QComboBox::activated, this,
            [this, index] { reports_.Reported(index, Event::Choose); });
  }
}

int QtWindowCore::IndexOf(const QWidget* widget) const {
  for (; widget && widget != this; widget = widget->parentWidget()) {
    const auto found = indexes_.constFind(widget);
    if (found != indexes_.constEnd()) return *found;
  }
  return kNoControl;
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
    option->setChecked(value == kTicked);
  }
}

void QtWindowCore::SetScrollPosition(int index, int position) {
  if (auto* bar = qobject_cast<QScrollBar*>(Control(index))) {
    // The logic runs the change handler itself when it wants it.
    const QSignalBlocker quiet(bar);
    bar->setValue(position);
  }
}

void QtWindowCore::SetFocus(int index, bool byKey) {
  // An entry box reached by Tab selects its text.
  const Qt::FocusReason reason = byKey ? Qt::TabFocusReason : Qt::OtherFocusReason;
  // The styles draw the focus once the window has it from the keyboard.
  if (byKey) setAttribute(Qt::WA_KeyboardFocusChange);
  if (index == kNoControl) {
    setFocus(reason);
  } else {
    Control(index)->setFocus(reason);
  }
}

void QtWindowCore::ShowDefault(int index) {
  auto* button = index == kNoControl ? nullptr : qobject_cast<QPushButton*>(Control(index));
  if (button == default_) return;
  if (default_) default_->setDefault(false);
  default_ = button;
  if (default_) default_->setDefault(true);
}

int QtWindowCore::CaptionWidth(int index) const {
  const auto* label = qobject_cast<const QLabel*>(Control(index));
  if (!label) return 0;
  return static_cast<int>(std::ceil(QFontMetricsF(label->font()).horizontalAdvance(label->text())));
}

void QtWindowCore::RunUntilClosed() {
  if (!isVisible()) return;
  QEventLoop loop;
  connect(this, &QtWindowCore::closed, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::DialogExec);
}

bool QtWindowCore::RouteKey(const QKeyEvent& key) {
  if (const char character = AccessCharacterOf(key)) return reports_.AccessKeyPressed(character);
  const std::optional<Key> known = KeyOf(key);
  return known && reports_.KeyPressed(*known, FocusedControl());
}

bool QtWindowCore::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      if (ClaimAccessKey(*event)) return true;
      break;
    case QEvent::KeyPress:
      // At the control that has the focus, before it takes the key; what it
      // leaves goes on to its containers and the window.
      if (widget && widget == focusWidget() && RouteKey(*static_cast<QKeyEvent*>(event))) {
        return true;
      }
      break;
    case QEvent::FocusIn:
      reports_.FocusMoved(IndexOf(widget));
      break;
    case QEvent::Wheel:
      if (!reports_.WheelTurned(IndexOf(widget))) return true;
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

bool QtWindowCore::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      if (ClaimAccessKey(*event)) return true;
      break;
    case QEvent::KeyPress:
      // Before QWidget's own Tab handling.
      if (RouteKey(*static_cast<QKeyEvent*>(event))) return true;
      break;
    case QEvent::WindowActivate:
      reports_.Activated(true);
      break;
    case QEvent::WindowDeactivate:
      reports_.Activated(false);
      break;
    default:
      break;
  }
  // The window manager adds its frame after the window is shown: centre the
  // frame again once it is known, unless the window was centred with it.
  const bool mayKnowFrame = event->type() == QEvent::Move || event->type() == QEvent::Paint ||
                            event->type() == QEvent::WindowActivate;
  if (mayKnowFrame && start_ == StartPosition::CentredOnScreen && isVisible() &&
      centredFrame_ == size() && frameGeometry().size() != size()) {
    CentreOnScreen();
  }
  return QWidget::event(event);
}

void QtWindowCore::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (start_ == StartPosition::CentredOnScreen && !event->spontaneous()) CentreOnScreen();
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

std::unique_ptr<WindowCore> MakeQtWindowCore(const DesignRows& design, CoreReports& reports,
                                             WindowCore* owner) {
  return std::make_unique<QtWindowCore>(design, reports, owner ? &WidgetOf(*owner) : nullptr);
}

QWidget& WidgetOf(WindowCore& core) { return dynamic_cast<QtWindowCore&>(core); }

}  // namespace quorvane::ui

#include "qt_window.moc"
