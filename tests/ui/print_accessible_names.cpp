// What a screen reader must hear from the controls that take input in the
// main window and the About window, one a line, as the designs give them
// (tests/ui/window_keys.h) and as Qt announces them on Linux: the role and
// the name; a list is named by the item it has chosen, and its line goes on
// with its items, that item and the label that names it. What the AT-SPI
// test expects, once the lists have chosen the items that the arguments
// name (LIST=ITEM).
#include <cstdio>
#include <map>
#include <string>

#include "tests/ui/window_keys.h"

namespace {

using quorvane::ui::ControlKind;

const char* RoleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button: return "push button";
    case ControlKind::CheckBox: return "check box";
    case ControlKind::OptionButton: return "radio button";
    case ControlKind::List: return "combo box";
    case ControlKind::ScrollBar: return "scroll bar";
    default: return "text";
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quorvane;
  std::map<std::string, std::string> chosen;
  for (int i = 1; i < argc; ++i) {
    const std::string choice = argv[i];
    chosen[choice.substr(0, choice.find('='))] = choice.substr(choice.find('=') + 1);
  }
  for (testing::Window window : {testing::Window::Main, testing::Window::About}) {
    const ui::DesignRows rows = testing::RowsOf(window);
    for (const ui::ControlRow& row : rows.controls) {
      if (!ui::TakesFocus(row.kind)) continue;
      if (row.kind != ControlKind::List) {
        std::printf("%s: %s\n", RoleOf(row.kind), testing::AccessibleNameOf(row).c_str());
        continue;
      }
      const auto choice = chosen.find(row.name);
      std::string items, label;
      for (const char* item : row.items) items += (items.empty() ? "" : ", ") + std::string(item);
      const int self = static_cast<int>(&row - rows.controls.data());
      for (const ui::ControlRow& other : rows.controls) {
        if (other.buddy == self) label = ui::WithoutAccessMark(other.caption);
      }
      const std::string item = choice == chosen.end() ? "" : choice->second;
      std::printf("combo box: %s; items: %s; chosen: %s; labelled by: %s\n",
                  item.empty() ? testing::AccessibleNameOf(row).c_str() : item.c_str(),
                  items.c_str(), item.c_str(), label.c_str());
    }
  }
  return 0;
}
