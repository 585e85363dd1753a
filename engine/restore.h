#pragma once

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

// After the user confirms, puts back the settings that the first-run
// backup recorded.
[[nodiscard]] RestoreOutcome RestoreFromBackup(const store::Registry& registry,
                                               Questions& questions);

}  // namespace quorvane::engine
