#pragma once

#include <optional>
#include <vector>

#include "engine/questions.h"
#include "engine/steps.h"
#include "store/registry.h"

namespace quorvane::engine {

struct RestoreOutcome {
  // The answer to the restore's question; only Yes went on.
  Answer confirmation = Answer::No;
  // The backed-up settings in their order, each on its own: its copy read
  // from the backup key (found, before), then the live value written back
  // from it, or removed for an absent marker; or left as it is where the
  // backup key holds no copy (found Absent).
  std::vector<Step> steps;

  // Yes was answered, and the backup key held a copy of no setting, so
  // nothing was changed: this computer has no backup.
  bool NoBackup() const;
};

// What the backup key holds, looked at before anything is asked. A copy
// that cannot be read may be there: that is no computer without a backup.
struct BackupCopies {
  std::optional<store::Status> unreadable;  // the first copy that could not be read
  bool any = false;                         // a copy of at least one setting
};

// Reads the copies in the settings' order, up to the first that cannot be
// read. Reads only.
[[nodiscard]] BackupCopies LookAtBackupCopies(const store::Registry& registry);

// After the user confirms, puts back the settings that the first-run
// backup recorded.
[[nodiscard]] RestoreOutcome RestoreFromBackup(const store::Registry& registry,
                                               Questions& questions);

}  // namespace quorvane::engine
