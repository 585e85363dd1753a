// The program's three windows as Win32 windows: the main window with its
// logic and message boxes, and the About and Finished windows that it opens
// modally, each built afresh from its design at every opening.
#pragma once

#include <windows.h>

#include "engine/first_run.h"
#include "store/registry.h"
#include "ui/quorvane_form.h"
#include "ui/win32/native_window.h"
#include "ui/win32/win32_user_dialogs.h"
#include "ui/window_host.h"

namespace quorvane::ui::win32 {

// Opens the About or the Finished window modally over owner (which takes no
// input meanwhile) and returns when the user has closed it.
void OpenQuorvaneModal(ModalWindow window, HWND owner);

// The main window, built hidden with its handlers connected. Closing it
// ends the program's message loop.
class QuorvaneMainWindow {
 public:
  explicit QuorvaneMainWindow(const store::Registry& registry,
                              ModalOpener openModal = OpenQuorvaneModal);

  // The load step (Form_Load); when it tells to exit, the window must never
  // be shown.
  [[nodiscard]] engine::StartOutcome Load();
  void Show() { window_.Show(); }

  WindowView<FormControl>& View() { return window_.view(); }
  NativeWindow& Window() { return static_cast<NativeWindow&>(window_.core()); }

 private:
  // The message boxes come before the window whose logic shows them.
  Win32UserDialogs dialogs_;
  HostedWindow<QuorvaneForm> window_;
};

}  // namespace quorvane::ui::win32
