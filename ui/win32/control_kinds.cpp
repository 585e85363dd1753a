#include "ui/win32/control_kinds.h"

#include <cstdlib>

namespace quorvane::ui::win32 {
namespace {

// One row per ControlKind, in its order. Labels draw "&" as it is: only a
// label that names another control (a buddy) has an access key. A wrapped
// label draws whole lines only: a line cut off at its bottom edge would
// show through the label beneath it. Option buttons leave their value to
// the window (no BS_AUTORADIOBUTTON), which clears the rest of their group;
// which control Tab stops at is the window's too (no WS_TABSTOP).
constexpr KindTraits kKinds[] = {
    {ControlKind::Pane, kPaneClass, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT},
    {ControlKind::Label, L"STATIC", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0},
    {ControlKind::ClickLabel, L"STATIC", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL | SS_NOTIFY, 0},
    {ControlKind::LinkLabel, L"STATIC", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL | SS_NOTIFY, 0},
    {ControlKind::Button, L"BUTTON", BS_PUSHBUTTON, 0},
    {ControlKind::TextBox, L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE},
    {ControlKind::MultiLineBox, L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_LEFT | WS_VSCROLL,
     WS_EX_CLIENTEDGE},
    {ControlKind::CheckBox, L"BUTTON", BS_AUTOCHECKBOX, 0},
    {ControlKind::OptionButton, L"BUTTON", BS_RADIOBUTTON, 0},
    {ControlKind::List, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0},
    {ControlKind::ScrollBar, L"SCROLLBAR", SBS_HORZ, 0},
    {ControlKind::Rectangle, nullptr, 0, 0},
    {ControlKind::Line, nullptr, 0, 0},
    {ControlKind::Bar, nullptr, 0, 0},
    {ControlKind::Image, nullptr, 0, 0},
};

constexpr bool IsInKindOrder() {
  for (std::size_t i = 0; i < std::size(kKinds); ++i) {
    if (static_cast<std::size_t>(kKinds[i].kind) != i) return false;
  }
  return static_cast<std::size_t>(ControlKind::Image) + 1 == std::size(kKinds);
}
static_assert(IsInKindOrder());

}  // namespace

const KindTraits& TraitsOf(ControlKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  if (index >= std::size(kKinds)) std::abort();  // not a kind of the design
  return kKinds[index];
}

}  // namespace quorvane::ui::win32
