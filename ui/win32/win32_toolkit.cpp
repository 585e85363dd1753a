#include "ui/win32/win32_toolkit.h"

#include <optional>
#include <string>

#include "ui/message_box_keys.h"
#include "ui/win32/native_window.h"
#include "ui/win32/text_codes.h"

namespace quorvane::ui::win32 {

std::unique_ptr<WindowCore> Win32Toolkit::MakeWindow(const DesignRows& design,
                                                     CoreReports& reports, WindowCore* owner) {
  return std::make_unique<NativeWindow>(design, reports, static_cast<NativeWindow*>(owner));
}

engine::Answer Win32Toolkit::ShowMessage(const engine::Message& message, WindowCore* owner) {
  const std::string text = Utf8ToAnsi(message.text);
  const std::string title = Utf8ToAnsi(message.title.empty() ? engine::kProgramTitle : message.title);
  HWND window = owner ? static_cast<NativeWindow*>(owner)->Handle() : nullptr;
  switch (MessageBoxA(window, text.c_str(), title.c_str(), static_cast<UINT>(message.Style()))) {
    case IDYES:
      return AnswerOf(message, engine::Answer::Yes);
    case IDNO:
      return AnswerOf(message, engine::Answer::No);
    default:
      return AnswerOf(message, std::nullopt);
  }
}

void Win32Toolkit::ShowBusy(bool busy) {
  if (busy) {
    before_ = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  } else {
    // No cursor of this program's before: the arrow, never none at all.
    SetCursor(before_ ? before_ : LoadCursor(nullptr, IDC_ARROW));
  }
}

}  // namespace quorvane::ui::win32
