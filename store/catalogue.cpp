#include "store/catalogue.h"

#include <cstdlib>

namespace quorvane::store {

const Setting& SettingOf(SettingId id) {
  for (const Setting& setting : kSettings) {
    if (setting.id == id) return setting;
  }
  std::abort();  // every SettingId has a row; a missing one is a build fault
}

}  // namespace quorvane::store
