#include "engine/current_values.h"

#include <variant>

#include "engine/flag_rules.h"
#include "engine/text_panes.h"

namespace quorvane::engine {
namespace {

// The three kinds of read that a refresh makes.
struct CaptionRead {
  TextPane pane;
  std::string CurrentValues::*caption;
};
struct FlagRead {
  const FlagBox* flag;
};
struct TaskOffloadRead {};
using RefreshRead = std::variant<CaptionRead, FlagRead, TaskOffloadRead>;

// The nine reads of a refresh, in the order in which the display has always
// made them.
const RefreshRead kRefreshReads[] = {
    CaptionRead{TextPane::Mtu, &CurrentValues::mtuCaption},
    CaptionRead{TextPane::ReceiveWindow, &CurrentValues::receiveWindowCaption},
    CaptionRead{TextPane::TimeToLive, &CurrentValues::timeToLiveCaption},
    CaptionRead{TextPane::KeepAlive, &CurrentValues::keepAliveCaption},
    CaptionRead{TextPane::NdiCache, &CurrentValues::ndiCacheCaption},
    FlagRead{&kBlackHoleDetectBox},
    FlagRead{&kAutoDiscoveryBox},
    TaskOffloadRead{},
    FlagRead{&kSelectiveAcksBox},
};

template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};

}  // namespace

CurrentValues ReadCurrentValues(const store::Registry& registry) {
  CurrentValues values;
  for (const RefreshRead& read : kRefreshReads) {
    std::visit(Overloaded{
                   [&](const CaptionRead& caption) {
                     const TextPaneRow& row = TextPaneOf(caption.pane);
                     values.*caption.caption = ReadCaption(registry, row.setting, row.refreshHelp);
                   },
                   [&](const FlagRead& flag) {
                     values.flags.*flag.flag->box = ReadFlagBox(registry, *flag.flag);
                   },
                   [&](const TaskOffloadRead&) {
                     values.taskOffloadEnabled = ReadTaskOffloadEnabled(registry);
                   },
               },
               read);
  }
  return values;
}

std::string ReadMtuCaptionForList(const store::Registry& registry) {
  const TextPaneRow& row = TextPaneOf(TextPane::Mtu);
  return ReadCaption(registry, row.setting, row.help);
}

}  // namespace quorvane::engine
