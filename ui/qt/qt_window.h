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
#include <string>
#include <string_view>
#include <vector>

#include "ui/design_rows.h"
#include "ui/window_design.h"
#include "ui/window_view.h"

namespace quorvane::ui {

class QtWindowCore : public QWidget {
  Q_OBJECT

 public:
  // Builds the window and all its controls, hidden, from a resolved design.
  explicit QtWindowCore(DesignRows design);
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

  WindowRow window_;
  std::vector<ControlRow> specs_;
  std::vector<QWidget*> controls_;
  std::vector<bool> fitPending_;  // labels whose fit waits until they are shown
  QSize centredFrame_;  // the frame size the window was last centred with
};

template <typename Id>
class QtWindow final : public WindowView<Id> {
 public:
  explicit QtWindow(const WindowDesign<Id>& design)
      : core_(std::make_unique<QtWindowCore>(RowsOf(design))) {}

  // Serves the logic's handlers from the controls' events.
  template <typename Logic>
  void Connect(Logic& logic) {
    for (const EventBinding<Logic>& binding : Logic::Events()) {
      core_->OnEvent(IndexOf(binding.control), binding.event,
                     [&logic, handler = binding.handler] { (logic.*handler)(); });
    }
  }

  QtWindowCore& widget() { return *core_; }

  std::string Text(Id control) const override { return core_->TextOf(IndexOf(control)); }
  void SetText(Id control, std::string_view text) override {
    core_->SetTextOf(IndexOf(control), text);
  }
  int CheckValue(Id control) const override { return core_->CheckValueOf(IndexOf(control)); }
  void SetCheckValue(Id control, int value) override {
    core_->SetCheckValueOf(IndexOf(control), value);
  }
  std::string ChosenText(Id control) const override {
    return core_->ChosenTextOf(IndexOf(control));
  }
  int ScrollPosition(Id control) const override {
    return core_->ScrollPositionOf(IndexOf(control));
  }
  void SetScrollPosition(Id control, int position) override {
    core_->SetScrollPositionOf(IndexOf(control), position);
  }
  void SetVisible(Id control, bool visible) override {
    core_->Control(IndexOf(control))->setVisible(visible);
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
