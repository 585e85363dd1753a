#include "ui/qt/program_windows.h"

#include "ui/quorvane_about.h"
#include "ui/quorvane_finished.h"

namespace quorvane::ui {

MainWindow::MainWindow(const store::Registry& registry, engine::UserDialogs& dialogs)
    : HostedWindow(MakeQtWindowCore(RowsOf(kQuorvaneFormDesign)), kQuorvaneFormDesign, registry,
                   dialogs) {
  Load();
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
