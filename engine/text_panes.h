// The five panes that show one text setting each: which setting a pane
// holds, the help texts its caption falls back on, and how a caption is
// read.
#pragma once

#include <array>
#include <string>

#include "engine/setting_apply.h"
#include "engine/texts.h"
#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

struct TextPaneRow {
  TextPane pane;
  store::SettingId setting;
  const char* help;         // the fallback of the pane's Apply and of the pane list
  const char* refreshHelp;  // the fallback of the full refresh
};

inline constexpr std::array<TextPaneRow, 5> kTextPanes = {{
    {TextPane::Mtu, store::SettingId::MaxMtu, text::kMtuHelp, text::kMtuRefreshHelp},
    {TextPane::ReceiveWindow, store::SettingId::DefaultRcvWindow, text::kReceiveWindowHelp,
     text::kReceiveWindowHelp},
    {TextPane::TimeToLive, store::SettingId::DefaultTtl, text::kTimeToLiveHelp,
     text::kTimeToLiveHelp},
    {TextPane::KeepAlive, store::SettingId::SessionKeepAlive, text::kKeepAliveHelp,
     text::kKeepAliveHelp},
    {TextPane::NdiCache, store::SettingId::NdiCache, text::kNdiCacheHelp, text::kNdiCacheHelp},
}};

// The row of a pane.
const TextPaneRow& TextPaneOf(TextPane pane);

// The caption prefix followed by the setting's text as the registry holds
// it, or by help when the value is absent. The text is shown unchanged.
std::string ReadCaption(const store::Registry& registry, store::SettingId setting,
                        const char* help);

}  // namespace quorvane::engine
