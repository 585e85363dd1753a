#include "engine/current_values.h"

#include <array>

#include "engine/flag_rules.h"
#include "engine/text_panes.h"

namespace quorvane::engine {
namespace {

// The nine reads of a refresh, in the order in which the display has always
// made them.
constexpr std::array<store::SettingId, 9> kRefreshOrder = {
    store::SettingId::MaxMtu,
    store::SettingId::DefaultRcvWindow,
    store::SettingId::DefaultTtl,
    store::SettingId::SessionKeepAlive,
    store::SettingId::NdiCache,
    store::SettingId::PmtuBlackHoleDetect,
    store::SettingId::PmtuDiscovery,
    store::SettingId::DisableTaskOffload,
    store::SettingId::SackOpts,
};

}  // namespace

// Each setting is read as its kind is shown: a caption, a check box, or
// the option buttons.
CurrentValues ReadCurrentValues(const store::Registry& registry) {
  CurrentValues values;
  for (store::SettingId id : kRefreshOrder) {
    const store::Setting& setting = store::SettingOf(id);
    switch (setting.kind) {
      case store::Kind::Text:
        values.captions[id] = ReadCaption(registry, id, setting.refreshAbsent);
        break;
      case store::Kind::Flag: {
        const FlagBox& flag = FlagBoxOf(id);
        values.flags.*flag.box = ReadFlagBox(registry, flag);
        break;
      }
      case store::Kind::Number:
        values.taskOffloadEnabled = ReadTaskOffloadEnabled(registry);
        break;
    }
  }
  return values;
}

std::string ReadMtuCaptionForList(const store::Registry& registry) {
  const store::Setting& mtu = store::SettingOf(store::SettingId::MaxMtu);
  return ReadCaption(registry, mtu.id, mtu.absent);
}

}  // namespace quorvane::engine
