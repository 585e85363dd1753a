// The Win32 toolkit: the cores of the program's windows (native_window.h),
// the system's message boxes and the wait cursor.
#pragma once

#include <windows.h>

#include "ui/window_core.h"

namespace quorvane::ui::win32 {

class Win32Toolkit final : public Toolkit {
 public:
  std::unique_ptr<WindowCore> MakeWindow(const DesignRows& design, CoreReports& reports,
                                         WindowCore* owner) override;
  // MessageBoxA with exactly the message's text, title and style, owned by
  // owner's window when there is one. Its keys are Windows' to decide; its
  // answer is read as message_box_keys.h says.
  engine::Answer ShowMessage(const engine::Message& message, WindowCore* owner) override;
  // The wait cursor until ShowBusy(false) puts the one before it back; no
  // message is handled meanwhile, so nothing else sets the cursor.
  void ShowBusy(bool busy) override;

 private:
  HCURSOR before_ = nullptr;
};

}  // namespace quorvane::ui::win32
