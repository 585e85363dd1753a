#include "ui/win32/quorvane_windows_win32.h"

#include <memory>

#include "ui/quorvane_about.h"
#include "ui/quorvane_finished.h"
#include "ui/window_host.h"

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

QuorvaneMainWindow::QuorvaneMainWindow(const store::Registry& registry, ModalOpener openModal)
    : dialogs_(openModal),
      view_(kQuorvaneFormDesign, nullptr, openModal),
      form_(view_, registry, dialogs_) {
  ConnectLogic(view_.Window(), form_);
  view_.Window().SetEndsProgramWhenClosed(true);
  dialogs_.SetOwner(view_.Handle());
}

engine::StartOutcome QuorvaneMainWindow::Load() {
  LoadLogic(form_);
  return form_.startOutcome();
}

void QuorvaneMainWindow::Show() { view_.Window().Show(); }

}  // namespace quorvane::ui::win32
