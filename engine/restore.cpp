#include "engine/restore.h"

#include <cstring>
#include <string>
#include <vector>

#include "engine/backup_record.h"
#include "engine/messages.h"

namespace quorvane::engine {
namespace {

// True when the backup copy is the absent marker of the setting's kind, as
// earlier versions wrote it too: the text "Not Set" (up to its first NUL, as
// ReadText reads it) or the number 0.
bool IsAbsentMarker(const store::Setting& setting, const store::TypedValue& copy) {
  if (setting.kind == store::Kind::Number) {
    std::int32_t number = 0;
    if (copy.type != store::kTypeNumber || copy.data.size() != sizeof number) return false;
    std::memcpy(&number, copy.data.data(), sizeof number);
    return number == kAbsentNumber;
  }
  if (copy.type != store::kTypeText) return false;
  const std::string text(copy.data.begin(), copy.data.end());
  return text.substr(0, text.find('\0')) == kAbsentText;
}

struct StepResult {
  bool backedUp = false;     // the backup key holds a copy of this setting
  store::WriteResult put{};  // reading the copy, then the write or removal
};

// Puts one setting back from its copy in the backup key: removes the live
// value for an absent marker, writes any other copy back with its own type
// and bytes. Without a copy the live value stays.
StepResult RestoreSetting(const store::Registry& registry, const store::Setting& setting) {
  store::TypedValue copy;
  const store::Status read =
      registry.QueryValue(store::kRoot, store::key::kBackup, setting.backupName, &copy);
  if (read == store::kNotFound) return {};
  if (read != store::kSuccess) return {true, {read}};  // a copy that cannot be read
  if (IsAbsentMarker(setting, copy)) {
    return {true, registry.RemoveValue(store::kRoot, setting.key, setting.valueName)};
  }
  return {true, registry.WriteValue(store::kRoot, setting.key, setting.valueName, copy)};
}

}  // namespace

// Without a backup copy a setting is left as it is: removing it would lose
// a value that nobody recorded. So when the backup key holds none of the
// settings, nothing changes and the user is told that no backup was found;
// when it holds some, the closing box names those left as they are.
void RestoreFromBackup(const store::Registry& registry, UserDialogs& dialogs) {
  if (dialogs.Show(RestoreConfirmMessage()) != Answer::Yes) return;

  bool anyRestored = false;
  std::vector<std::string> withoutBackup;
  std::vector<FailedSetting> failed;
  for (store::SettingId id : kBackupOrder) {
    const store::Setting& setting = store::SettingOf(id);
    const StepResult result = RestoreSetting(registry, setting);
    if (!result.backedUp) {
      withoutBackup.push_back(setting.label);
    } else if (!result.put) {
      failed.push_back({setting.label, result.put.status});
    } else {
      anyRestored = true;
    }
  }

  if (!failed.empty()) {
    dialogs.Show(RestoreFailedMessage(failed, withoutBackup, anyRestored));
  } else if (!anyRestored) {
    dialogs.Show(NoBackupFoundMessage());
  } else if (!withoutBackup.empty()) {
    dialogs.Show(RestorePartlyMessage(withoutBackup));
  } else {
    dialogs.Show(RestoreCompleteMessage());
  }
}

}  // namespace quorvane::engine
