// How the check boxes and option buttons of the Path MTU and network-card
// panes map to registry values, in both directions.
#pragma once

#include <cstdint>
#include <string>

#include "engine/setting_apply.h"
#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

// A Path MTU check box and the flag it stands for; what an absent flag
// reads as is the flag's default in the settings' table.
struct FlagBox {
  store::SettingId setting;
  int PathMtuFlags::*box;
};

inline constexpr FlagBox kAutoDiscoveryBox{store::SettingId::PmtuDiscovery,
                                           &PathMtuFlags::autoDiscovery};
inline constexpr FlagBox kBlackHoleDetectBox{store::SettingId::PmtuBlackHoleDetect,
                                             &PathMtuFlags::blackHoleDetect};
inline constexpr FlagBox kSelectiveAcksBox{store::SettingId::SackOpts,
                                           &PathMtuFlags::selectiveAcks};

// The box of a flag setting.
const FlagBox& FlagBoxOf(store::SettingId setting);

// The text a check box writes: "0" for a cleared box, "1" for a ticked or a
// greyed one.
inline const char* FlagText(int boxValue) { return boxValue == 0 ? "0" : "1"; }

// The box value of a flag's text: cleared (0) for exactly the text "0",
// ticked (1) for any other text, however close to "0" it looks.
inline int BoxValueOf(const std::string& flagText) { return flagText == "0" ? 0 : 1; }

// Reads the flag (its fallback when absent) and answers the box value.
int ReadFlagBox(const store::Registry& registry, const FlagBox& flag);

// DisableTaskOffload: 0 when the adapter's own processor is used
// ("Enabled"), 1 when it is not ("Disabled"). Absent reads as 0.
inline constexpr std::int32_t kTaskOffloadEnabled = 0;
inline constexpr std::int32_t kTaskOffloadDisabled = 1;

// True when the stored number selects "Enabled": exactly 0, or absent.
bool ReadTaskOffloadEnabled(const store::Registry& registry);

}  // namespace quorvane::engine
