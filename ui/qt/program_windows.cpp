#include "ui/qt/program_windows.h"

#include "ui/quorvane_about.h"
#include "ui/quorvane_finished.h"
#include "ui/window_host.h"

namespace quorvane::ui {

MainWindow::MainWindow(const store::Registry& registry, engine::UserDialogs& dialogs)
    : view(kQuorvaneFormDesign), logic(view, registry, dialogs) {
  ConnectLogic(view.windowCore(), logic);
  LoadLogic(logic);
}

void ShowAboutWindow() {
  RunModalWindow<QuorvaneAbout>(MakeQtWindowCore(RowsOf(kQuorvaneAboutDesign)),
                                kQuorvaneAboutDesign);
}

void ShowFinishedWindow() {
  RunModalWindow<QuorvaneFinished>(MakeQtWindowCore(RowsOf(kQuorvaneFinishedDesign)),
                                   kQuorvaneFinishedDesign);
}

void OpenModalWindow(ModalWindow window) {
  switch (window) {
    case ModalWindow::About:
      ShowAboutWindow();
      return;
    case ModalWindow::Finished:
      ShowFinishedWindow();
      return;
  }
}

}  // namespace quorvane::ui
