#include "engine/first_run.h"

#include "engine/backup_record.h"
#include "engine/messages.h"

namespace quorvane::engine {
namespace {

// Copies one live setting into the backup key: its text or number, or the
// absent marker when it cannot be read. True when the copy was stored.
bool BackUp(const store::Registry& registry, const store::Setting& setting) {
  if (setting.kind == store::Kind::Number) {
    return registry.WriteNumber(
        store::kRoot, store::key::kBackup, setting.backupName,
        registry.ReadNumber(store::kRoot, setting.key, setting.valueName, kAbsentNumber));
  }
  return registry.WriteText(
      store::kRoot, store::key::kBackup, setting.backupName,
      registry.ReadText(store::kRoot, setting.key, setting.valueName, kAbsentText));
}

// Backs up the eight settings in their order, each read and at once
// written. Stops at the first copy that cannot be stored and answers false.
bool BackUpSettings(const store::Registry& registry) {
  for (store::SettingId id : kBackupOrder) {
    if (!BackUp(registry, store::SettingOf(id))) return false;
  }
  return true;
}

void WriteFirstRunMarker(const store::Registry& registry, const std::string& marker) {
  // A marker that cannot be written keeps reading "Yes": the next start
  // takes the backup and asks again, which is the safe side.
  registry.WriteText(store::kRoot, store::key::kProgram, store::kFirstRunValue, marker);
}

}  // namespace

StartOutcome RunFirstRunBlock(const store::Registry& registry, UserDialogs& dialogs) {
  if (registry.ReadText(store::kRoot, store::key::kProgram, store::kFirstRunValue,
                        store::kFirstRunPending) != store::kFirstRunPending) {
    return StartOutcome::Continue;
  }

  // The disclaimer tells the user that the settings are backed up; without
  // a backup nothing may go on. The marker stays pending, so the next start
  // tries again.
  if (!BackUpSettings(registry)) {
    dialogs.Show(BackupFailedMessage());
    return StartOutcome::BackupFailed;
  }

  // Marked done before the question: a program stopped while the disclaimer
  // is open keeps the backup it took and does not ask again.
  WriteFirstRunMarker(registry, store::kFirstRunDone);
  if (dialogs.Show(DisclaimerMessage()) == Answer::No) {
    WriteFirstRunMarker(registry, store::kFirstRunPending);
    return StartOutcome::Declined;
  }
  return StartOutcome::Continue;
}

}  // namespace quorvane::engine
