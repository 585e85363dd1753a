#pragma once

#include <string>
#include <vector>

#include "engine/flag_rules.h"
#include "engine/questions.h"
#include "engine/steps.h"
#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

// What an Apply did: its writes, each on its own, in order (each with what
// it wrote and how that went; an Apply reads nothing first), and what the
// pane shows now, read back from the registry after them.
template <typename Shown>
struct ApplyOutcome {
  Shown shown;
  std::vector<Step> steps;
};

// Writes the typed text unchanged to a text setting (one of the five panes
// that show one each), reads it back and answers the pane's new
// current-value caption.
[[nodiscard]] ApplyOutcome<std::string> ApplyTextPane(const store::Registry& registry,
                                                      Questions& questions,
                                                      store::SettingId setting,
                                                      const std::string& typed);

// Writes every flag from its check box's value (boxes holds one for each)
// and answers the values the boxes take from what the registry then holds
// (each 0 or 1).
[[nodiscard]] ApplyOutcome<PathMtuFlags> ApplyPathMtu(const store::Registry& registry,
                                                      Questions& questions,
                                                      const PathMtuFlags& boxes);

// Writes a number setting (the pane of option buttons): 0 when "Enabled" is
// selected, 1 otherwise. Then reads it back and answers whether "Enabled"
// is to be selected (the number is 0 or absent) or "Disabled" (any other
// number).
[[nodiscard]] ApplyOutcome<bool> ApplyNumberPane(const store::Registry& registry,
                                                 Questions& questions, store::SettingId setting,
                                                 bool enabledSelected);

}  // namespace quorvane::engine
