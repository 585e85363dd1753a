#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/questions.h"
#include "engine/steps.h"
#include "store/registry.h"

namespace quorvane::engine {

// The connection types, in the order of the connection-type list and of
// the comparison that chooses a preset.
inline constexpr const char* kConnectionTypes[] = {"Modem", "ADSL Modem", "Cable Modem",
                                                   "LAN Connection"};

// The preset column of a connection type's name: the first connection
// type that equals it exactly (case and blanks included), or none.
std::optional<std::size_t> PresetColumnOf(const std::string& selectedType);

// How a connection type's name chose a preset.
enum class TypeChoice {
  Preset,           // it is one of kConnectionTypes
  NothingSelected,  // it is empty
  NoPreset,         // it is none of them: refused, nothing written
};
TypeChoice ChoiceOf(const std::string& selectedType);

struct OptimiseOutcome {
  TypeChoice choice = TypeChoice::Preset;
  // The preset's writes, in its order, each setting on its own: the live
  // value just before (found, before) and the text written.
  std::vector<Step> steps;

  // A preset was chosen and every value of it written.
  bool Optimised() const;
};

// Writes the preset of the selected connection type (the list's selected
// text, empty when nothing is selected); writes nothing for any other text.
[[nodiscard]] OptimiseOutcome QuickOptimise(const store::Registry& registry, Questions& questions,
                                            const std::string& selectedType);

}  // namespace quorvane::engine
