#include "engine/verify_preset.h"

#include <utility>

#include "engine/presets.h"

namespace quorvane::engine {

VerifyOutcome VerifyPreset(const store::Registry& registry, const std::string& connectionType) {
  VerifyOutcome outcome;
  outcome.choice = ChoiceOf(connectionType);
  if (outcome.choice != TypeChoice::Preset) return outcome;
  const std::size_t column = *PresetColumnOf(connectionType);
  for (const PresetRow& row : kPresets) {
    const store::Setting& setting = store::SettingOf(row.setting);
    Reading live = ReadValue(registry, setting.key, setting.valueName);
    if (live.status == store::kSuccess && TextOf(live.value) == row.values[column]) continue;
    outcome.notLive.push_back({row.setting, row.values[column], std::move(live)});
  }
  return outcome;
}

}  // namespace quorvane::engine
