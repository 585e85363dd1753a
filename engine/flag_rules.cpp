#include "engine/flag_rules.h"

#include <cstdlib>

namespace quorvane::engine {

const FlagBox& FlagBoxOf(store::SettingId setting) {
  for (const FlagBox* flag : {&kAutoDiscoveryBox, &kBlackHoleDetectBox, &kSelectiveAcksBox}) {
    if (flag->setting == setting) return *flag;
  }
  std::abort();  // only the three flags have boxes; asking for another is a build fault
}

int ReadFlagBox(const store::Registry& registry, const FlagBox& flag) {
  const store::Setting& row = store::SettingOf(flag.setting);
  return BoxValueOf(registry.ReadText(store::kRoot, row.key, row.valueName, row.absent));
}

bool ReadTaskOffloadEnabled(const store::Registry& registry) {
  const store::Setting& row = store::SettingOf(store::SettingId::DisableTaskOffload);
  return registry.ReadNumber(store::kRoot, row.key, row.valueName, kTaskOffloadEnabled) ==
         kTaskOffloadEnabled;
}

}  // namespace quorvane::engine
