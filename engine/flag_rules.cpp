#include "engine/flag_rules.h"

namespace quorvane::engine {

int ReadFlagBox(const store::Registry& registry, const FlagBox& flag) {
  const store::Setting& row = store::SettingOf(flag.setting);
  return BoxValueOf(registry.ReadText(store::kRoot, row.key, row.valueName, flag.fallback));
}

bool ReadTaskOffloadEnabled(const store::Registry& registry) {
  const store::Setting& row = store::SettingOf(store::SettingId::DisableTaskOffload);
  return registry.ReadNumber(store::kRoot, row.key, row.valueName, kTaskOffloadEnabled) ==
         kTaskOffloadEnabled;
}

}  // namespace quorvane::engine
