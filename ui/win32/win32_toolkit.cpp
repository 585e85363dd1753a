#include "ui/platform_toolkit.h"

#include <windows.h>

#include <optional>
#include <string>

#include "ui/message_box_keys.h"
#include "ui/win32/native_window.h"
#include "ui/win32/text_codes.h"

namespace quorvane::ui {
namespace {

// The cursor before the wait cursor. No message is handled while the wait
// cursor stands, so nothing else sets the cursor meanwhile.
HCURSOR gBeforeBusy = nullptr;

}  // namespace

std::unique_ptr<WindowCore> PlatformToolkit::MakeWindow(const DesignRows& design,
                                                        CoreReports& reports, WindowCore* owner) {
  return std::make_unique<win32::NativeWindow>(design, reports,
                                               static_cast<win32::NativeWindow*>(owner));
}

engine::Answer PlatformToolkit::ShowMessage(const engine::Message& message, WindowCore* owner) {
  const std::string text = win32::Utf8ToAnsi(message.text);
  const std::string title = win32::Utf8ToAnsi(message.ShownTitle());
  HWND window = owner ? static_cast<win32::NativeWindow*>(owner)->Handle() : nullptr;
  switch (MessageBoxA(window, text.c_str(), title.c_str(), static_cast<UINT>(message.Style()))) {
    case IDYES:
      return AnswerOf(message, engine::Answer::Yes);
    case IDNO:
      return AnswerOf(message, engine::Answer::No);
    default:
      return AnswerOf(message, std::nullopt);
  }
}

void PlatformToolkit::ShowBusy(bool busy) {
  if (busy) {
    gBeforeBusy = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  } else {
    // No cursor of this program's before: the arrow, never none at all.
    SetCursor(gBeforeBusy ? gBeforeBusy : LoadCursor(nullptr, IDC_ARROW));
  }
}

}  // namespace quorvane::ui
