// The toolkit of this build: Qt's (ui/qt/qt_toolkit.cpp) elsewhere than on
// Windows, Win32's (ui/win32/win32_toolkit.cpp) there; a build links one.
#pragma once

#include <memory>

#include "ui/window_core.h"

namespace quorvane::ui {

class PlatformToolkit final : public Toolkit {
 public:
  // A window's core: Qt widgets, or Win32 windows (ui/qt/qt_window.h,
  // ui/win32/native_window.h).
  std::unique_ptr<WindowCore> MakeWindow(const DesignRows& design, CoreReports& reports,
                                         WindowCore* owner) override;
  // Qt's message box, which takes from the keyboard and its close box what
  // message_box_keys.h says; or MessageBoxA with exactly the message's
  // text, title and style, whose keys are Windows' to decide.
  engine::Answer ShowMessage(const engine::Message& message, WindowCore* owner) override;
  // The wait cursor over the program's windows until ShowBusy(false).
  void ShowBusy(bool busy) override;
};

}  // namespace quorvane::ui
