// Qt windows built from any window's design: the Qt core of a window (its
// widgets, kept in the design's look whatever the desktop's palette) and
// the view a window's logic gets over it. Neither knows any particular
// window; their life is ui/window_host.h's.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "ui/window_view.h"
#include "ui/design_rows.h"
#include "ui/window_core.h"
#include "ui/window_design.h"

namespace quorvane::ui {

// Builds a window and all its controls, hidden, from a resolved design.
std::unique_ptr<WindowCore> MakeQtWindowCore(DesignRows design);
// The Qt window of a core that MakeQtWindowCore made.
QWidget& WidgetOf(WindowCore& core);

// A core that the view owns, made before the view is put on it.
struct QtCoreOwner {
  std::unique_ptr<WindowCore> core;
};

// A window's view over a Qt core of its own.
template <typename Id>
class QtWindow final : private QtCoreOwner, public WindowView<Id> {
 public:
  explicit QtWindow(const WindowDesign<Id>& design)
      : QtCoreOwner{MakeQtWindowCore(RowsOf(design))}, WindowView<Id>(*core, design) {}

  WindowCore& windowCore() { return *core; }
  QWidget& widget() { return WidgetOf(*core); }
};

// What the cores share, whatever their window. OpenModalWindow is the
// program's (ui/qt/program_windows.cpp): it knows the secondary windows.
void OpenModalWindow(ModalWindow window);

}  // namespace quorvane::ui
