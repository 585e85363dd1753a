// The names that a screen reader must hear from the controls that take
// input in the main window and the About window, one a line, as the
// designs give them (tests/ui/window_keys.h): what the AT-SPI test expects.
#include <cstdio>

#include "tests/ui/window_keys.h"

int main() {
  using namespace quorvane;
  for (testing::Window window : {testing::Window::Main, testing::Window::About}) {
    for (const ui::ControlRow& row : testing::RowsOf(window).controls) {
      if (ui::TakesFocus(row.kind)) std::printf("%s\n", testing::AccessibleNameOf(row).c_str());
    }
  }
  return 0;
}
