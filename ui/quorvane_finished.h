// The Finished window's logic: closing itself and opening the speed-test
// site. It never touches the registry.
#pragma once

#include <span>

#include "ui/quorvane_finished_design.h"
#include "ui/window_view.h"

namespace quorvane::ui {

// Each opening builds a new view from kQuorvaneFinishedDesign and a new
// instance over it; the window has no load step.
class QuorvaneFinished {
 public:
  using Id = FinishedControl;

  explicit QuorvaneFinished(WindowView<FinishedControl>& view) : view_(view) {}

  void CmdClose_Click();
  void Label3_Click();

  static std::span<const EventBinding<QuorvaneFinished>> Events();

 private:
  WindowView<FinishedControl>& view_;
};

}  // namespace quorvane::ui
