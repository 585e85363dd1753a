#include "engine/setting_apply.h"

#include <array>
#include <cstdlib>
#include <vector>

#include "engine/flag_rules.h"
#include "engine/messages.h"
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

// The writes of one Apply: each setting's write on its own, the failures
// named with why once all were tried.
class ApplyWrites {
 public:
  ApplyWrites(const store::Registry& registry, UserDialogs& dialogs)
      : operation_(registry, dialogs) {}

  void Text(store::SettingId id, const std::string& text) {
    const store::Setting& setting = store::SettingOf(id);
    Note(setting, operation_.WriteText(setting.key, setting.valueName, text));
  }
  void Number(store::SettingId id, std::int32_t number) {
    const store::Setting& setting = store::SettingOf(id);
    Note(setting, operation_.WriteNumber(setting.key, setting.valueName, number));
  }
  // Tells the user which settings were not changed, and why.
  void TellFailures() {
    if (!failed_.empty()) operation_.Show(ApplyFailedMessage(failed_));
  }

 private:
  void Note(const store::Setting& setting, const store::WriteResult& written) {
    if (!written) failed_.push_back({setting.label, written.status});
  }

  Operation operation_;
  std::vector<FailedSetting> failed_;
};

}  // namespace

// The read-back shows what the registry holds after the attempt; a write
// that failed is also told in a box.
std::string ApplyTextPane(const store::Registry& registry, UserDialogs& dialogs,
                          store::SettingId setting, const std::string& typed) {
  const store::Setting& row = store::SettingOf(setting);
  if (row.kind != store::Kind::Text) std::abort();  // only a text pane's setting
  ApplyWrites writes(registry, dialogs);
  writes.Text(setting, typed);
  std::string caption = ReadCaption(registry, setting, row.absent);
  writes.TellFailures();
  return caption;
}

PathMtuFlags ApplyPathMtu(const store::Registry& registry, UserDialogs& dialogs,
                          const PathMtuFlags& boxes) {
  ApplyWrites writes(registry, dialogs);
  for (store::SettingId flag : kFlagWriteOrder) writes.Text(flag, FlagText(boxes.at(flag)));
  PathMtuFlags shown;
  for (store::SettingId flag : kFlagReadBackOrder) shown[flag] = ReadFlagBox(registry, flag);
  writes.TellFailures();
  return shown;
}

// Read back like the other panes, so that a refused write shows the stored
// choice instead of looking like success.
bool ApplyNumberPane(const store::Registry& registry, UserDialogs& dialogs,
                     store::SettingId setting, bool enabledSelected) {
  if (store::SettingOf(setting).kind != store::Kind::Number) std::abort();  // only a number's pane
  ApplyWrites writes(registry, dialogs);
  writes.Number(setting, enabledSelected ? kEnabledNumber : kDisabledNumber);
  const bool enabled = ReadEnabled(registry, setting);
  writes.TellFailures();
  return enabled;
}

}  // namespace quorvane::engine
