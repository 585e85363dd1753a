#include "ui/program_windows.h"

#include <utility>

#include "ui/quorvane_about.h"
#include "ui/quorvane_finished.h"

namespace quorvane::ui {

void OpenProgramWindow(Toolkit& toolkit, ModalWindow window, WindowHost& owner) {
  switch (window) {
    case ModalWindow::About:
      RunModalWindow<QuorvaneAbout>(toolkit, kQuorvaneAboutDesign, owner);
      return;
    case ModalWindow::Finished:
      RunModalWindow<QuorvaneFinished>(toolkit, kQuorvaneFinishedDesign, owner);
      return;
  }
}

MainWindow::MainWindow(Toolkit& toolkit, const store::Registry& registry, ModalOpener openModal)
    : MainWindow(toolkit, registry, ownDialogs_, std::move(openModal)) {}

MainWindow::MainWindow(Toolkit& toolkit, const store::Registry& registry,
                       engine::UserDialogs& dialogs, ModalOpener openModal)
    : ownDialogs_(toolkit, *this),
      window_(toolkit, kQuorvaneFormDesign, nullptr,
              openModal ? std::move(openModal)
                        : [&toolkit](ModalWindow window, WindowHost& owner) {
                            OpenProgramWindow(toolkit, window, owner);
                          },
              registry, dialogs) {}

engine::StartOutcome MainWindow::Load() {
  window_.Load();
  return window_.logic().startOutcome();
}

engine::Answer MainWindow::OwnDialogs::Show(const engine::Message& message) {
  WindowHost& main = window_.host();
  return toolkit_.ShowMessage(message, main.IsShowing() ? &main.core() : nullptr);
}

void MainWindow::OwnDialogs::ShowFinished() { window_.host().OpenModal(ModalWindow::Finished); }

}  // namespace quorvane::ui
