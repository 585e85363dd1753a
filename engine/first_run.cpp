#include "engine/first_run.h"

#include "engine/backup_record.h"
#include "engine/messages.h"

namespace quorvane::engine {
namespace {

// Copies one live setting into the backup key (see backup_record.h): the
// value exactly, type and bytes, or the absent marker when there is none.
// A live value that cannot be read for another reason may still be there,
// and a marker would make the restore delete it: the copy fails instead.
[[nodiscard]] store::Status BackUp(const store::Registry& registry,
                                   const store::Setting& setting) {
  store::TypedValue live;
  const store::Status read =
      registry.QueryValue(store::kRoot, setting.key, setting.valueName, &live);
  if (read == store::kNotFound) {
    const store::WriteResult marked =
        setting.kind == store::Kind::Number
            ? registry.WriteNumber(store::kRoot, store::key::kBackup, setting.backupName,
                                   kAbsentNumber)
            : registry.WriteText(store::kRoot, store::key::kBackup, setting.backupName,
                                 kAbsentText);
    return marked.status;
  }
  if (read != store::kSuccess) return read;
  return registry.WriteValue(store::kRoot, store::key::kBackup, setting.backupName, live).status;
}

// Backs up the settings in their order, each read and at once written.
// Stops at the first copy that cannot be made and answers why.
[[nodiscard]] store::Status BackUpSettings(const store::Registry& registry) {
  for (store::SettingId id : kBackupOrder) {
    if (const store::Status status = BackUp(registry, store::SettingOf(id));
        status != store::kSuccess) {
      return status;
    }
  }
  return store::kSuccess;
}

[[nodiscard]] store::Status WriteFirstRunMarker(const store::Registry& registry,
                                                const std::string& marker) {
  return registry.WriteText(store::kRoot, store::key::kProgram, store::kFirstRunValue, marker)
      .status;
}

StartOutcome BackupFailed(UserDialogs& dialogs, store::Status why) {
  dialogs.Show(BackupFailedMessage(why));
  return StartOutcome::BackupFailed;
}

}  // namespace

// A marker that cannot be written is handled like a backup that cannot be
// written: a "No" that stays "Yes" would back up again on the next start,
// over the user's originals, whatever the program had written meanwhile; a
// "Yes" that stays "No" after a decline would skip the disclaimer the user
// declined. Either way the program tells why and ends, changing no more.
StartOutcome RunFirstRunBlock(const store::Registry& registry, UserDialogs& dialogs) {
  if (registry.ReadText(store::kRoot, store::key::kProgram, store::kFirstRunValue,
                        store::kFirstRunPending) != store::kFirstRunPending) {
    return StartOutcome::Continue;
  }

  // The disclaimer tells the user that the settings are backed up; without
  // a backup nothing may go on. The marker stays pending, so the next start
  // tries again.
  if (const store::Status status = BackUpSettings(registry); status != store::kSuccess) {
    return BackupFailed(dialogs, status);
  }

  // Marked done before the question: a program stopped while the disclaimer
  // is open keeps the backup it took and does not ask again.
  if (const store::Status status = WriteFirstRunMarker(registry, store::kFirstRunDone);
      status != store::kSuccess) {
    return BackupFailed(dialogs, status);
  }
  if (dialogs.Show(DisclaimerMessage()) == Answer::No) {
    if (const store::Status status = WriteFirstRunMarker(registry, store::kFirstRunPending);
        status != store::kSuccess) {
      return BackupFailed(dialogs, status);
    }
    return StartOutcome::Declined;
  }
  return StartOutcome::Continue;
}

}  // namespace quorvane::engine
