// What a window's logic may do with its controls, whatever toolkit draws
// them: the window's Id put on its host's rows (window_host.h). The handlers
// of each window are written once against this view; the Qt windows and the
// Win32 windows supply the host a core, and the tests one in memory.
//
// Texts are UTF-8. No call of the view runs a handler: a change the logic
// makes (a scroll position, a selection) reports nothing back, so the logic
// runs any handler that should follow itself, in the order it chooses.
#pragma once

#include <string>
#include <string_view>

#include "ui/design_rows.h"
#include "ui/window_design.h"
#include "ui/window_host.h"

namespace quorvane::ui {

// A label's or button's caption, or an entry box's text: Text. Check boxes
// and option buttons: CheckValue (setting an option button to kTicked
// clears the other option buttons of its group, a run of them in one
// container). Lists: the index of the item the user chose last in the
// design's items, -1 while none is, and its text, "" while none is.
// SetVisible hides a control with whatever it holds; the focus moves on
// from a control hidden. OpenWebAddress hands the address to the
// platform's opener with this window as the caller, reporting nothing;
// OpenModal returns when the secondary window has been closed; Close
// unloads this window; EndProgram ends the program at once.
template <typename Id>
class WindowView {
 public:
  WindowView(WindowHost& host, const WindowDesign<Id>& design) : host_(host), design_(design) {}
  WindowView(const WindowView&) = delete;
  WindowView& operator=(const WindowView&) = delete;

  std::string Text(Id control) const { return host_.Text(IndexOf(control)); }
  void SetText(Id control, std::string_view text) {
    host_.SetText(IndexOf(control), text);
  }
  int CheckValue(Id control) const { return host_.CheckValue(IndexOf(control)); }
  void SetCheckValue(Id control, int value) {
    host_.SetCheckValue(IndexOf(control), value);
  }
  int ChosenIndex(Id control) const { return host_.ChosenIndex(IndexOf(control)); }
  // A list shows its design's items, so the chosen item's text is the
  // design's.
  std::string ChosenText(Id control) const {
    const int chosen = ChosenIndex(control);
    const auto& items = design_[control].items;
    return chosen < 0 || chosen >= static_cast<int>(items.size()) ? std::string()
                                                                   : items[chosen];
  }
  int ScrollPosition(Id control) const {
    return host_.ScrollPosition(IndexOf(control));
  }
  void SetScrollPosition(Id control, int position) {
    host_.SetScrollPosition(IndexOf(control), position);
  }
  void SetVisible(Id control, bool visible) {
    host_.SetVisible(IndexOf(control), visible);
  }
  std::string Caption() const { return host_.Caption(); }
  void SetCaption(std::string_view caption) { host_.SetCaption(caption); }
  void OpenWebAddress(const std::string& address) { host_.OpenWebAddress(address); }
  void OpenModal(ModalWindow window) { host_.OpenModal(window); }
  void Close() { host_.Close(); }
  void EndProgram() { host_.EndProgram(); }

 private:
  WindowHost& host_;
  const WindowDesign<Id>& design_;
};

// Which handler of the logic serves which event of which control. Each
// window's logic lists its handlers in one table of these; the window host
// walks it to connect the controls. Events not listed are ignored.
template <typename Logic>
struct EventBinding {
  typename Logic::Id control;
  Event event;
  void (Logic::*handler)();
};

}  // namespace quorvane::ui
