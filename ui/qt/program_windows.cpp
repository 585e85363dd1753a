#include "ui/qt/program_windows.h"

#include "ui/quorvane_about.h"
#include "ui/quorvane_finished.h"

namespace quorvane::ui {

MainWindow::MainWindow(const store::Registry& registry, engine::UserDialogs& dialogs)
    : view(kQuorvaneFormDesign), logic(view, registry, dialogs) {
  view.Connect(logic);
  logic.Form_Load();
}

void ShowAboutWindow() {
  QtWindow<AboutControl> view(kQuorvaneAboutDesign);
  QuorvaneAbout logic(view);
  view.Connect(logic);
  logic.Form_Load();
  view.widget().RunModal();
}

void ShowFinishedWindow() {
  QtWindow<FinishedControl> view(kQuorvaneFinishedDesign);
  QuorvaneFinished logic(view);
  view.Connect(logic);
  view.widget().RunModal();
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
