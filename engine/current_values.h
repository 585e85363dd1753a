#pragma once

#include <map>
#include <string>

#include "engine/flag_rules.h"
#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

// What the panes show, read afresh from the registry, for each setting by
// its kind.
struct CurrentValues {
  // The current-value caption of each text setting.
  std::map<store::SettingId, std::string> captions;
  PathMtuFlags flags;  // each flag's box, 0 or 1, by the flag rule
  // Each number setting's choice: true for "Enabled", false for "Disabled".
  std::map<store::SettingId, bool> enabled;
};

// The nine reads of a full refresh, in the order the display makes them.
CurrentValues ReadCurrentValues(const store::Registry& registry);

// The MTU caption as the pane list shows it, with its own help text.
std::string ReadMtuCaptionForList(const store::Registry& registry);

}  // namespace quorvane::engine
