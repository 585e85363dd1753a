// The main window's logic: a header, eight stacked panes of which one is
// shown, and a footer with the pane list, the scroll bar, Restore and Close.
//
// Each handler serves one user event and stays thin: it hands the control
// values to the engine, tells what the engine did as the windows tell it,
// and copies the results back into the controls. The
// window keeps no state of its own besides its controls; the scroll position
// is the shown pane. Written against WindowView, so that every toolkit's
// window runs the same handlers.
#pragma once

#include <span>

#include "engine/first_run.h"
#include "engine/setting_apply.h"
#include "engine/user_dialogs.h"
#include "store/catalogue.h"
#include "store/registry.h"
#include "ui/quorvane_form_design.h"
#include "ui/window_view.h"

namespace quorvane::ui {

class QuorvaneForm {
 public:
  using Id = FormControl;

  // Takes a view built from kQuorvaneFormDesign and gives it the state it
  // starts with (the welcome pane shown, the others hidden). Runs no
  // handler: the caller runs Form_Load before it shows the window.
  QuorvaneForm(WindowView<FormControl>& view, const store::Registry& registry,
               engine::UserDialogs& dialogs);

  // What Form_Load decided; when it tells to exit, the window must never be
  // shown.
  engine::StartOutcome startOutcome() const { return startOutcome_; }

  // Makes the pane of a scroll position (1 to 8) the one shown; other
  // positions change nothing.
  void ShowPane(int position);
  // Reads every displayed setting afresh and shows it; never changes which
  // pane is shown, nor what the user typed.
  void RefreshCurrentValues();

  // The handlers, each of one event.
  void Form_Load();
  void scroller_Change();
  void Combo1_Click();
  void Label37_Click();
  void cmd_Optimise_Click();
  void Setting1Apply_Click();
  void Setting2Apply_Click();
  void Setting3Apply_Click();
  void Session4Apply_Click();
  void Setting5Apply_Click();
  void Setting6Apply_Click();
  void Setting7Apply_Click();
  void cmdRestore_Click();
  void cmdClose_Click();

  // Which handler serves which control's event.
  static std::span<const EventBinding<QuorvaneForm>> Events();

 private:
  // Applies the text pane of setting, from its entry box to its label.
  void ApplyText(store::SettingId setting);
  void ShowPathMtuFlags(const engine::PathMtuFlags& flags);

  WindowView<FormControl>& view_;
  const store::Registry& registry_;
  engine::UserDialogs& dialogs_;
  engine::StartOutcome startOutcome_ = engine::StartOutcome::Continue;
};

}  // namespace quorvane::ui
