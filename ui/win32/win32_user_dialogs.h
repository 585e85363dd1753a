// The engine's message boxes as MessageBoxA, with exactly the engine's
// text, title and style, and its Finished window as a modal window.
#pragma once

#include <windows.h>

#include "engine/user_dialogs.h"
#include "ui/win32/native_window.h"

namespace quorvane::ui::win32 {

class Win32UserDialogs final : public engine::UserDialogs {
 public:
  // openModal opens the Finished window.
  explicit Win32UserDialogs(ModalOpener openModal) : openModal_(std::move(openModal)) {}

  // The boxes and the Finished window stay in front of this window while it
  // is shown; before (a hidden main window's load step) they have no owner.
  void SetOwner(HWND owner) { owner_ = owner; }

  engine::Answer Show(const engine::Message& message) override;
  void ShowFinished() override;
  // The wait cursor until ShowBusy(false) puts the one before it back; no
  // message is handled meanwhile, so nothing else sets the cursor.
  void ShowBusy(bool busy) override;

 private:
  HWND VisibleOwner() const;

  ModalOpener openModal_;
  HWND owner_ = nullptr;
  HCURSOR before_ = nullptr;
};

}  // namespace quorvane::ui::win32
