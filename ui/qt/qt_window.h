// Qt windows built from any window's design: the Qt core of a window (its
// widgets, kept in the design's look whatever the desktop's palette). It
// knows no particular window, and no rule of one: those are its host's
// (ui/window_host.h).
#pragma once

#include <QWidget>
#include <memory>

#include "ui/design_rows.h"
#include "ui/window_core.h"

namespace quorvane::ui {

// Builds a window and all its controls, hidden, from a resolved design; an
// owned window is kept in front of its owner.
std::unique_ptr<WindowCore> MakeQtWindowCore(const DesignRows& design, CoreReports& reports,
                                             WindowCore* owner);
// The Qt window of a core that MakeQtWindowCore made.
QWidget& WidgetOf(WindowCore& core);

}  // namespace quorvane::ui
