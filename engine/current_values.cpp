#include "engine/current_values.h"

#include <array>

#include "engine/flag_rules.h"
#include "engine/text_panes.h"

namespace quorvane::engine {
namespace {

using enum store::SettingId;

// The nine reads of a refresh, in the order in which the display has always
// made them.
constexpr std::array kRefreshOrder = {MaxMtu,           DefaultRcvWindow,   DefaultTtl,
                                      SessionKeepAlive, NdiCache,           PmtuBlackHoleDetect,
                                      PmtuDiscovery,    DisableTaskOffload, SackOpts};
static_assert(store::NamesEachOnce(kRefreshOrder, [](const store::Setting&) { return true; }));

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
      case store::Kind::Flag:
        values.flags[id] = ReadFlagBox(registry, id);
        break;
      case store::Kind::Number:
        values.enabled[id] = ReadEnabled(registry, id);
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
