// The view a window's logic gets, over any toolkit's core: the window's Id
// put on the core's rows. Written once for every toolkit.
#pragma once

#include <string>
#include <string_view>

#include "ui/design_rows.h"
#include "ui/window_core.h"
#include "ui/window_design.h"
#include "ui/window_view.h"

namespace quorvane::ui {

template <typename Id>
class CoreView : public WindowView<Id> {
 public:
  CoreView(WindowCore& core, const WindowDesign<Id>& design) : core_(core), design_(design) {}

  std::string Text(Id control) const override { return core_.Text(IndexOf(control)); }
  void SetText(Id control, std::string_view text) override {
    core_.SetText(IndexOf(control), text);
  }
  int CheckValue(Id control) const override { return core_.CheckValue(IndexOf(control)); }
  void SetCheckValue(Id control, int value) override {
    core_.SetCheckValue(IndexOf(control), value);
  }
  int ChosenIndex(Id control) const override { return core_.ChosenIndex(IndexOf(control)); }
  // A list shows its design's items, so the chosen item's text is the
  // design's.
  std::string ChosenText(Id control) const override {
    const int chosen = ChosenIndex(control);
    const auto& items = design_[control].items;
    return chosen < 0 || chosen >= static_cast<int>(items.size()) ? std::string()
                                                                   : items[chosen];
  }
  int ScrollPosition(Id control) const override {
    return core_.ScrollPosition(IndexOf(control));
  }
  void SetScrollPosition(Id control, int position) override {
    core_.SetScrollPosition(IndexOf(control), position);
  }
  void SetVisible(Id control, bool visible) override {
    core_.SetVisible(IndexOf(control), visible);
  }
  std::string Caption() const override { return core_.Caption(); }
  void SetCaption(std::string_view caption) override { core_.SetCaption(caption); }
  void OpenWebAddress(const std::string& address) override { core_.OpenWebAddress(address); }
  void OpenModal(ModalWindow window) override { core_.OpenModal(window); }
  void Close() override { core_.Close(); }
  void EndProgram() override { core_.EndProgram(); }

 private:
  WindowCore& core_;
  const WindowDesign<Id>& design_;
};

}  // namespace quorvane::ui
