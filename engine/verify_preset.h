// Whether a connection type's preset is what the registry holds: each of
// its values that is not live. Reads only, so it also tells what the quick
// optimise would change.
#pragma once

#include <string>
#include <vector>

#include "engine/quick_optimise.h"
#include "engine/steps.h"
#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

// A value of the preset that the registry does not hold: live is what it
// holds instead (a value, none, or why it could not be read).
struct PresetValueNotLive {
  store::SettingId setting;
  const char* preset;
  Reading live;
};

struct VerifyOutcome {
  TypeChoice choice = TypeChoice::Preset;  // only a preset is verified
  std::vector<PresetValueNotLive> notLive;  // in the preset's order

  // A preset was chosen and every value of it is live.
  bool AllLive() const { return choice == TypeChoice::Preset && notLive.empty(); }
};

// A preset's value is live where the setting holds it as a text, as the
// pane reads it (up to a NUL that ends it), whatever wrote it.
[[nodiscard]] VerifyOutcome VerifyPreset(const store::Registry& registry,
                                         const std::string& connectionType);

}  // namespace quorvane::engine
