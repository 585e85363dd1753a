#include "tools/reg_preset.h"

#include <algorithm>

#include "engine/presets.h"
#include "engine/quick_optimise.h"
#include "store/catalogue.h"
#include "tools/reg_commands.h"
#include "tools/reg_console.h"
#include "tools/reg_program.h"

namespace quorvane::tools {

// The program's presets, read through the catalogue's locations: the file
// and Optimise cannot differ.
std::optional<std::vector<RegFileKey>> PresetKeys(const std::string& connectionType) {
  const auto column = engine::PresetColumnOf(connectionType);
  if (!column) return std::nullopt;

  std::vector<RegFileKey> keys;
  for (const engine::PresetRow& row : engine::kPresets) {
    const store::Setting& setting = store::SettingOf(row.setting);
    const std::string path = WithoutTrailingBackslashes(setting.key);
    auto key = std::find_if(keys.begin(), keys.end(),
                            [&](const RegFileKey& known) { return known.path == path; });
    if (key == keys.end()) key = keys.insert(keys.end(), RegFileKey{path, false, {}, 0});
    const std::string text = row.values[*column];
    key->values.push_back(
        {setting.valueName, false, store::kTypeText, {text.begin(), text.end()}, 0});
  }
  return keys;
}

int RunPreset(const CommandRun& run) {
  const auto keys = PresetKeys(run.command.connection);
  if (!keys) return RefuseConnectionType(run);
  return WriteFileAsked(run.command.file, WriteRegFile(*keys), run.command.force, run.in,
                        run.out, run.err);
}

}  // namespace quorvane::tools
