#include "ui/win32/quorvane_windows_win32.h"

#include <memory>
#include <utility>

#include "ui/quorvane_about.h"
#include "ui/quorvane_finished.h"

namespace quorvane::ui::win32 {

void OpenQuorvaneModal(ModalWindow window, HWND owner) {
  switch (window) {
    case ModalWindow::About:
      RunModalWindow<QuorvaneAbout>(
          std::make_unique<NativeWindow>(RowsOf(kQuorvaneAboutDesign), owner, OpenQuorvaneModal),
          kQuorvaneAboutDesign);
      return;
    case ModalWindow::Finished:
      RunModalWindow<QuorvaneFinished>(
          std::make_unique<NativeWindow>(RowsOf(kQuorvaneFinishedDesign), owner,
                                         OpenQuorvaneModal),
          kQuorvaneFinishedDesign);
      return;
  }
}

namespace {

// The main window's core: without an owner, and the program's end when closed.
std::unique_ptr<WindowCore> MainWindowCore(ModalOpener openModal) {
  auto core = std::make_unique<NativeWindow>(RowsOf(kQuorvaneFormDesign), nullptr,
                                             std::move(openModal));
  core->SetEndsProgramWhenClosed(true);
  return core;
}

}  // namespace

QuorvaneMainWindow::QuorvaneMainWindow(const store::Registry& registry, ModalOpener openModal)
    : dialogs_(openModal),
      window_(MainWindowCore(openModal), kQuorvaneFormDesign, registry, dialogs_) {
  dialogs_.SetOwner(Window().Handle());
}

engine::StartOutcome QuorvaneMainWindow::Load() {
  window_.Load();
  return window_.logic().startOutcome();
}

}  // namespace quorvane::ui::win32
