#pragma once

#include "engine/user_dialogs.h"
#include "store/registry.h"

namespace quorvane::engine {

// After the user confirms, puts back the eight settings that the first-run
// backup recorded and tells the user how it went.
void RestoreFromBackup(const store::Registry& registry, UserDialogs& dialogs);

}  // namespace quorvane::engine
