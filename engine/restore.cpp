#include "engine/restore.h"

#include <algorithm>
#include <utility>

#include "engine/backup_record.h"
#include "engine/operation.h"

namespace quorvane::engine {
namespace {

// Puts one setting back from its copy in the backup key: removes the live
// value for an absent marker, writes any other copy back with its own type
// and bytes. Without a copy the live value stays.
Step RestoreSetting(Operation& operation, const store::Setting& setting) {
  Step step{.setting = setting.id};
  store::TypedValue copy;
  const store::Status read = operation.QueryValue(store::key::kBackup, setting.backupName, &copy);
  step.status = NoteFound(step, read, std::move(copy));
  if (step.Failed() || step.found == Found::Absent) return step;
  if (IsAbsentMarker(setting, step.before)) {
    step.action = Action::Remove;
    step.status = operation.RemoveValue(setting.key, setting.valueName).status;
  } else {
    step.action = Action::Write;
    step.written = step.before;
    step.status = operation.WriteValue(setting.key, setting.valueName, step.written).status;
  }
  return step;
}

}  // namespace

bool RestoreOutcome::NoBackup() const {
  return confirmation == Answer::Yes &&
         std::all_of(steps.begin(), steps.end(), [](const Step& step) {
           return !step.Failed() && step.found == Found::Absent;
         });
}

BackupCopies LookAtBackupCopies(const store::Registry& registry) {
  BackupCopies copies;
  for (const store::Setting& setting : store::kSettings) {
    const Reading copy = ReadValue(registry, store::key::kBackup, setting.backupName);
    if (copy.status != store::kSuccess) {
      copies.unreadable = copy.status;
      return copies;
    }
    copies.any = copies.any || copy.value.has_value();
  }
  return copies;
}

// Without a backup copy a setting is left as it is: removing it would lose
// a value that nobody recorded. So when the backup key holds none of the
// settings, nothing changes.
RestoreOutcome RestoreFromBackup(const store::Registry& registry, Questions& questions) {
  RestoreOutcome outcome;
  Operation operation(registry, questions);
  outcome.confirmation = operation.Ask(Question::RestoreConfirmation);
  if (outcome.confirmation != Answer::Yes) return outcome;
  for (store::SettingId id : kBackupOrder) {
    outcome.steps.push_back(RestoreSetting(operation, store::SettingOf(id)));
  }
  return outcome;
}

}  // namespace quorvane::engine
