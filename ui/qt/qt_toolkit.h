// The Qt toolkit: the cores of the program's windows (qt_window.h), its
// message boxes and its busy pointer.
#pragma once

#include "ui/window_core.h"

namespace quorvane::ui {

class QtToolkit final : public Toolkit {
 public:
  std::unique_ptr<WindowCore> MakeWindow(const DesignRows& design, CoreReports& reports,
                                         WindowCore* owner) override;
  // A QMessageBox, modal, over owner's window when there is one; it takes
  // from the keyboard and its close box what message_box_keys.h says.
  engine::Answer ShowMessage(const engine::Message& message, WindowCore* owner) override;
  // The wait cursor over every window of the program, as an override that
  // the next ShowBusy(false) takes away.
  void ShowBusy(bool busy) override;
};

}  // namespace quorvane::ui
