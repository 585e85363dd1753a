#include "engine/quick_optimise.h"

#include <algorithm>
#include <utility>

#include "engine/operation.h"
#include "engine/presets.h"

namespace quorvane::engine {

std::optional<std::size_t> PresetColumnOf(const std::string& selectedType) {
  for (std::size_t column = 0; column < kConnectionTypeCount; ++column) {
    if (selectedType == kConnectionTypes[column]) return column;
  }
  return std::nullopt;
}

TypeChoice ChoiceOf(const std::string& selectedType) {
  if (selectedType.empty()) return TypeChoice::NothingSelected;
  return PresetColumnOf(selectedType) ? TypeChoice::Preset : TypeChoice::NoPreset;
}

bool OptimiseOutcome::Optimised() const {
  return choice == TypeChoice::Preset &&
         std::none_of(steps.begin(), steps.end(), [](const Step& step) { return step.Failed(); });
}

namespace {

// Writes one value of a preset, after a look at the value it replaces. The
// look adds no write and waits for nobody: the writes are the preset's
// alone, in its order. A look that fails leaves what was there unknown.
Step WritePresetValue(Operation& operation, const PresetRow& row, std::size_t column) {
  const store::Setting& setting = store::SettingOf(row.setting);
  Step step{.setting = row.setting, .action = Action::Write};
  store::TypedValue live;
  const store::Status read = operation.LookAt(setting.key, setting.valueName, &live);
  // A look that failed is no failure of the step: its status is the write's.
  static_cast<void>(NoteFound(step, read, std::move(live)));
  step.written = TextValue(row.values[column]);
  step.status = operation.WriteText(setting.key, setting.valueName, row.values[column]).status;
  return step;
}

}  // namespace

// Each write stands alone: one that fails does not stop the next.
OptimiseOutcome QuickOptimise(const store::Registry& registry, Questions& questions,
                              const std::string& selectedType) {
  OptimiseOutcome outcome;
  outcome.choice = ChoiceOf(selectedType);
  if (outcome.choice != TypeChoice::Preset) return outcome;
  const std::size_t column = *PresetColumnOf(selectedType);
  Operation operation(registry, questions);
  for (const PresetRow& row : kPresets) {
    outcome.steps.push_back(WritePresetValue(operation, row, column));
  }
  return outcome;
}

}  // namespace quorvane::engine
