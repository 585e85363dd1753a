// What a screen reader must hear from the controls that take input in the
// main window and the About window, one a line, as the designs give them
// (tests/ui/window_keys.h): the role and the name; a list is named by the
// item that it has chosen (LIST=ITEM among the arguments), as Qt names it
// on Linux, and its line goes on with its items, that item and the label
// that names it. What the AT-SPI test expects.
#include <cstdio>
#include <string>

#include "tests/ui/window_keys.h"

int main(int argc, char** argv) {
  using namespace quorvane;
  using ui::ControlKind;
  for (testing::Window window : {testing::Window::Main, testing::Window::About}) {
    const ui::DesignRows rows = testing::RowsOf(window);
    for (const ui::ControlRow& row : rows.controls) {
      const ControlKind kind = row.kind;
      if (!ui::TakesFocus(kind)) continue;
      const char* role = kind == ControlKind::Button         ? "push button"
                         : kind == ControlKind::CheckBox     ? "check box"
                         : kind == ControlKind::OptionButton ? "radio button"
                         : kind == ControlKind::ScrollBar    ? "scroll bar"
                         : kind == ControlKind::List         ? "combo box"
                                                             : "text";
      std::string name = testing::AccessibleNameOf(row), chosen, items, label;
      for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]).starts_with(row.name + std::string("="))) {
          name = chosen = argv[i] + std::string(row.name).size() + 1;
        }
      }
      for (const char* item : row.items) items += (items.empty() ? "" : ", ") + std::string(item);
      for (const ui::ControlRow& other : rows.controls) {
        if (other.buddy != &row - rows.controls.data()) continue;
        label = ui::WithoutAccessMark(other.caption);
      }
      std::printf("%s: %s", role, name.c_str());
      if (kind == ControlKind::List) {
        std::printf("; items: %s; chosen: %s; labelled by: %s", items.c_str(), chosen.c_str(),
                    label.c_str());
      }
      std::printf("\n");
    }
  }
  return 0;
}
