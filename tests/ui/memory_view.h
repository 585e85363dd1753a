// A window held in memory, for the tests of the windows' logic: a core that
// starts as the design says (captions, list items, scroll positions at their
// minimum, every control shown) and keeps what it is told, under the
// program's own host and view. It acts for the user too: clicking,
// choosing, scrolling and typing, each reported to the host as a toolkit
// would report it, which applies its rules and delivers it to the logic
// through its EventBinding table.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/hosted_window.h"
#include "ui/window_core.h"
#include "ui/window_design.h"
#include "ui/window_host.h"
#include "ui/window_view.h"

namespace quorvane::testing {

// The state of every control by row, and what the window asked of the
// platform, in order.
class MemoryCore final : public ui::WindowCore {
 public:
  struct State {
    std::string text;
    int check = ui::kCleared;
    int chosen = -1;
    int position = 0;
    bool visible = true;
  };

  MemoryCore(const ui::DesignRows& design, ui::CoreReports& reports)
      : reports(reports), caption_(design.window.caption), controls_(design.controls.size()) {
    for (std::size_t i = 0; i < design.controls.size(); ++i) {
      const ui::ControlRow& row = design.controls[i];
      State& state = controls_[i];
      if (row.caption) state.text = row.caption;
      state.position = row.minimum;
    }
  }

  ui::CoreReports& reports;  // the host's: where the user's acts go
  std::vector<std::string> openedAddresses;
  bool closed = false;
  bool ended = false;

  State& At(int row) { return controls_.at(static_cast<std::size_t>(row)); }
  const State& At(int row) const { return controls_.at(static_cast<std::size_t>(row)); }

  std::string Text(int row) const override { return At(row).text; }
  void SetText(int row, std::string_view text) override { At(row).text = text; }
  int CheckValue(int row) const override { return At(row).check; }
  void SetCheckValue(int row, int value) override { At(row).check = value; }
  int ChosenIndex(int row) const override { return At(row).chosen; }
  int ScrollPosition(int row) const override { return At(row).position; }
  void SetScrollPosition(int row, int position) override { At(row).position = position; }
  void SetVisible(int row, bool visible) override { At(row).visible = visible; }
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view caption) override { caption_ = caption; }
  int FocusedControl() const override { return focused_; }
  void SetFocus(int row, bool) override { focused_ = row; }
  // The user's clicks are reported by the view, which knows the host.
  void Click(int) override {}
  void ShowDefault(int) override {}
  int CaptionWidth(int) const override { return 0; }
  void Place(int, const ui::PixelRect&) override {}
  int DotsPerInch() const override { return 96; }
  void OpenWebAddress(const std::string& address) override { openedAddresses.push_back(address); }
  void EndProgram() override { ended = true; }
  void Show() override {}
  void ShowModal() override {}
  void RunUntilClosed() override {}
  void Close() override { closed = true; }

 private:
  std::string caption_;
  std::vector<State> controls_;
  int focused_ = ui::kNoControl;
};

// Makes memory cores, and keeps the last one it made.
class MemoryToolkit final : public ui::Toolkit {
 public:
  MemoryCore* made = nullptr;

  std::unique_ptr<ui::WindowCore> MakeWindow(const ui::DesignRows& design,
                                             ui::CoreReports& reports, ui::WindowCore*) override {
    auto core = std::make_unique<MemoryCore>(design, reports);
    made = core.get();
    return core;
  }
  engine::Answer ShowMessage(const engine::Message& message, ui::WindowCore*) override {
    return message.buttons == engine::Buttons::Ok ? engine::Answer::Ok : engine::Answer::No;
  }
  void ShowBusy(bool) override {}
};

// The memory core's toolkit and host, made before the view.
struct MemoryHostOwner {
  MemoryToolkit toolkit;
  std::vector<ui::ModalWindow> openedModals;
  ui::WindowHost host;
  MemoryCore& core;

  explicit MemoryHostOwner(ui::DesignRows rows)
      : host(std::move(rows), toolkit, nullptr,
             [this](ui::ModalWindow window, ui::WindowHost&) { openedModals.push_back(window); }),
        core(*toolkit.made) {}
};

template <typename Id>
class MemoryView final : private MemoryHostOwner, public ui::WindowView<Id> {
 public:
  explicit MemoryView(const ui::WindowDesign<Id>& design)
      : MemoryHostOwner(ui::RowsOf(design)), ui::WindowView<Id>(host, design), design_(design) {}

  // What the logic asked of the platform, in order.
  const std::vector<std::string>& openedAddresses() const { return core.openedAddresses; }
  const std::vector<ui::ModalWindow>& openedModals() const { return MemoryHostOwner::openedModals; }
  bool closed() const { return core.closed; }
  bool ended() const { return core.ended; }

  bool IsVisible(Id control) const { return host.IsShown(ui::IndexOf(control)); }

  // The user clicks a control: a check box changes as it would, then the
  // click is reported (an option button is selected by the host's rule).
  template <typename Logic>
  void Click(Logic& logic, Id control) {
    MemoryCore::State& state = core.At(ui::IndexOf(control));
    if (design_[control].kind == ui::ControlKind::CheckBox) {
      state.check = state.check == ui::kCleared ? ui::kTicked : ui::kCleared;
    }
    Report(logic, control, ui::Event::Click);
  }

  // The user chooses a list item by its text, also the one already shown.
  template <typename Logic>
  void Choose(Logic& logic, Id list, std::string_view item) {
    const auto& items = design_[list].items;
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end()) throw std::logic_error("no such list item: " + std::string(item));
    core.At(ui::IndexOf(list)).chosen = static_cast<int>(found - items.begin());
    Report(logic, list, ui::Event::Choose);
  }

  // The user moves a scroll bar (an arrow, the trough or a released thumb):
  // it stops at its ends, and only a changed position is reported.
  template <typename Logic>
  void Scroll(Logic& logic, Id bar, int position) {
    const ui::ControlSpec<Id>& spec = design_[bar];
    position = std::clamp(position, spec.minimum, spec.maximum);
    if (position == core.At(ui::IndexOf(bar)).position) return;
    core.At(ui::IndexOf(bar)).position = position;
    Report(logic, bar, ui::Event::Change);
  }

  // The user types into an entry box, replacing its text; nothing is reported.
  void Type(Id box, std::string_view text) { core.At(ui::IndexOf(box)).text = text; }

 private:
  // Connects the logic to the host the first time the user acts, then
  // reports the event as a core would.
  template <typename Logic>
  void Report(Logic& logic, Id control, ui::Event event) {
    if (!connected_) {
      ui::ConnectLogic(host, logic);
      connected_ = true;
    }
    core.reports.Reported(ui::IndexOf(control), event);
  }

  const ui::WindowDesign<Id>& design_;
  bool connected_ = false;
};

}  // namespace quorvane::testing
