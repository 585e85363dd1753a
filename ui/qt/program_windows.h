// The program's three windows on Qt: each built from its design, with its
// logic connected.
#pragma once

#include "engine/user_dialogs.h"
#include "store/registry.h"
#include "ui/qt/qt_window.h"
#include "ui/quorvane_form.h"
#include "ui/window_host.h"

namespace quorvane::ui {

// The main window, hidden, with its load step run: when logic().startOutcome()
// then tells to exit, the window must never be shown.
class MainWindow final : public HostedWindow<QuorvaneForm> {
 public:
  MainWindow(const store::Registry& registry, engine::UserDialogs& dialogs);

  QWidget& widget() { return WidgetOf(core()); }
};

// Build the secondary window afresh, show it modally without an owner and
// return when the user has closed it.
void ShowAboutWindow();
void ShowFinishedWindow();

}  // namespace quorvane::ui
