#pragma once

#include "engine/user_dialogs.h"
#include "store/registry.h"

namespace quorvane::engine {

enum class StartOutcome {
  Continue,      // the block was skipped, or the disclaimer accepted
  Declined,      // the user declined the disclaimer: the program ends
  BackupFailed,  // the backup or the first-run marker could not be written:
                 // the program ends
};

// The first-run block of the main window's load step: while FirstRun reads
// "Yes", backs up the settings, marks the first run done and asks the user
// to accept the disclaimer. Tells the program whether to go on.
StartOutcome RunFirstRunBlock(const store::Registry& registry, UserDialogs& dialogs);

}  // namespace quorvane::engine
