#include "ui/win32/quorvane_windows_win32.h"

#include "ui/quorvane_about.h"
#include "ui/quorvane_finished.h"

namespace quorvane::ui::win32 {
namespace {

// One opening of a secondary window: a new view and a new instance of its
// logic, its load step when it has one, then the modal loop.
template <typename Logic>
void RunModalWindow(const WindowDesign<typename Logic::Id>& design, HWND owner) {
  Win32WindowView<typename Logic::Id> view(design, owner, OpenQuorvaneModal);
  Logic logic(view);
  ConnectEvents(view, logic, Logic::Events());
  if constexpr (requires { logic.Form_Load(); }) logic.Form_Load();
  RunModal(view.Window(), owner);
}

}  // namespace

void OpenQuorvaneModal(ModalWindow window, HWND owner) {
  switch (window) {
    case ModalWindow::About:
      RunModalWindow<QuorvaneAbout>(kQuorvaneAboutDesign, owner);
      return;
    case ModalWindow::Finished:
      RunModalWindow<QuorvaneFinished>(kQuorvaneFinishedDesign, owner);
      return;
  }
}

QuorvaneMainWindow::QuorvaneMainWindow(const store::Registry& registry, ModalOpener openModal)
    : dialogs_(openModal),
      view_(kQuorvaneFormDesign, nullptr, openModal),
      form_(view_, registry, dialogs_) {
  ConnectEvents(view_, form_, QuorvaneForm::Events());
  view_.Window().SetEndsProgramWhenClosed(true);
  dialogs_.SetOwner(view_.Handle());
}

engine::StartOutcome QuorvaneMainWindow::Load() {
  form_.Form_Load();
  return form_.startOutcome();
}

void QuorvaneMainWindow::Show() { view_.Window().Show(); }

}  // namespace quorvane::ui::win32
