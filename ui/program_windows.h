// The program's windows, for every toolkit, from one table: which window is
// built from which design with which logic. The main window lives as long
// as the program; the About and Finished windows that it opens are built
// afresh from their designs at every opening, owned by it, and gone once
// closed.
#pragma once

#include "engine/first_run.h"
#include "engine/user_dialogs.h"
#include "store/registry.h"
#include "ui/hosted_window.h"
#include "ui/quorvane_form.h"
#include "ui/window_core.h"
#include "ui/window_host.h"

namespace quorvane::ui {

// Opens the About or the Finished window modally over owner and returns
// once the user has closed it.
void OpenProgramWindow(Toolkit& toolkit, ModalWindow window, WindowHost& owner);

// The main window, built hidden with its handlers connected.
class MainWindow {
 public:
  // With the toolkit's message boxes, over this window once it is shown
  // (over none during the load step, which runs while it is hidden). Tests
  // may give other dialogs (scripted answers), and another way of opening
  // the secondary windows.
  MainWindow(Toolkit& toolkit, const store::Registry& registry, ModalOpener openModal = {});
  MainWindow(Toolkit& toolkit, const store::Registry& registry, engine::UserDialogs& dialogs,
             ModalOpener openModal = {});
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The load step (Form_Load); when it tells to exit, the window must never
  // be shown.
  [[nodiscard]] engine::StartOutcome Load();
  void Show() { window_.Show(); }

  WindowHost& host() { return window_.host(); }
  WindowView<FormControl>& view() { return window_.view(); }
  QuorvaneForm& logic() { return window_.logic(); }

 private:
  // The engine's dialogs as the program shows them: the toolkit's message
  // boxes over this window, the Finished window owned by it.
  class OwnDialogs final : public engine::UserDialogs {
   public:
    OwnDialogs(Toolkit& toolkit, MainWindow& window) : toolkit_(toolkit), window_(window) {}
    engine::Answer Show(const engine::Message& message) override;
    void ShowFinished() override;
    void ShowBusy(bool busy) override { toolkit_.ShowBusy(busy); }

   private:
    Toolkit& toolkit_;
    MainWindow& window_;
  };

  OwnDialogs ownDialogs_;
  HostedWindow<QuorvaneForm> window_;
};

}  // namespace quorvane::ui
