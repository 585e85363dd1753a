// The message boxes of the operations, each with its text, title, buttons,
// icon and default button. Every box the engine shows is built here.
#pragma once

#include <string>
#include <vector>

#include "engine/user_dialogs.h"
#include "store/open_failure.h"
#include "store/registry_backend.h"

namespace quorvane::engine {

// A setting that could not be written, by its label, and the status that
// says why.
struct FailedSetting {
  std::string label;
  store::Status status;
};

// The registry cannot be opened, and why; the program ends after it.
Message RegistryUnavailableMessage(const store::OpenFailure& failure);

// The first-run disclaimer: Yes and No, Yes the default, the stop icon
// (style 20).
Message DisclaimerMessage();
// The first run could not go on, for the reason `why`; the program ends
// after it. Each box says what was written and what was not: nothing at
// all; the backup of `backedUp` only, not that of `failed`; the whole
// backup but not the first-run marker; or, after a decline, everything but
// setting the marker back.
Message BackupFailedMessage(store::Status why);
Message BackupPartlyMessage(const std::vector<std::string>& backedUp, const FailedSetting& failed);
Message FirstRunNotMarkedMessage(store::Status why);
Message DeclineNotMarkedMessage(store::Status why);

// Optimise was clicked with no connection type selected.
Message SelectConnectionTypeMessage();
// Names the settings that the optimise could not write, and why.
Message OptimiseFailedMessage(const std::vector<FailedSetting>& failed);
// Names the settings that an Apply could not write, and why, in the
// optimise's words.
Message ApplyFailedMessage(const std::vector<FailedSetting>& failed);

// The restore's question: Yes and No, the information icon (style 68).
Message RestoreConfirmMessage();
Message RestoreCompleteMessage();
// Every setting with a backup value was put back; those named had none and
// were left as they are.
Message RestorePartlyMessage(const std::vector<std::string>& withoutBackup);
Message NoBackupFoundMessage();
// Names the settings that the restore could not put back and why, then
// those without a backup value; ends with the reboot reminder when anything
// was restored.
Message RestoreFailedMessage(const std::vector<FailedSetting>& failed,
                             const std::vector<std::string>& withoutBackup, bool anyRestored);

}  // namespace quorvane::engine
