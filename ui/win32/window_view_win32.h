// WindowView<Id> on a NativeWindow: any window's logic drives real Win32
// controls through it, and its EventBinding table connects the controls'
// events to the logic's handlers.
#pragma once

#include <functional>
#include <span>

#include "ui/win32/message_loop.h"
#include "ui/win32/native_window.h"
#include "ui/win32/open_web_address.h"
#include "ui/window_design.h"
#include "ui/window_view.h"

namespace quorvane::ui::win32 {

// Opens a secondary window modally over owner; returns once it is closed.
using ModalOpener = std::function<void(ModalWindow window, HWND owner)>;

template <typename Id>
class Win32WindowView final : public WindowView<Id> {
 public:
  Win32WindowView(const WindowDesign<Id>& design, HWND owner, ModalOpener openModal = {})
      : window_(RowsOf(design), owner),
        openModal_(std::move(openModal)) {}

  NativeWindow& Window() { return window_; }
  HWND Handle() const { return window_.Handle(); }
  HWND ControlHandle(Id control) const { return window_.ControlHandle(At(control)); }
  bool IsVisible(Id control) const { return window_.IsVisible(At(control)); }

  std::string Text(Id control) const override { return window_.Text(At(control)); }
  void SetText(Id control, std::string_view text) override { window_.SetText(At(control), text); }
  int CheckValue(Id control) const override { return window_.CheckValue(At(control)); }
  void SetCheckValue(Id control, int value) override { window_.SetCheckValue(At(control), value); }
  std::string ChosenText(Id control) const override { return window_.ChosenText(At(control)); }
  int ScrollPosition(Id control) const override { return window_.ScrollPosition(At(control)); }
  void SetScrollPosition(Id control, int position) override {
    window_.SetScrollPosition(At(control), position);
  }
  void SetVisible(Id control, bool visible) override { window_.SetVisible(At(control), visible); }
  std::string Caption() const override { return window_.Caption(); }
  void SetCaption(std::string_view caption) override { window_.SetCaption(caption); }
  void OpenWebAddress(const std::string& address) override {
    win32::OpenWebAddress(window_.Handle(), address);
  }
  void OpenModal(ModalWindow window) override {
    if (openModal_) openModal_(window, window_.Handle());
  }
  void Close() override { window_.Close(); }
  void EndProgram() override { win32::EndProgram(); }

 private:
  static int At(Id control) { return static_cast<int>(control); }

  NativeWindow window_;
  ModalOpener openModal_;
};

// Connects each event of the table to its handler of logic; events that the
// table does not list are ignored. Both must outlive the window's events.
template <typename Logic>
void ConnectEvents(Win32WindowView<typename Logic::Id>& view, Logic& logic,
                   std::span<const EventBinding<Logic>> bindings) {
  view.Window().SetEventSink([&logic, bindings](int control, Event event) {
    for (const EventBinding<Logic>& binding : bindings) {
      if (static_cast<int>(binding.control) == control && binding.event == event) {
        (logic.*binding.handler)();
        return;
      }
    }
  });
}

}  // namespace quorvane::ui::win32
