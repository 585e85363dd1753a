#pragma once

#include <optional>
#include <vector>

#include "engine/questions.h"
#include "engine/steps.h"
#include "store/registry.h"

namespace quorvane::engine {

enum class StartOutcome {
  Continue,      // the block was skipped, or the disclaimer accepted
  Declined,      // the user declined the disclaimer: the program ends
  BackupFailed,  // the first-run marker could not be read, or the backup or
                 // the marker could not be written: the program ends
};

// The first-run marker FirstRun, read as the first-run block reads it.
struct FirstRunMarker {
  enum class State {
    Pending,     // absent, not a text, or exactly "Yes": the backup is due
    Done,        // any other text: the first-run backup has been taken
    Unreadable,  // the registry could not tell; status says why
  };
  State state = State::Pending;
  store::Status status = store::kSuccess;
};
FirstRunMarker ReadFirstRunMarker(const store::Registry& registry);

// What the first-run block did, in its order.
struct FirstRunOutcome {
  StartOutcome start = StartOutcome::Continue;
  FirstRunMarker marker;  // as the block found it; only Pending goes on
  // The backup, setting by setting, up to the first copy that could not be
  // made: each live value read, then written to the backup key.
  std::vector<Step> backup;
  // FirstRun "No" written once the backup was whole: the write's status,
  // or nullopt where it was not written.
  std::optional<store::Status> markedDone;
  std::optional<Answer> disclaimer;  // the answer, where it was asked
  // FirstRun "Yes" written back after a decline.
  std::optional<store::Status> markedPending;
};

// The first-run block of the main window's load step: while FirstRun reads
// as pending, backs up the settings, marks the first run done and asks the
// disclaimer. Tells the program whether to go on, and what it did.
[[nodiscard]] FirstRunOutcome RunFirstRunBlock(const store::Registry& registry,
                                               Questions& questions);

}  // namespace quorvane::engine
