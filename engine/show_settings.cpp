#include "engine/show_settings.h"

#include <algorithm>

namespace quorvane::engine {

bool ShownSettings::AnyBackup() const {
  return std::any_of(settings.begin(), settings.end(),
                     [](const ShownSetting& shown) { return shown.backup.value.has_value(); });
}

ShownSettings ShowSettings(const store::Registry& registry) {
  ShownSettings shown;
  for (const store::Setting& setting : store::kSettings) {
    shown.settings.push_back({setting.id, ReadValue(registry, setting.key, setting.valueName),
                              ReadValue(registry, store::key::kBackup, setting.backupName)});
  }
  shown.firstRun = ReadFirstRunMarker(registry);
  return shown;
}

}  // namespace quorvane::engine
