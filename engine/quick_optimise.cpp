#include "engine/quick_optimise.h"

#include <optional>
#include <vector>

#include "engine/messages.h"
#include "engine/presets.h"

namespace quorvane::engine {
namespace {

// The preset column of the selected text: the first connection type that
// equals it exactly (case and blanks included), or none.
std::optional<std::size_t> PresetColumnOf(const std::string& selectedType) {
  for (std::size_t column = 0; column < kConnectionTypeCount; ++column) {
    if (selectedType == kConnectionTypes[column]) return column;
  }
  return std::nullopt;
}

// Writes the six values of one preset in their order, each on its own, and
// answers the labels of those that could not be written.
std::vector<std::string> WritePreset(const store::Registry& registry, std::size_t column) {
  std::vector<std::string> failed;
  for (const PresetRow& row : kPresets) {
    const store::Setting& setting = store::SettingOf(row.setting);
    if (!registry.WriteText(store::kRoot, setting.key, setting.valueName, row.values[column])) {
      failed.push_back(setting.label);
    }
  }
  return failed;
}

}  // namespace

void QuickOptimise(const store::Registry& registry, UserDialogs& dialogs,
                   const std::string& selectedType) {
  std::vector<std::string> failed;
  if (const auto column = PresetColumnOf(selectedType)) failed = WritePreset(registry, *column);

  if (selectedType.empty()) {
    dialogs.Show(SelectConnectionTypeMessage());
  } else if (!failed.empty()) {
    // The Finished window would tell the user the settings are optimised.
    dialogs.Show(OptimiseFailedMessage(failed));
  } else {
    dialogs.ShowFinished();
  }
}

}  // namespace quorvane::engine
