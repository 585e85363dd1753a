#include "engine/restore.h"

#include <cstring>
#include <string>
#include <vector>

#include "engine/backup_record.h"
#include "engine/messages.h"
#include "engine/operation.h"

namespace quorvane::engine {
namespace {

// True when the backup copy is the absent marker of the setting's kind, as
// earlier versions wrote it too: exactly the text "Not Set" (a NUL that
// ends it is a text's terminator, as other tools store one; anything after
// a NUL is content) or the number 0.
bool IsAbsentMarker(const store::Setting& setting, const store::TypedValue& copy) {
  if (setting.kind == store::Kind::Number) {
    std::int32_t number = 0;
    if (copy.type != store::kTypeNumber || copy.data.size() != sizeof number) return false;
    std::memcpy(&number, copy.data.data(), sizeof number);
    return number == kAbsentNumber;
  }
  if (copy.type != store::kTypeText) return false;
  std::string text(copy.data.begin(), copy.data.end());
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text == kAbsentText;
}

struct StepResult {
  bool backedUp = false;     // the backup key holds a copy of this setting
  store::WriteResult put{};  // reading the copy, then the write or removal
};

// Puts one setting back from its copy in the backup key: removes the live
// value for an absent marker, writes any other copy back with its own type
// and bytes. Without a copy the live value stays.
StepResult RestoreSetting(Operation& operation, const store::Setting& setting) {
  store::TypedValue copy;
  const store::Status read = operation.QueryValue(store::key::kBackup, setting.backupName, &copy);
  if (read == store::kNotFound) return {};
  if (read != store::kSuccess) return {true, {read}};  // a copy that cannot be read
  if (IsAbsentMarker(setting, copy)) {
    return {true, operation.RemoveValue(setting.key, setting.valueName)};
  }
  return {true, operation.WriteValue(setting.key, setting.valueName, copy)};
}

}  // namespace

// Without a backup copy a setting is left as it is: removing it would lose
// a value that nobody recorded. So when the backup key holds none of the
// settings, nothing changes and the user is told that no backup was found;
// when it holds some, the closing box names those left as they are.
void RestoreFromBackup(const store::Registry& registry, UserDialogs& dialogs) {
  Operation operation(registry, dialogs);
  if (operation.Show(RestoreConfirmMessage()) != Answer::Yes) return;

  bool anyRestored = false;
  std::vector<std::string> withoutBackup;
  std::vector<FailedSetting> failed;
  for (store::SettingId id : kBackupOrder) {
    const store::Setting& setting = store::SettingOf(id);
    const StepResult result = RestoreSetting(operation, setting);
    if (!result.backedUp) {
      withoutBackup.push_back(setting.label);
    } else if (!result.put) {
      failed.push_back({setting.label, result.put.status});
    } else {
      anyRestored = true;
    }
  }

  if (!failed.empty()) {
    operation.Show(RestoreFailedMessage(failed, withoutBackup, anyRestored));
  } else if (!anyRestored) {
    operation.Show(NoBackupFoundMessage());
  } else if (!withoutBackup.empty()) {
    operation.Show(RestorePartlyMessage(withoutBackup));
  } else {
    operation.Show(RestoreCompleteMessage());
  }
}

}  // namespace quorvane::engine
