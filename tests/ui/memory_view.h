// A window's view held in memory, for the tests of the windows' logic: it
// starts as the design says (captions, list items, scroll positions at their
// minimum, every control shown) and keeps what the logic sets. It acts for
// the user too: clicking, choosing, scrolling and typing, each delivered to
// the logic through its EventBinding table as a toolkit would deliver it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window_design.h"
#include "ui/window_view.h"

namespace quorvane::testing {

template <typename Id>
class MemoryView final : public ui::WindowView<Id> {
 public:
  explicit MemoryView(const ui::WindowDesign<Id>& design)
      : design_(design), caption_(design.window.caption), controls_(design.controls.size()) {
    for (const ui::ControlSpec<Id>& spec : design.controls) {
      State& state = At(spec.id);
      if (spec.caption) state.text = spec.caption;
      state.position = spec.minimum;
    }
  }

  // What the logic asked of the platform, in order.
  std::vector<std::string> openedAddresses;
  std::vector<ui::ModalWindow> openedModals;
  bool closed = false;
  bool ended = false;

  bool IsVisible(Id control) const { return At(control).visible; }

  // The user clicks a control: a check box or option button changes as it
  // would, then the logic's handler of the click, if any, runs.
  template <typename Logic>
  void Click(Logic& logic, Id control) {
    if (design_[control].kind == ui::ControlKind::CheckBox) {
      At(control).check = At(control).check == ui::kCleared ? ui::kTicked : ui::kCleared;
    } else if (design_[control].kind == ui::ControlKind::OptionButton) {
      SetCheckValue(control, ui::kTicked);
    }
    Deliver(logic, control, ui::Event::Click);
  }

  // The user chooses a list item by its text, also the one already shown.
  template <typename Logic>
  void Choose(Logic& logic, Id list, std::string_view item) {
    const auto& items = design_[list].items;
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) throw std::logic_error("no such list item: " + std::string(item));
    At(list).chosen = static_cast<int>(found - items.begin());
    Deliver(logic, list, ui::Event::Choose);
  }

  // The user moves a scroll bar (an arrow, the trough or a released thumb):
  // it stops at its ends, and only a changed position is reported.
  template <typename Logic>
  void Scroll(Logic& logic, Id bar, int position) {
    const ui::ControlSpec<Id>& spec = design_[bar];
    position = std::clamp(position, spec.minimum, spec.maximum);
    if (position == At(bar).position) return;
    At(bar).position = position;
    Deliver(logic, bar, ui::Event::Change);
  }

  // The user types into an entry box, replacing its text; nothing is reported.
  void Type(Id box, std::string_view text) { At(box).text = text; }

  std::string Text(Id control) const override { return At(control).text; }
  void SetText(Id control, std::string_view text) override { At(control).text = text; }
  int CheckValue(Id control) const override { return At(control).check; }
  void SetCheckValue(Id control, int value) override {
    if (design_[control].kind == ui::ControlKind::OptionButton && value == ui::kTicked) {
      // The other option buttons of the container clear.
      for (const ui::ControlSpec<Id>& other : design_.controls) {
        if (other.kind == ui::ControlKind::OptionButton &&
            other.container == design_[control].container) {
          At(other.id).check = ui::kCleared;
        }
      }
    }
    At(control).check = value;
  }
  int ChosenIndex(Id control) const override { return At(control).chosen; }
  std::string ChosenText(Id control) const override {
    const int chosen = At(control).chosen;
    return chosen < 0 ? std::string() : design_[control].items[static_cast<std::size_t>(chosen)];
  }
  int ScrollPosition(Id control) const override { return At(control).position; }
  void SetScrollPosition(Id control, int position) override { At(control).position = position; }
  void SetVisible(Id control, bool visible) override { At(control).visible = visible; }
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }
  void OpenWebAddress(const std::string& address) override { openedAddresses.push_back(address); }
  void OpenModal(ui::ModalWindow window) override { openedModals.push_back(window); }
  void Close() override { closed = true; }
  void EndProgram() override { ended = true; }

 private:
  struct State {
    std::string text;
    int check = ui::kCleared;
    int chosen = -1;
    int position = 0;
    bool visible = true;
  };

  State& At(Id id) { return controls_.at(static_cast<std::size_t>(id)); }
  const State& At(Id id) const { return controls_.at(static_cast<std::size_t>(id)); }

  template <typename Logic>
  void Deliver(Logic& logic, Id control, ui::Event event) {
    for (const ui::EventBinding<Logic>& binding : Logic::Events()) {
      if (binding.control == control && binding.event == event) (logic.*binding.handler)();
    }
  }

  const ui::WindowDesign<Id>& design_;
  std::string caption_;
  std::vector<State> controls_;
};

}  // namespace quorvane::testing
