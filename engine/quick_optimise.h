#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "engine/user_dialogs.h"
#include "store/registry.h"

namespace quorvane::engine {

// The connection types, in the order of the connection-type list and of
// the comparison that chooses a preset.
inline constexpr const char* kConnectionTypes[] = {"Modem", "ADSL Modem", "Cable Modem",
                                                   "LAN Connection"};

// The preset column of a connection type's name: the first connection
// type that equals it exactly (case and blanks included), or none.
std::optional<std::size_t> PresetColumnOf(const std::string& selectedType);

// Writes the preset of the selected connection type (the list's selected
// text, empty when nothing is selected) and shows the Finished window; with
// nothing selected, asks the user to choose a type instead.
void QuickOptimise(const store::Registry& registry, UserDialogs& dialogs,
                   const std::string& selectedType);

}  // namespace quorvane::engine
