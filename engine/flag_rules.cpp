#include "engine/flag_rules.h"

#include <cstdlib>

namespace quorvane::engine {

int ReadFlagBox(const store::Registry& registry, store::SettingId flag) {
  const store::Setting& row = store::SettingOf(flag);
  if (row.kind != store::Kind::Flag) std::abort();  // only a flag has a box
  return BoxValueOf(registry.ReadText(store::kRoot, row.key, row.valueName, row.absent));
}

bool ReadEnabled(const store::Registry& registry, store::SettingId number) {
  const store::Setting& row = store::SettingOf(number);
  if (row.kind != store::Kind::Number) std::abort();  // only a number has the options
  return registry.ReadNumber(store::kRoot, row.key, row.valueName, kEnabledNumber) ==
         kEnabledNumber;
}

}  // namespace quorvane::engine
