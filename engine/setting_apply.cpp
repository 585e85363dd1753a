#include "engine/setting_apply.h"

#include <array>

#include "engine/flag_rules.h"
#include "engine/text_panes.h"

namespace quorvane::engine {
namespace {

// The Path MTU Apply writes the flags in one order and reads them back in
// another; both orders are the handler's own and kept as they are.
constexpr std::array<const FlagBox*, 3> kFlagWriteOrder = {&kBlackHoleDetectBox,
                                                           &kAutoDiscoveryBox, &kSelectiveAcksBox};
constexpr std::array<const FlagBox*, 3> kFlagReadBackOrder = {
    &kBlackHoleDetectBox, &kSelectiveAcksBox, &kAutoDiscoveryBox};

}  // namespace

// A failed write is not reported: the read-back shows what the registry
// holds after the attempt.
std::string ApplyTextPane(const store::Registry& registry, TextPane pane,
                          const std::string& typed) {
  const TextPaneRow& row = TextPaneOf(pane);
  const store::Setting& setting = store::SettingOf(row.setting);
  registry.WriteText(store::kRoot, setting.key, setting.valueName, typed);
  return ReadCaption(registry, row.setting, row.help);
}

PathMtuFlags ApplyPathMtu(const store::Registry& registry, const PathMtuFlags& boxes) {
  for (const FlagBox* flag : kFlagWriteOrder) {
    const store::Setting& setting = store::SettingOf(flag->setting);
    registry.WriteText(store::kRoot, setting.key, setting.valueName, FlagText(boxes.*flag->box));
  }
  PathMtuFlags shown;
  for (const FlagBox* flag : kFlagReadBackOrder) shown.*flag->box = ReadFlagBox(registry, *flag);
  return shown;
}

// Read back like the other panes, so that a refused write shows the stored
// choice instead of looking like success.
bool ApplyTaskOffload(const store::Registry& registry, bool enabledSelected) {
  const store::Setting& setting = store::SettingOf(store::SettingId::DisableTaskOffload);
  registry.WriteNumber(store::kRoot, setting.key, setting.valueName,
                       enabledSelected ? kTaskOffloadEnabled : kTaskOffloadDisabled);
  return ReadTaskOffloadEnabled(registry);
}

}  // namespace quorvane::engine
