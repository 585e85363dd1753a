// The main window's design: its 75 controls, the panes in the order of the
// scroll positions, and the items of its two lists.
#pragma once

#include <array>

#include "ui/control_table.h"

namespace quorvane::ui {

extern const WindowSpec kQuorvaneFormWindow;
extern const std::array<ControlSpec, 75> kQuorvaneFormControls;

// The scroll bar's positions, one per pane.
inline constexpr int kFirstPosition = 1;
inline constexpr int kLastPosition = 8;
inline constexpr int kMtuPosition = 2;

// The pane that each scroll position shows, from kFirstPosition on.
inline constexpr std::array<const char*, 8> kPanesByPosition = {
    "SettingWelcome", "Setting1", "Setting2", "Setting3",
    "Setting4",       "Setting5", "Setting6", "Setting7"};

// The pane list's items, in list order, with the scroll position each one
// selects; kNoPane: the item opens the About window instead.
inline constexpr int kNoPane = 0;
struct PaneListItem {
  const char* text;
  int position;
};
inline constexpr std::array<PaneListItem, 9> kPaneListItems = {{
    {"Welcome to Quorvane", 1},
    {"Max Transmission Unit", 2},
    {"Recieve Window", 3},
    {"Time To Live", 4},
    {"Session Keep Alive", 5},
    {"Path MTU", 6},
    {"NDI Cache", 7},
    {"Network Card CPU", 8},
    {"About", kNoPane},
}};

}  // namespace quorvane::ui
