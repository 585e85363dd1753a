// A window's life and its rules, written once for every toolkit: built from
// its design over a toolkit's core, the logic's events connected, its load
// step run, shown or run modally over its owner, closed. The core reports
// what the user does (window_core.h); the host decides what it means, as
// the design's resolved rows say, and tells the core what to do:
// - keys: Enter presses the push button that has the focus, else the
//   window's default button; Escape the cancel button; Tab and Shift+Tab
//   walk the controls that take the focus in table order, an option group
//   by its selected button only; the arrow keys move inside a group,
//   selecting the option button they reach, except in the controls that
//   keep them for themselves; Alt and a caption's access key gives its
//   control the focus and clicks it, or gives the control that a label
//   names the focus;
// - the wheel: a scroll bar control takes none (Windows' own leaves it to
//   its window, which does nothing with it); every other control does with
//   it what its own does (a list chooses the next item, a box scrolls), and
//   the wheel gives none of them the focus;
// - focus: the design's first control, or the first one shown, when the
//   window opens, drawn as focused from the start, as Windows draws it in
//   a window of its own; the next one shown when the focused control is
//   hidden; the one that had it when the window is activated again;
// - option buttons: selecting one clears the others of its group;
// - labels: fitted to their captions (one_line_label.h) when first shown,
//   whenever their caption changes while shown, and at a new resolution;
// - owner and modality: a secondary window is owned by the window that
//   opens it and stays in front of it, and that window takes no input
//   until it closes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/design_rows.h"
#include "ui/window_core.h"

namespace quorvane::ui {

class WindowHost;

// The secondary windows the main window opens.
enum class ModalWindow { About, Finished };

// Opens a secondary window modally over owner and returns once it has been
// closed.
using ModalOpener = std::function<void(ModalWindow window, WindowHost& owner)>;

class WindowHost final : private CoreReports {
 public:
  // Builds the window's core with the toolkit, hidden. owner: the host of
  // the window that opens this one (nullptr: none). openModal: what
  // OpenModal calls, for a window that opens others.
  WindowHost(DesignRows design, Toolkit& toolkit, WindowHost* owner = nullptr,
             ModalOpener openModal = {});
  ~WindowHost() override;
  WindowHost(const WindowHost&) = delete;
  WindowHost& operator=(const WindowHost&) = delete;

  // WindowView's calls (window_view.h), by row, with the rules above.
  std::string Text(int control) const { return core_->Text(control); }
  void SetText(int control, std::string_view text);
  int CheckValue(int control) const { return core_->CheckValue(control); }
  void SetCheckValue(int control, int value);
  int ChosenIndex(int control) const { return core_->ChosenIndex(control); }
  int ScrollPosition(int control) const { return core_->ScrollPosition(control); }
  void SetScrollPosition(int control, int position) {
    core_->SetScrollPosition(control, position);
  }
  void SetVisible(int control, bool visible);
  std::string Caption() const { return core_->Caption(); }
  void SetCaption(std::string_view caption) { core_->SetCaption(caption); }
  void OpenWebAddress(const std::string& address) { core_->OpenWebAddress(address); }
  void OpenModal(ModalWindow window);
  void Close() { core_->Close(); }
  void EndProgram() { core_->EndProgram(); }

  // Runs handler at each event of that kind that the control reports.
  void OnEvent(int control, Event event, std::function<void()> handler);
  // Shows the window, with the focus on its first control.
  void Show();
  // Shows the window modally over its owner and returns once it has been
  // closed.
  void RunModal();

  // True once the window has been shown.
  bool IsShowing() const { return showing_; }
  // True unless the control or one of its containers has been hidden.
  bool IsShown(int control) const;
  const DesignRows& design() const { return design_; }
  WindowCore& core() { return *core_; }

 private:
  void Reported(int control, Event event) override;
  bool KeyPressed(Key key, int focused) override;
  bool AccessKeyPressed(char character) override;
  bool WheelTurned(int control) override;
  void FocusMoved(int control) override;
  void Activated(bool active) override;
  void Rescaled() override;

  const ControlRow& Row(int control) const {
    return design_.controls[static_cast<std::size_t>(control)];
  }
  int Count() const { return static_cast<int>(design_.controls.size()); }
  bool IsWithin(int control, int container) const;
  // The option button of a group that Tab stops at: the selected one, else
  // the first one shown.
  int GroupTabStop(int group) const;
  bool IsTabStop(int control) const;
  // The next control after `from` (kNoControl: before the first) that Tab
  // (forward) or Shift+Tab stops at; kNoControl when none does.
  int NextTabStop(int from, bool forward) const;
  int NextInGroup(int control, bool forward) const;
  int FirstFocus() const;
  // The push button that Enter presses while `focused` has the focus.
  int EnterButton(int focused) const;
  void FocusOn(int control, bool byKey);
  void SelectOption(int control);
  // Places a label around its caption, now when it is shown, else once it
  // is.
  void Fit(int label);
  void FitShownLabels();

  struct Handler {
    int control;
    Event event;
    std::function<void()> run;
  };

  DesignRows design_;
  std::vector<bool> hidden_;  // hidden by SetVisible
  std::vector<bool> fitted_;  // labels placed for their caption as it stands
  bool showing_ = false;
  int remembered_ = kNoControl;  // the focus when the window was deactivated
  ModalOpener openModal_;
  std::vector<Handler> handlers_;
  // Last: it reports to the members above, and goes first.
  std::unique_ptr<WindowCore> core_;
};

}  // namespace quorvane::ui
