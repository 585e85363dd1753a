// show: the nine settings, each with its pane, its key and value name, its
// live value and its first-run copy; then whether the first-run backup has
// been taken. Reads only.
#include <iostream>
#include <string>
#include <vector>

#include "engine/backup_record.h"
#include "engine/show_settings.h"
#include "store/status_words.h"
#include "tools/reg_console.h"
#include "tools/reg_file.h"
#include "tools/reg_program.h"
#include "tools/reg_texts.h"
#include "tools/reg_value_text.h"

namespace quorvane::tools {
namespace {

// The setting's heading: its pane, and its check box where the pane shows
// several.
std::string Heading(const store::Setting& setting) {
  const std::string pane = setting.pane;
  return pane == setting.label ? pane : pane + text::kSaidOf + setting.label;
}

std::string BackupText(const store::Setting& setting, const engine::Reading& copy) {
  if (copy.status == store::kSuccess && !copy.value) return text::kNoCopy;
  std::string shown = ReadingText(copy);
  if (copy.value && engine::IsAbsentMarker(setting, *copy.value)) shown += text::kAbsentMarker;
  return shown;
}

}  // namespace

// A value that cannot be read is shown so, and the command fails, naming
// each reason once: a listing with holes in it is no answer to rely on.
int RunShow(const CommandRun& run) {
  const engine::ShownSettings shown = engine::ShowSettings(RegistryOf(run));
  std::vector<store::Status> failures;
  const auto note = [&](store::Status status) {
    if (status == store::kSuccess) return;
    for (const store::Status known : failures) {
      if (known == status) return;
    }
    failures.push_back(status);
  };
  for (const engine::ShownSetting& one : shown.settings) {
    const store::Setting& setting = store::SettingOf(one.setting);
    run.out << Heading(setting) << "\n"
            << text::kColumnGap << KeyShown(WithoutTrailingBackslashes(setting.key))
            << text::kColumnGap
            << (*setting.valueName == '\0' ? text::kDefaultName : setting.valueName) << "\n"
            << text::kColumnGap << text::kLive << ReadingText(one.live) << text::kColumnGap
            << text::kBackup << BackupText(setting, one.backup) << "\n";
    note(one.live.status);
    note(one.backup.status);
  }
  switch (shown.firstRun.state) {
    case engine::FirstRunMarker::State::Done:
      run.out << text::kBackupTaken << "\n";
      break;
    case engine::FirstRunMarker::State::Pending:
      run.out << text::kBackupPending << "\n";
      break;
    case engine::FirstRunMarker::State::Unreadable:
      run.out << text::kMarkerUnknown << "\n";
      note(shown.firstRun.status);
      break;
  }
  for (const store::Status status : failures) Fail(run.err, status);
  return failures.empty() ? 0 : 1;
}

}  // namespace quorvane::tools
