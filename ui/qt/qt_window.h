// Qt windows built from any window's design: the Qt core of a window (its
// widgets, kept in the design's look whatever the desktop's palette). It
// knows no particular window; a window's life is ui/window_host.h's.
#pragma once

#include <QWidget>
#include <memory>

#include "ui/design_rows.h"
#include "ui/window_core.h"

namespace quorvane::ui {

// Builds a window and all its controls, hidden, from a resolved design.
std::unique_ptr<WindowCore> MakeQtWindowCore(DesignRows design);
// The Qt window of a core that MakeQtWindowCore made.
QWidget& WidgetOf(WindowCore& core);

// What the cores share, whatever their window. OpenModalWindow is the
// program's (ui/qt/program_windows.cpp): it knows the secondary windows.
void OpenModalWindow(ModalWindow window);

}  // namespace quorvane::ui
