// The quick optimise's presets: six text values per connection type, in the
// order in which they are written.
#pragma once

#include <array>
#include <iterator>

#include "engine/quick_optimise.h"
#include "store/catalogue.h"

namespace quorvane::engine {

inline constexpr std::size_t kConnectionTypeCount = std::size(kConnectionTypes);

struct PresetRow {
  store::SettingId setting;
  // One value per connection type, in the order of kConnectionTypes.
  std::array<const char*, kConnectionTypeCount> values;
};

inline constexpr std::array<PresetRow, 6> kPresets = {{
    //                                  Modem     ADSL Modem Cable Modem LAN Connection
    {store::SettingId::MaxMtu,           {"576",    "1492",   "1500",   "1500"}},
    {store::SettingId::DefaultRcvWindow, {"3216",   "64240",  "64240",  "8192"}},
    {store::SettingId::DefaultTtl,       {"64",     "128",    "128",    "128"}},
    {store::SettingId::SessionKeepAlive, {"600000", "300000", "300000", "300000"}},
    {store::SettingId::NdiCache,         {"16",     "64",     "64",     "32"}},
    {store::SettingId::SackOpts,         {"1",      "1",      "1",      "1"}},
}};
// Each setting at most once, and only those written as text.
static_assert(store::NamesAtMostOnce(
    kPresets, [](const store::Setting& s) { return s.kind != store::Kind::Number; },
    &PresetRow::setting));

}  // namespace quorvane::engine
