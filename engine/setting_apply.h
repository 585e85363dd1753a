#pragma once

#include <string>

#include "engine/user_dialogs.h"
#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

// A check box's value: 0 cleared, 1 ticked, 2 greyed.
struct PathMtuFlags {
  int autoDiscovery = 0;    // PMTUDiscovery
  int blackHoleDetect = 0;  // PMTUBlackHoleDetect
  int selectiveAcks = 0;    // SackOpts
};

// Each Apply tells the user, in a box, which setting it could not change
// and why, after it has read back what the registry holds.

// Writes the typed text unchanged to a text setting (one of the five panes
// that show one each), reads it back and returns the pane's new
// current-value caption.
std::string ApplyTextPane(const store::Registry& registry, UserDialogs& dialogs,
                          store::SettingId setting, const std::string& typed);

// Writes the three flags from the check boxes' values and returns the values
// the boxes take from what the registry then holds (each 0 or 1).
PathMtuFlags ApplyPathMtu(const store::Registry& registry, UserDialogs& dialogs,
                          const PathMtuFlags& boxes);

// Writes DisableTaskOffload: 0 when "Enabled" is selected, 1 otherwise.
// Then reads it back and answers whether "Enabled" is to be selected (the
// number is 0 or absent) or "Disabled" (any other number).
[[nodiscard]] bool ApplyTaskOffload(const store::Registry& registry, UserDialogs& dialogs,
                                    bool enabledSelected);

}  // namespace quorvane::engine
