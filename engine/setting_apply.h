#pragma once

#include <string>

#include "store/registry.h"

namespace quorvane::engine {

// The five panes that hold one text setting each.
enum class TextPane { Mtu, ReceiveWindow, TimeToLive, KeepAlive, NdiCache };

// A check box's value: 0 cleared, 1 ticked, 2 greyed.
struct PathMtuFlags {
  int autoDiscovery = 0;    // PMTUDiscovery
  int blackHoleDetect = 0;  // PMTUBlackHoleDetect
  int selectiveAcks = 0;    // SackOpts
};

// Writes the typed text unchanged to the pane's setting, reads it back and
// returns the pane's new current-value caption.
std::string ApplyTextPane(const store::Registry& registry, TextPane pane, const std::string& typed);

// Writes the three flags from the check boxes' values and returns the values
// the boxes take from what the registry then holds (each 0 or 1).
PathMtuFlags ApplyPathMtu(const store::Registry& registry, const PathMtuFlags& boxes);

// Writes DisableTaskOffload: 0 when "Enabled" is selected, 1 otherwise.
// Then reads it back and answers whether "Enabled" is to be selected (the
// number is 0 or absent) or "Disabled" (any other number).
[[nodiscard]] bool ApplyTaskOffload(const store::Registry& registry, bool enabledSelected);

}  // namespace quorvane::engine
