// The message boxes of the operations, each with its text, title, buttons,
// icon and default button. Every box the engine shows is built here.
#pragma once

#include <string>
#include <vector>

#include "engine/user_dialogs.h"

namespace quorvane::engine {

// The first-run disclaimer: Yes and No, Yes the default, the stop icon
// (style 20).
Message DisclaimerMessage();
// The first-run backup could not be written; the program ends after it.
Message BackupFailedMessage();

// Optimise was clicked with no connection type selected.
Message SelectConnectionTypeMessage();
// Names the settings (by their labels) that the optimise could not write.
Message OptimiseFailedMessage(const std::vector<std::string>& labels);

// The restore's question: Yes and No, the information icon (style 68).
Message RestoreConfirmMessage();
Message RestoreCompleteMessage();
Message NoBackupFoundMessage();
// Names the settings (by their labels) that the restore could not put back.
Message RestoreFailedMessage(const std::vector<std::string>& labels);

}  // namespace quorvane::engine
