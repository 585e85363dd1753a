// The About window's logic: the version line, OK, and the maker's links.
#pragma once

#include <span>

#include "ui/quorvane_about_design.h"
#include "ui/window_view.h"

namespace quorvane::ui {

// Each opening builds a new view from kQuorvaneAboutDesign and a new
// instance of this class over it, then runs Form_Load: nothing carries over
// from one opening to the next.
class QuorvaneAbout {
 public:
  using Id = AboutControl;

  explicit QuorvaneAbout(WindowView<AboutControl>& view) : view_(view) {}

  void Form_Load();
  void cmdOK_Click();
  void lblProduct_Click();
  void lblCopyright_Click();
  void lblURL_Click();

  static std::span<const EventBinding<QuorvaneAbout>> Events();

 private:
  // Opens the address that the link label carries in its tag.
  void OpenAddressInTag(AboutControl label);

  WindowView<AboutControl>& view_;
};

}  // namespace quorvane::ui
