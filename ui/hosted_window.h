// A window with its logic, for every toolkit: the host (window_host.h) on a
// toolkit's core, the view (window_view.h) on the host, the logic on the
// view, its events connected; and one opening of a secondary window.
#pragma once

#include <utility>

#include "ui/design_rows.h"
#include "ui/window_design.h"
#include "ui/window_host.h"
#include "ui/window_view.h"

namespace quorvane::ui {

// Serves the logic's handlers from the host's events, as Logic::Events()
// lists them; the events it does not list are ignored. Both must outlive
// the window's events.
template <typename Logic>
void ConnectLogic(WindowHost& host, Logic& logic) {
  for (const EventBinding<Logic>& binding : Logic::Events()) {
    host.OnEvent(IndexOf(binding.control), binding.event,
                 [&logic, handler = binding.handler] { (logic.*handler)(); });
  }
}

// Runs the logic's load step, for a window that has one.
template <typename Logic>
void LoadLogic(Logic& logic) {
  if constexpr (requires { logic.Form_Load(); }) logic.Form_Load();
}

// A window and its logic: the host built on a toolkit's core, the view on
// the host, the logic on the view (with its own arguments after it), its
// events connected. Nothing is shown and no load step runs until asked. It
// stays where it was built: the logic holds the view, the view the host.
template <typename Logic>
class HostedWindow {
 public:
  using Id = typename Logic::Id;

  template <typename... LogicArguments>
  HostedWindow(Toolkit& toolkit, const WindowDesign<Id>& design, WindowHost* owner,
               ModalOpener openModal, LogicArguments&&... arguments)
      : host_(RowsOf(design), toolkit, owner, std::move(openModal)),
        view_(host_, design),
        logic_(view_, std::forward<LogicArguments>(arguments)...) {
    ConnectLogic(host_, logic_);
  }
  HostedWindow(const HostedWindow&) = delete;
  HostedWindow& operator=(const HostedWindow&) = delete;

  // The logic's load step, the window still hidden.
  void Load() { LoadLogic(logic_); }
  // Shows the window, once loaded.
  void Show() { host_.Show(); }

  WindowHost& host() { return host_; }
  WindowView<Id>& view() { return view_; }
  Logic& logic() { return logic_; }

 private:
  WindowHost host_;
  WindowView<Id> view_;
  Logic logic_;
};

// One opening of a secondary window: built afresh from its design with a
// new instance of its logic, owned by `owner`, loaded, run modally; gone
// when it returns, so nothing carries over to the next opening.
template <typename Logic>
void RunModalWindow(Toolkit& toolkit, const WindowDesign<typename Logic::Id>& design,
                    WindowHost& owner) {
  HostedWindow<Logic> window(toolkit, design, &owner, {});
  window.Load();
  window.host().RunModal();
}

}  // namespace quorvane::ui
