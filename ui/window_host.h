// A window's life, written once for every toolkit: built from its design,
// the logic's events connected, its load step run, shown (or run modally),
// ended. A toolkit supplies the core; nothing here knows which.
#pragma once

#include <memory>
#include <utility>

#include "ui/window_view.h"
#include "ui/window_core.h"
#include "ui/window_design.h"

namespace quorvane::ui {

// Serves the logic's handlers from the core's events, as Logic::Events()
// lists them; the events it does not list are ignored. Both must outlive
// the window's events.
template <typename Logic>
void ConnectLogic(WindowCore& core, Logic& logic) {
  for (const EventBinding<Logic>& binding : Logic::Events()) {
    core.OnEvent(IndexOf(binding.control), binding.event,
                 [&logic, handler = binding.handler] { (logic.*handler)(); });
  }
}

// Runs the logic's load step, for a window that has one.
template <typename Logic>
void LoadLogic(Logic& logic) {
  if constexpr (requires { logic.Form_Load(); }) logic.Form_Load();
}

// A window and its logic over one core: the view built on the core, the
// logic on the view (with its own arguments after it), its events
// connected. Nothing is shown and no load step runs until asked. It stays
// where it was built: the logic holds the view, the view the core.
template <typename Logic>
class HostedWindow {
 public:
  using Id = typename Logic::Id;

  template <typename... LogicArguments>
  HostedWindow(std::unique_ptr<WindowCore> core, const WindowDesign<Id>& design,
               LogicArguments&&... arguments)
      : core_(std::move(core)),
        view_(*core_, design),
        logic_(view_, std::forward<LogicArguments>(arguments)...) {
    ConnectLogic(*core_, logic_);
  }
  HostedWindow(const HostedWindow&) = delete;
  HostedWindow& operator=(const HostedWindow&) = delete;

  // The logic's load step, the window still hidden.
  void Load() { LoadLogic(logic_); }
  // Shows the window, once loaded.
  void Show() { core_->Show(); }

  WindowCore& core() { return *core_; }
  WindowView<Id>& view() { return view_; }
  Logic& logic() { return logic_; }

 private:
  std::unique_ptr<WindowCore> core_;
  WindowView<Id> view_;
  Logic logic_;
};

// One opening of a secondary window: built afresh from its design with a
// new instance of its logic, loaded, run modally; gone when it returns, so
// nothing carries over to the next opening.
template <typename Logic>
void RunModalWindow(std::unique_ptr<WindowCore> core, const WindowDesign<typename Logic::Id>& design) {
  HostedWindow<Logic> window(std::move(core), design);
  window.Load();
  window.core().RunModal();
}

}  // namespace quorvane::ui
