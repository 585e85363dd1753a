#include "engine/setting_apply.h"

#include <array>
#include <cstdlib>

#include "engine/flag_rules.h"
#include "engine/operation.h"
#include "engine/text_panes.h"

namespace quorvane::engine {
namespace {

using enum store::SettingId;

// The Path MTU Apply writes the flags in one order and reads them back in
// another; both orders are the handler's own and kept as they are.
constexpr std::array kFlagWriteOrder = {PmtuBlackHoleDetect, PmtuDiscovery, SackOpts};
constexpr std::array kFlagReadBackOrder = {PmtuBlackHoleDetect, SackOpts, PmtuDiscovery};
static_assert(store::NamesEachOnce(kFlagWriteOrder, store::OfKind<store::Kind::Flag>));
static_assert(store::NamesEachOnce(kFlagReadBackOrder, store::OfKind<store::Kind::Flag>));

// The writes of one Apply, each setting's on its own, as its steps.
class ApplyWrites {
 public:
  ApplyWrites(const store::Registry& registry, Questions& questions)
      : operation_(registry, questions) {}

  void Text(store::SettingId id, const std::string& text) {
    const store::Setting& setting = store::SettingOf(id);
    Note(id, TextValue(text), operation_.WriteText(setting.key, setting.valueName, text));
  }
  void Number(store::SettingId id, std::int32_t number) {
    const store::Setting& setting = store::SettingOf(id);
    Note(id, NumberValue(number), operation_.WriteNumber(setting.key, setting.valueName, number));
  }
  // The outcome, with what the pane shows after the writes.
  template <typename Shown>
  ApplyOutcome<Shown> Showing(Shown shown) {
    return {std::move(shown), std::move(steps_)};
  }

 private:
  void Note(store::SettingId id, store::TypedValue written, const store::WriteResult& result) {
    steps_.push_back({.setting = id,
                      .action = Action::Write,
                      .written = std::move(written),
                      .status = result.status});
  }

  Operation operation_;
  std::vector<Step> steps_;
};

}  // namespace

// The read-back shows what the registry holds after the attempt, also where
// a write failed.
ApplyOutcome<std::string> ApplyTextPane(const store::Registry& registry, Questions& questions,
                                        store::SettingId setting, const std::string& typed) {
  const store::Setting& row = store::SettingOf(setting);
  if (row.kind != store::Kind::Text) std::abort();  // only a text pane's setting
  ApplyWrites writes(registry, questions);
  writes.Text(setting, typed);
  return writes.Showing(ReadCaption(registry, setting, row.absent));
}

ApplyOutcome<PathMtuFlags> ApplyPathMtu(const store::Registry& registry, Questions& questions,
                                        const PathMtuFlags& boxes) {
  ApplyWrites writes(registry, questions);
  for (store::SettingId flag : kFlagWriteOrder) writes.Text(flag, FlagText(boxes.at(flag)));
  PathMtuFlags shown;
  for (store::SettingId flag : kFlagReadBackOrder) shown[flag] = ReadFlagBox(registry, flag);
  return writes.Showing(std::move(shown));
}

// Read back like the other panes, so that a refused write shows the stored
// choice instead of looking like success.
ApplyOutcome<bool> ApplyNumberPane(const store::Registry& registry, Questions& questions,
                                   store::SettingId setting, bool enabledSelected) {
  if (store::SettingOf(setting).kind != store::Kind::Number) std::abort();  // only a number's pane
  ApplyWrites writes(registry, questions);
  writes.Number(setting, enabledSelected ? kEnabledNumber : kDisabledNumber);
  return writes.Showing(ReadEnabled(registry, setting));
}

}  // namespace quorvane::engine
