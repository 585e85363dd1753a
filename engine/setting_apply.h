#pragma once

#include <string>

#include "engine/flag_rules.h"
#include "engine/user_dialogs.h"
#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

// Each Apply tells the user, in a box, which setting it could not change
// and why, after it has read back what the registry holds.

// Writes the typed text unchanged to a text setting (one of the five panes
// that show one each), reads it back and returns the pane's new
// current-value caption.
std::string ApplyTextPane(const store::Registry& registry, UserDialogs& dialogs,
                          store::SettingId setting, const std::string& typed);

// Writes every flag from its check box's value (boxes holds one for each)
// and returns the values the boxes take from what the registry then holds
// (each 0 or 1).
PathMtuFlags ApplyPathMtu(const store::Registry& registry, UserDialogs& dialogs,
                          const PathMtuFlags& boxes);

// Writes a number setting (the pane of option buttons): 0 when "Enabled" is
// selected, 1 otherwise. Then reads it back and answers whether "Enabled"
// is to be selected (the number is 0 or absent) or "Disabled" (any other
// number).
[[nodiscard]] bool ApplyNumberPane(const store::Registry& registry, UserDialogs& dialogs,
                                   store::SettingId setting, bool enabledSelected);

}  // namespace quorvane::engine
