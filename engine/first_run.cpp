#include "engine/first_run.h"

#include <string>
#include <utility>

#include "engine/backup_record.h"
#include "engine/operation.h"

namespace quorvane::engine {
namespace {

// Copies one live setting into the backup key (see backup_record.h): the
// value exactly, type and bytes, or the absent marker when there is none.
// A live value that cannot be read for another reason may still be there,
// and a marker would make the restore delete it: the copy fails instead.
Step BackUp(Operation& operation, const store::Setting& setting) {
  Step step{.setting = setting.id, .place = Place::Backup};
  store::TypedValue live;
  const store::Status read = operation.QueryValue(setting.key, setting.valueName, &live);
  step.status = NoteFound(step, read, std::move(live));
  if (step.Failed()) return step;
  step.action = Action::Write;
  if (step.found == Found::Value) {
    step.written = step.before;
    step.status =
        operation.WriteValue(store::key::kBackup, setting.backupName, step.written).status;
  } else if (setting.kind == store::Kind::Number) {
    step.written = NumberValue(kAbsentNumber);
    step.status =
        operation.WriteNumber(store::key::kBackup, setting.backupName, kAbsentNumber).status;
  } else {
    step.written = TextValue(kAbsentText);
    step.status = operation.WriteText(store::key::kBackup, setting.backupName, kAbsentText).status;
  }
  return step;
}

// Backs up the settings in their order, each read and at once written,
// into steps; stops at the first copy that cannot be made. True when every
// copy was made.
[[nodiscard]] bool BackUpSettings(Operation& operation, std::vector<Step>& steps) {
  for (store::SettingId id : kBackupOrder) {
    steps.push_back(BackUp(operation, store::SettingOf(id)));
    if (steps.back().Failed()) return false;
  }
  return true;
}

[[nodiscard]] store::Status WriteFirstRunMarker(Operation& operation, const std::string& marker) {
  return operation.WriteText(store::key::kProgram, store::kFirstRunValue, marker).status;
}

}  // namespace

// Only an absent marker is absent: a marker that the registry cannot read
// may well say "No", and a backup taken over it would replace the user's
// originals with whatever the program had written since.
FirstRunMarker ReadFirstRunMarker(const store::Registry& registry) {
  using enum FirstRunMarker::State;
  store::TypedValue marker;
  const store::Status read =
      registry.QueryValue(store::kRoot, store::key::kProgram, store::kFirstRunValue, &marker);
  if (read == store::kNotFound) return {Pending};
  if (read != store::kSuccess) return {Unreadable, read};
  const std::optional<std::string> text = TextOf(marker);
  return {!text || *text == store::kFirstRunPending ? Pending : Done};
}

// A marker that cannot be written is handled like a backup that cannot be
// written: a "No" that stays "Yes" would back up again on the next start,
// over the user's originals, whatever the program had written meanwhile; a
// "Yes" that stays "No" after a decline would skip the disclaimer the user
// declined. Either way the program ends, changing no more, and its outcome
// tells what it did and did not do.
FirstRunOutcome RunFirstRunBlock(const store::Registry& registry, Questions& questions) {
  FirstRunOutcome outcome;
  outcome.marker = ReadFirstRunMarker(registry);
  switch (outcome.marker.state) {
    case FirstRunMarker::State::Done:
      return outcome;
    case FirstRunMarker::State::Unreadable:
      outcome.start = StartOutcome::BackupFailed;
      return outcome;
    case FirstRunMarker::State::Pending:
      break;
  }

  // The disclaimer tells the user that the settings are backed up; without
  // a backup nothing may go on. The marker stays pending, so the next start
  // tries again.
  Operation operation(registry, questions);
  outcome.start = StartOutcome::BackupFailed;
  if (!BackUpSettings(operation, outcome.backup)) return outcome;

  // Marked done before the question: a program stopped while the disclaimer
  // is open keeps the backup it took and does not ask again.
  outcome.markedDone = WriteFirstRunMarker(operation, store::kFirstRunDone);
  if (*outcome.markedDone != store::kSuccess) return outcome;

  // Only Yes accepts: whatever else the question gives back declines.
  outcome.disclaimer = operation.Ask(Question::Disclaimer);
  if (*outcome.disclaimer == Answer::Yes) {
    outcome.start = StartOutcome::Continue;
    return outcome;
  }
  outcome.markedPending = WriteFirstRunMarker(operation, store::kFirstRunPending);
  if (*outcome.markedPending == store::kSuccess) outcome.start = StartOutcome::Declined;
  return outcome;
}

}  // namespace quorvane::engine
