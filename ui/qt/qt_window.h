// Qt windows built from any WindowDesign, and their WindowView.
//
// QtWindowCore is the window itself: it builds every control of a design
// (its ids erased to table indexes), keeps the design's look whatever the
// desktop's palette, and carries out the view's calls. QtWindow<Id> is the
// view a window's logic gets, and connects the logic's EventBinding table to
// the controls. Neither knows any particular window.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window_design.h"
#include "ui/window_view.h"

namespace quorvane::ui {

// A control's row with its ids as table indexes; kNone: none.
inline constexpr int kNone = -1;
struct AnyControl {
  const char* name;
  ControlKind kind;
  int container;
  const char* caption;
  Rect place;
  FontSpec font;
  unsigned look;
  const char* accessibleName;
  int buddy;
  std::span<const char* const> items;
  int minimum, maximum;
  std::optional<Rgb> fill, border;
};

struct AnyWindow {
  const char* name;
  const char* caption;
  int clientWidth, clientHeight;
  FontSpec font;
  Rgb background;
  StartPosition start;
  WindowIcon icon;
  int defaultButton, cancelButton, firstFocus;
};

class QtWindowCore : public QWidget {
  Q_OBJECT

 public:
  // Builds the window and all its controls, hidden. Throws std::logic_error
  // for a table whose container or buddy is not a fit.
  QtWindowCore(const AnyWindow& window, std::vector<AnyControl> controls);
  ~QtWindowCore() override;

  QWidget* Control(int index) const { return controls_[static_cast<std::size_t>(index)]; }

  // Calls handler at each event of that kind the control reports.
  void OnEvent(int index, Event event, std::function<void()> handler);

  std::string TextOf(int index) const;
  void SetTextOf(int index, std::string_view text);
  int CheckValueOf(int index) const;
  void SetCheckValueOf(int index, int value);
  std::string ChosenTextOf(int index) const;
  int ScrollPositionOf(int index) const;
  void SetScrollPositionOf(int index, int position);

  // Shows the window application-modal, without an owner, and returns once
  // it has been closed.
  void RunModal();

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

  AnyWindow window_;
  std::vector<AnyControl> specs_;
  std::vector<QWidget*> controls_;
  std::vector<bool> fitPending_;  // labels whose fit waits until they are shown
  QSize centredFrame_;  // the frame size the window was last centred with
};

template <typename Id>
class QtWindow final : public WindowView<Id> {
 public:
  explicit QtWindow(const WindowDesign<Id>& design)
      : core_(std::make_unique<QtWindowCore>(Window(design.window), Controls(design))) {}

  // Serves the logic's handlers from the controls' events.
  template <typename Logic>
  void Connect(Logic& logic) {
    for (const EventBinding<Logic>& binding : Logic::Events()) {
      core_->OnEvent(Index(binding.control), binding.event,
                     [&logic, handler = binding.handler] { (logic.*handler)(); });
    }
  }

  QtWindowCore& widget() { return *core_; }

  std::string Text(Id control) const override { return core_->TextOf(Index(control)); }
  void SetText(Id control, std::string_view text) override {
    core_->SetTextOf(Index(control), text);
  }
  int CheckValue(Id control) const override { return core_->CheckValueOf(Index(control)); }
  void SetCheckValue(Id control, int value) override {
    core_->SetCheckValueOf(Index(control), value);
  }
  std::string ChosenText(Id control) const override {
    return core_->ChosenTextOf(Index(control));
  }
  int ScrollPosition(Id control) const override {
    return core_->ScrollPositionOf(Index(control));
  }
  void SetScrollPosition(Id control, int position) override {
    core_->SetScrollPositionOf(Index(control), position);
  }
  void SetVisible(Id control, bool visible) override {
    core_->Control(Index(control))->setVisible(visible);
  }
  std::string Caption() const override { return core_->windowTitle().toStdString(); }
  void SetCaption(std::string_view caption) override {
    core_->setWindowTitle(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
  }
  void OpenWebAddress(const std::string& address) override;
  void OpenModal(ModalWindow window) override;
  void Close() override { core_->close(); }
  void EndProgram() override;

 private:
  static int Index(Id id) { return id == Id::Window ? kNone : static_cast<int>(id); }

  static AnyWindow Window(const WindowSpec<Id>& w) {
    return {w.name, w.caption, w.clientWidth, w.clientHeight, w.font, w.background, w.start,
            w.icon, Index(w.defaultButton), Index(w.cancelButton), Index(w.firstFocus)};
  }

  static std::vector<AnyControl> Controls(const WindowDesign<Id>& design) {
    std::vector<AnyControl> rows;
    for (const ControlSpec<Id>& c : design.controls) {
      rows.push_back({c.name, c.kind, Index(c.container), c.caption, c.place, c.font, c.look,
                      c.accessibleName, Index(c.buddy), c.items, c.minimum, c.maximum, c.fill,
                      c.border});
    }
    return rows;
  }

  std::unique_ptr<QtWindowCore> core_;
};

// What the views share, whatever their Id. OpenModalWindow is the
// program's (ui/qt/program_windows.cpp): it knows the secondary windows.
void OpenWebAddressFrom(QWidget* window, const std::string& address);
void OpenModalWindow(ModalWindow window);
void EndQtProgram();

template <typename Id>
void QtWindow<Id>::OpenWebAddress(const std::string& address) {
  OpenWebAddressFrom(core_.get(), address);
}

template <typename Id>
void QtWindow<Id>::OpenModal(ModalWindow window) {
  OpenModalWindow(window);
}

template <typename Id>
void QtWindow<Id>::EndProgram() {
  EndQtProgram();
}

}  // namespace quorvane::ui
