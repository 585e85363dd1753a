// The main window's design: its 75 controls, the panes in the order of the
// scroll positions, and the items of its two lists.
#pragma once

#include <array>

#include "store/catalogue.h"
#include "ui/window_design.h"

namespace quorvane::ui {

// The main window's controls in creation order, which is also the order the
// Tab key walks: the header, each pane with its controls, then the footer.
enum class FormControl {
  Label1, Label2,
  // Position 1: the welcome pane and the quick optimise.
  SettingWelcome, Label34, Label35, Combo2, cmd_Optimise,
  // Position 2: maximum transmission unit.
  Setting1, Label3, Label4, Setting1Current, Label5, Setting1Custom, Label15, Label17, Label18,
  Label36, Label37, Setting1Apply,
  // Position 3: receive window.
  Setting2, Label8, Label7, Setting2Current, Label32, Setting2Custom, Label31, Label30, Label29,
  Setting2Apply,
  // Position 4: time to live.
  Setting3, Label9, Label10, Setting3Current, Label24, Setting3Custom, Label23, Label22, Label21,
  Setting3Apply,
  // Position 5: session keep-alive time.
  Setting4, Label14, Setting4Current, Label20, Setting4Custom, Label33, Label19, Label12, Label11,
  Session4Apply,
  // Position 6: the path MTU flags.
  Setting5, Label13, Label16, Setting5Option1, Setting5Option2, Setting5Option3, Setting5Apply,
  // Position 7: NDI cache.
  Setting6, Label6, Setting6Current, Label28, Setting6Custom, Label27, Label26, Label25,
  Setting6Apply,
  // Position 8: the network adapter's own processor.
  Setting7, Label38, Label39, Setting7Option1, Setting7Option2, Setting7Apply,
  // The footer.
  scroller, Combo1, cmdRestore, cmdClose,
  Window,  // the window itself
};

extern const WindowDesign<FormControl> kQuorvaneFormDesign;

// The scroll bar's positions, one per pane.
inline constexpr int kFirstPosition = 1;
inline constexpr int kLastPosition = 8;
inline constexpr int kMtuPosition = 2;

// The pane that each scroll position shows, from kFirstPosition on.
inline constexpr std::array<FormControl, 8> kPanesByPosition = {
    FormControl::SettingWelcome, FormControl::Setting1, FormControl::Setting2,
    FormControl::Setting3,       FormControl::Setting4, FormControl::Setting5,
    FormControl::Setting6,       FormControl::Setting7};

// The pane list's items, in list order, with the scroll position each one
// selects; kNoPane: the item opens the About window instead. A setting
// pane's item is the name that the settings' table gives its pane.
inline constexpr int kNoPane = 0;
struct PaneListItem {
  const char* text;
  int position;
};
inline constexpr std::array<PaneListItem, 9> kPaneListItems = {{
    {"Welcome to Quorvane", 1},
    {store::pane::kMtu, 2},
    {store::pane::kReceiveWindow, 3},
    {store::pane::kTimeToLive, 4},
    {store::pane::kKeepAlive, 5},
    {store::pane::kPathMtu, 6},
    {store::pane::kNdiCache, 7},
    {store::pane::kNetworkCard, 8},
    {"About", kNoPane},
}};

}  // namespace quorvane::ui
