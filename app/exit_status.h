// The program's exit statuses, the same on every platform, and what the
// outcome of the start-up step means for them.
#pragma once

#include <optional>

#include "engine/first_run.h"

namespace quorvane::app {

inline constexpr int kEnded = 0;
inline constexpr int kRegistryUnavailable = 1;
inline constexpr int kBackupFailed = 1;
inline constexpr int kNoDisplay = 1;
// Windows: the program could not restrict where DLLs are loaded from.
inline constexpr int kUnsafeStart = 1;

// The status the program ends with before its main window is shown;
// nullopt: it goes on to show the window.
constexpr std::optional<int> StatusBeforeShown(engine::StartOutcome outcome) {
  switch (outcome) {
    case engine::StartOutcome::Continue:
      return std::nullopt;
    case engine::StartOutcome::Declined:
      return kEnded;
    case engine::StartOutcome::BackupFailed:
      return kBackupFailed;
  }
  return std::nullopt;
}

}  // namespace quorvane::app
