#include "engine/first_run.h"

#include <string>
#include <vector>

#include "engine/backup_record.h"
#include "engine/messages.h"
#include "engine/operation.h"

namespace quorvane::engine {
namespace {

// Copies one live setting into the backup key (see backup_record.h): the
// value exactly, type and bytes, or the absent marker when there is none.
// A live value that cannot be read for another reason may still be there,
// and a marker would make the restore delete it: the copy fails instead.
[[nodiscard]] store::Status BackUp(Operation& operation, const store::Setting& setting) {
  store::TypedValue live;
  const store::Status read = operation.QueryValue(setting.key, setting.valueName, &live);
  if (read == store::kNotFound) {
    const store::WriteResult marked =
        setting.kind == store::Kind::Number
            ? operation.WriteNumber(store::key::kBackup, setting.backupName, kAbsentNumber)
            : operation.WriteText(store::key::kBackup, setting.backupName, kAbsentText);
    return marked.status;
  }
  if (read != store::kSuccess) return read;
  return operation.WriteValue(store::key::kBackup, setting.backupName, live).status;
}

// Backs up the settings in their order, each read and at once written.
// Stops at the first copy that cannot be made and tells the user how far it
// got; true when every copy was made.
[[nodiscard]] bool BackUpSettings(Operation& operation) {
  std::vector<std::string> backedUp;
  for (store::SettingId id : kBackupOrder) {
    const store::Setting& setting = store::SettingOf(id);
    const store::Status status = BackUp(operation, setting);
    if (status == store::kSuccess) {
      backedUp.push_back(setting.label);
      continue;
    }
    operation.Show(backedUp.empty() ? BackupFailedMessage(status)
                                    : BackupPartlyMessage(backedUp, {setting.label, status}));
    return false;
  }
  return true;
}

[[nodiscard]] store::Status WriteFirstRunMarker(Operation& operation, const std::string& marker) {
  return operation.WriteText(store::key::kProgram, store::kFirstRunValue, marker).status;
}

}  // namespace

// A marker that cannot be written is handled like a backup that cannot be
// written: a "No" that stays "Yes" would back up again on the next start,
// over the user's originals, whatever the program had written meanwhile; a
// "Yes" that stays "No" after a decline would skip the disclaimer the user
// declined. Either way the program tells what it did and did not do, and
// ends, changing no more.
StartOutcome RunFirstRunBlock(const store::Registry& registry, UserDialogs& dialogs) {
  if (registry.ReadText(store::kRoot, store::key::kProgram, store::kFirstRunValue,
                        store::kFirstRunPending) != store::kFirstRunPending) {
    return StartOutcome::Continue;
  }

  // The disclaimer tells the user that the settings are backed up; without
  // a backup nothing may go on. The marker stays pending, so the next start
  // tries again.
  Operation operation(registry, dialogs);
  if (!BackUpSettings(operation)) return StartOutcome::BackupFailed;

  // Marked done before the question: a program stopped while the disclaimer
  // is open keeps the backup it took and does not ask again.
  if (const store::Status status = WriteFirstRunMarker(operation, store::kFirstRunDone);
      status != store::kSuccess) {
    operation.Show(FirstRunNotMarkedMessage(status));
    return StartOutcome::BackupFailed;
  }
  // Only Yes accepts: whatever else the box gives back declines.
  if (operation.Show(DisclaimerMessage()) != Answer::Yes) {
    if (const store::Status status = WriteFirstRunMarker(operation, store::kFirstRunPending);
        status != store::kSuccess) {
      operation.Show(DeclineNotMarkedMessage(status));
      return StartOutcome::BackupFailed;
    }
    return StartOutcome::Declined;
  }
  return StartOutcome::Continue;
}

}  // namespace quorvane::engine
