// How the check boxes of the flag settings and the option buttons of the
// number setting map to registry values, in both directions.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

// The Path MTU pane's check boxes, one for each flag setting: 0 cleared,
// 1 ticked, 2 greyed.
using PathMtuFlags = std::map<store::SettingId, int>;

// The text a check box writes: "0" for a cleared box, "1" for a ticked or a
// greyed one.
inline const char* FlagText(int boxValue) { return boxValue == 0 ? "0" : "1"; }

// The box value of a flag's text: cleared (0) for exactly the text "0",
// ticked (1) for any other text, however close to "0" it looks.
inline int BoxValueOf(const std::string& flagText) { return flagText == "0" ? 0 : 1; }

// Reads a flag setting (its default in the settings' table when absent) and
// answers the box value.
int ReadFlagBox(const store::Registry& registry, store::SettingId flag);

// A number setting's two option buttons: "Enabled" writes 0, "Disabled" 1.
// For DisableTaskOffload, 0 is the adapter's own processor used.
inline constexpr std::int32_t kEnabledNumber = 0;
inline constexpr std::int32_t kDisabledNumber = 1;

// True when the stored number selects "Enabled": exactly 0, or absent.
bool ReadEnabled(const store::Registry& registry, store::SettingId number);

}  // namespace quorvane::engine
