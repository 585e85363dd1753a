// A window held in memory, for the tests of the windows' logic: a core that
// starts as the design says (captions, list items, scroll positions at their
// minimum, every control shown) and keeps what the logic sets, under the
// program's own view. It acts for the user too: clicking, choosing,
// scrolling and typing, each delivered to the logic through its
// EventBinding table as a toolkit would deliver it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window_core.h"
#include "ui/window_design.h"
#include "ui/window_view.h"

namespace quorvane::testing {

// The state of every control by row, and what the logic asked of the
// platform, in order.
class MemoryCore final : public ui::WindowCore {
 public:
  struct State {
    std::string text;
    int check = ui::kCleared;
    int chosen = -1;
    int position = 0;
    bool visible = true;
    int container = ui::kNoControl;
    bool optionButton = false;
  };

  explicit MemoryCore(const ui::DesignRows& design)
      : caption_(design.window.caption), controls_(design.controls.size()) {
    for (std::size_t i = 0; i < design.controls.size(); ++i) {
      const ui::ControlRow& row = design.controls[i];
      State& state = controls_[i];
      if (row.caption) state.text = row.caption;
      state.position = row.minimum;
      state.container = row.container;
      state.optionButton = row.kind == ui::ControlKind::OptionButton;
    }
  }

  std::vector<std::string> openedAddresses;
  std::vector<ui::ModalWindow> openedModals;
  bool closed = false;
  bool ended = false;

  State& At(int row) { return controls_.at(static_cast<std::size_t>(row)); }
  const State& At(int row) const { return controls_.at(static_cast<std::size_t>(row)); }

  std::string Text(int row) const override { return At(row).text; }
  void SetText(int row, std::string_view text) override { At(row).text = text; }
  int CheckValue(int row) const override { return At(row).check; }
  void SetCheckValue(int row, int value) override {
    if (At(row).optionButton && value == ui::kTicked) {
      // The other option buttons of the container clear.
      for (State& other : controls_) {
        if (other.optionButton && other.container == At(row).container) other.check = ui::kCleared;
      }
    }
    At(row).check = value;
  }
  int ChosenIndex(int row) const override { return At(row).chosen; }
  int ScrollPosition(int row) const override { return At(row).position; }
  void SetScrollPosition(int row, int position) override { At(row).position = position; }
  void SetVisible(int row, bool visible) override { At(row).visible = visible; }
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }
  void OpenWebAddress(const std::string& address) override { openedAddresses.push_back(address); }
  void OpenModal(ui::ModalWindow window) override { openedModals.push_back(window); }
  void Close() override { closed = true; }
  void EndProgram() override { ended = true; }
  // The user's actions are delivered straight to the logic's table.
  void OnEvent(int, ui::Event, std::function<void()>) override {}
  void Show() override {}
  void RunModal() override {}

 private:
  std::string caption_;
  std::vector<State> controls_;
};

// The memory core under the program's view, made before the view.
struct MemoryCoreOwner {
  MemoryCore core;
};

template <typename Id>
class MemoryView final : private MemoryCoreOwner, public ui::WindowView<Id> {
 public:
  explicit MemoryView(const ui::WindowDesign<Id>& design)
      : MemoryCoreOwner{MemoryCore(ui::RowsOf(design))},
        ui::WindowView<Id>(core, design),
        design_(design) {}

  // What the logic asked of the platform, in order.
  const std::vector<std::string>& openedAddresses() const { return core.openedAddresses; }
  const std::vector<ui::ModalWindow>& openedModals() const { return core.openedModals; }
  bool closed() const { return core.closed; }
  bool ended() const { return core.ended; }

  bool IsVisible(Id control) const { return core.At(ui::IndexOf(control)).visible; }

  // The user clicks a control: a check box or option button changes as it
  // would, then the logic's handler of the click, if any, runs.
  template <typename Logic>
  void Click(Logic& logic, Id control) {
    MemoryCore::State& state = core.At(ui::IndexOf(control));
    if (design_[control].kind == ui::ControlKind::CheckBox) {
      state.check = state.check == ui::kCleared ? ui::kTicked : ui::kCleared;
    } else if (design_[control].kind == ui::ControlKind::OptionButton) {
      core.SetCheckValue(ui::IndexOf(control), ui::kTicked);
    }
    Deliver(logic, control, ui::Event::Click);
  }

  // The user chooses a list item by its text, also the one already shown.
  template <typename Logic>
  void Choose(Logic& logic, Id list, std::string_view item) {
    const auto& items = design_[list].items;
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) throw std::logic_error("no such list item: " + std::string(item));
    core.At(ui::IndexOf(list)).chosen = static_cast<int>(found - items.begin());
    Deliver(logic, list, ui::Event::Choose);
  }

  // The user moves a scroll bar (an arrow, the trough or a released thumb):
  // it stops at its ends, and only a changed position is reported.
  template <typename Logic>
  void Scroll(Logic& logic, Id bar, int position) {
    const ui::ControlSpec<Id>& spec = design_[bar];
    position = std::clamp(position, spec.minimum, spec.maximum);
    if (position == core.At(ui::IndexOf(bar)).position) return;
    core.At(ui::IndexOf(bar)).position = position;
    Deliver(logic, bar, ui::Event::Change);
  }

  // The user types into an entry box, replacing its text; nothing is reported.
  void Type(Id box, std::string_view text) { core.At(ui::IndexOf(box)).text = text; }

 private:
  template <typename Logic>
  void Deliver(Logic& logic, Id control, ui::Event event) {
    for (const ui::EventBinding<Logic>& binding : Logic::Events()) {
      if (binding.control == control && binding.event == event) (logic.*binding.handler)();
    }
  }

  const ui::WindowDesign<Id>& design_;
};

}  // namespace quorvane::testing
