#include "engine/restore.h"

#include <vector>

#include "engine/backup_record.h"
#include "engine/messages.h"

namespace quorvane::engine {
namespace {

enum class StepResult {
  NoBackup,  // the backup key does not hold this setting: the live value stays
  Restored,  // written back, or removed for an absent marker
  Failed,    // the write or the removal did not succeed
};

StepResult Outcome(bool succeeded) {
  return succeeded ? StepResult::Restored : StepResult::Failed;
}

// Puts one setting back from its copy in the backup key. A copy that is the
// absent marker removes the live value; any other copy is written unchanged.
StepResult RestoreSetting(const store::Registry& registry, const store::Setting& setting) {
  if (setting.kind == store::Kind::Number) {
    const auto backup = registry.QueryNumber(store::kRoot, store::key::kBackup, setting.backupName);
    if (!backup) return StepResult::NoBackup;
    if (*backup == kAbsentNumber) {
      return Outcome(registry.RemoveValue(store::kRoot, setting.key, setting.valueName));
    }
    return Outcome(registry.WriteNumber(store::kRoot, setting.key, setting.valueName, *backup));
  }
  const auto backup = registry.QueryText(store::kRoot, store::key::kBackup, setting.backupName);
  if (!backup) return StepResult::NoBackup;
  if (*backup == kAbsentText) {
    return Outcome(registry.RemoveValue(store::kRoot, setting.key, setting.valueName));
  }
  return Outcome(registry.WriteText(store::kRoot, setting.key, setting.valueName, *backup));
}

}  // namespace

// Without a backup copy a setting is left as it is: removing it would lose
// a value that nobody recorded. So when the backup key holds none of the
// eight, nothing changes and the user is told that no backup was found.
void RestoreFromBackup(const store::Registry& registry, UserDialogs& dialogs) {
  if (dialogs.Show(RestoreConfirmMessage()) != Answer::Yes) return;

  bool anyBackup = false;
  std::vector<std::string> failed;
  for (store::SettingId id : kBackupOrder) {
    const store::Setting& setting = store::SettingOf(id);
    const StepResult result = RestoreSetting(registry, setting);
    if (result != StepResult::NoBackup) anyBackup = true;
    if (result == StepResult::Failed) failed.push_back(setting.label);
  }

  if (!failed.empty()) {
    dialogs.Show(RestoreFailedMessage(failed));
  } else if (!anyBackup) {
    dialogs.Show(NoBackupFoundMessage());
  } else {
    dialogs.Show(RestoreCompleteMessage());
  }
}

}  // namespace quorvane::engine
