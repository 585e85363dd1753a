#include "engine/quick_optimise.h"

#include <optional>
#include <vector>

#include "engine/messages.h"
#include "engine/operation.h"
#include "engine/presets.h"

namespace quorvane::engine {

std::optional<std::size_t> PresetColumnOf(const std::string& selectedType) {
  for (std::size_t column = 0; column < kConnectionTypeCount; ++column) {
    if (selectedType == kConnectionTypes[column]) return column;
  }
  return std::nullopt;
}

namespace {

// Writes the six values of one preset in their order, each on its own, and
// answers those that could not be written, with why.
std::vector<FailedSetting> WritePreset(Operation& operation, std::size_t column) {
  std::vector<FailedSetting> failed;
  for (const PresetRow& row : kPresets) {
    const store::Setting& setting = store::SettingOf(row.setting);
    const store::WriteResult written =
        operation.WriteText(setting.key, setting.valueName, row.values[column]);
    if (!written) failed.push_back({setting.label, written.status});
  }
  return failed;
}

}  // namespace

void QuickOptimise(const store::Registry& registry, UserDialogs& dialogs,
                   const std::string& selectedType) {
  Operation operation(registry, dialogs);
  std::vector<FailedSetting> failed;
  if (const auto column = PresetColumnOf(selectedType)) failed = WritePreset(operation, *column);

  if (selectedType.empty()) {
    operation.Show(SelectConnectionTypeMessage());
  } else if (!failed.empty()) {
    // The Finished window would tell the user the settings are optimised.
    operation.Show(OptimiseFailedMessage(failed));
  } else {
    operation.ShowFinished();
  }
}

}  // namespace quorvane::engine
