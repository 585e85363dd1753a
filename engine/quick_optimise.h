#pragma once

#include <string>

#include "engine/user_dialogs.h"
#include "store/registry.h"

namespace quorvane::engine {

// The connection types, in the order of the connection-type list and of
// the comparison that chooses a preset.
inline constexpr const char* kConnectionTypes[] = {"Modem", "ADSL Modem", "Cable Modem",
                                                   "LAN Connection"};

// Writes the preset of the selected connection type (the list's selected
// text, empty when nothing is selected) and shows the Finished window; with
// nothing selected, asks the user to choose a type instead.
void QuickOptimise(const store::Registry& registry, UserDialogs& dialogs,
                   const std::string& selectedType);

}  // namespace quorvane::engine
