#include "ui/win32/win32_user_dialogs.h"

#include "ui/win32/text_codes.h"

namespace quorvane::ui::win32 {

HWND Win32UserDialogs::VisibleOwner() const {
  return owner_ && IsWindowVisible(owner_) ? owner_ : nullptr;
}

engine::Answer Win32UserDialogs::Show(const engine::Message& message) {
  const std::string text = Utf8ToAnsi(message.text);
  const std::string title = Utf8ToAnsi(message.title.empty() ? engine::kProgramTitle : message.title);
  switch (MessageBoxA(VisibleOwner(), text.c_str(), title.c_str(),
                      static_cast<UINT>(message.Style()))) {
    case IDYES:
      return engine::Answer::Yes;
    case IDNO:
      return engine::Answer::No;
    default:
      return engine::Answer::Ok;
  }
}

void Win32UserDialogs::ShowBusy(bool busy) {
  if (busy) {
    before_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  } else {
    // No cursor of this program's before: the arrow, never none at all.
    SetCursor(before_ ? before_ : LoadCursor(nullptr, IDC_ARROW));
  }
}

void Win32UserDialogs::ShowFinished() {
  if (openModal_) openModal_(ModalWindow::Finished, VisibleOwner());
}

}  // namespace quorvane::ui::win32
