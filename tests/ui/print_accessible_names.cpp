// The names that a screen reader must hear from the controls that take
// input in the main window and the About window, one a line, as the
// designs give them (tests/ui/window_keys.h): what the AT-SPI test expects.
#include <cstdio>

#include "tests/ui/window_keys.h"
#include "ui/quorvane_about_design.h"
#include "ui/quorvane_form_design.h"

namespace {

void Print(const quorvane::ui::DesignRows& rows) {
  for (const quorvane::ui::ControlRow& row : rows.controls) {
    if (quorvane::ui::TakesFocus(row.kind)) {
      std::printf("%s\n", quorvane::testing::AccessibleNameOf(row).c_str());
    }
  }
}

}  // namespace

int main() {
  Print(quorvane::ui::RowsOf(quorvane::ui::kQuorvaneFormDesign));
  Print(quorvane::ui::RowsOf(quorvane::ui::kQuorvaneAboutDesign));
  return 0;
}
