// Everything the program manages in the registry: the six locations, the
// nine settings with their kinds and backup names, and the first-run marker.
// Every operation takes its locations from here; nothing is discovered at
// run time.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <iterator>
#include <string>

#include "store/registry_backend.h"

namespace quorvane::store {

// Every location lies under this root.
inline constexpr RootKey kRoot = RootKey::LocalMachine;

// The six keys, below kRoot, exactly as the program passes them (two end in
// a backslash, which the registry does not count).
namespace key {
inline const std::string kNetTrans = "SYSTEM\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
inline const std::string kMstcp = "SYSTEM\\CurrentControlSet\\Services\\VxD\\MSTCP";
inline const std::string kNdiCache =
    "SYSTEM\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
inline const std::string kTcpip = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
inline const std::string kProgram = "Software\\Tessamont\\Quorvane\\";
inline const std::string kBackup = "Software\\Tessamont\\Quorvane\\Backup\\";
}  // namespace key

// The first-run marker in key::kProgram: only the exact text "Yes" means
// that the first run is still pending.
inline const std::string kFirstRunValue = "FirstRun";
inline const std::string kFirstRunPending = "Yes";
inline const std::string kFirstRunDone = "No";

enum class Kind {
  Text,    // REG_SZ, through ReadText and WriteText, shown as it is
  Flag,    // REG_SZ "0" or "1", a check box: exactly "0" is off, any other text on
  Number,  // REG_DWORD, through ReadNumber and WriteNumber; two option buttons: 0 (or
           // absent) is "Enabled", any other number "Disabled"
};

enum class SettingId {
  MaxMtu,
  DefaultRcvWindow,
  DefaultTtl,
  SessionKeepAlive,
  PmtuDiscovery,
  PmtuBlackHoleDetect,
  SackOpts,
  NdiCache,
  DisableTaskOffload,
};

// What a pane's current-value caption, or its check box, shows for an
// absent value: the help text of a text setting (as the pane's Apply and
// the pane list read it), or the default of a flag.
namespace help {
inline constexpr const char* kMtu =
    "The Default Value (576 for a Modem or 1500 for an Ethernet Connection)";
// The full refresh shows the MTU's "Ethernet/Cable" help text instead.
inline constexpr const char* kMtuRefresh =
    "The Default Value (576 for a Modem or 1500 for an Ethernet/Cable Connection)";
inline constexpr const char* kReceiveWindow =
    "The Default Value (3216 for a Modem, 64240 for Cable and 8192 for an Ethernet Connection)";
inline constexpr const char* kTimeToLive =
    "The Default Value (64 for a Modem or 128 for an Ethernet/Cable Connection)";
inline constexpr const char* kKeepAlive =
    "The Default Value (600000ms for a Modem or 300000ms for Ethernet/Cable Connection)";
inline constexpr const char* kNdiCache =
    "The Default Value (16 for a Modem, 64 for Cable and 32 for an Ethernet Connection)";
}  // namespace help

// The nine settings, each once. Every rule about "every setting" walks
// this table; the orders in which the operations take them are lists of
// its entries, kept beside each operation and checked against it when they
// compile (NamesEachOnce below). Which pane shows a setting is
// the main window's to say, by the controls' own identities, keyed by
// SettingId (ui/quorvane_form.cpp): a pane number here would name no
// control and need a second table to turn it into one.
struct Setting {
  SettingId id;
  const char* label;       // what the user calls it, for messages
  const char* pane;        // the pane list's item of the pane that shows it
  const std::string& key;  // live location
  const char* valueName;   // "" is the key's default value
  Kind kind;
  const char* backupName;  // its copy in key::kBackup
  const char* absent;      // what an absent value shows (help text or flag default); none
                           // for the number, whose absence reads as 0
  const char* refreshAbsent;  // the same in the full refresh, where it differs
};

// The pane list's items of the settings' panes, which name the settings too
// where a pane shows one; the three flags share one pane, each with its
// check box.
namespace pane {
inline constexpr const char* kMtu = "Max Transmission Unit";
inline constexpr const char* kReceiveWindow = "Recieve Window";
inline constexpr const char* kTimeToLive = "Time To Live";
inline constexpr const char* kKeepAlive = "Session Keep Alive";
inline constexpr const char* kPathMtu = "Path MTU";
inline constexpr const char* kNdiCache = "NDI Cache";
inline constexpr const char* kNetworkCard = "Network Card CPU";
}  // namespace pane

inline constexpr std::array<Setting, 9> kSettings = {{
    {SettingId::MaxMtu, pane::kMtu, pane::kMtu, key::kNetTrans, "MaxMTU", Kind::Text, "MaxMTU",
     help::kMtu, help::kMtuRefresh},
    {SettingId::DefaultRcvWindow, pane::kReceiveWindow, pane::kReceiveWindow, key::kMstcp,
     "DefaultRcvWindow", Kind::Text, "DefaultRcvWindow", help::kReceiveWindow,
     help::kReceiveWindow},
    {SettingId::DefaultTtl, pane::kTimeToLive, pane::kTimeToLive, key::kMstcp, "DefaultTTL",
     Kind::Text, "DefaultTTL", help::kTimeToLive, help::kTimeToLive},
    {SettingId::SessionKeepAlive, pane::kKeepAlive, pane::kKeepAlive, key::kMstcp,
     "SessionKeepAlive", Kind::Text, "SessionKeepAlive", help::kKeepAlive, help::kKeepAlive},
    {SettingId::PmtuDiscovery, "Auto Discovery", pane::kPathMtu, key::kMstcp, "PMTUDiscovery",
     Kind::Flag, "PMTUDiscovery", "1", "1"},
    {SettingId::PmtuBlackHoleDetect, "Black Hole Detect", pane::kPathMtu, key::kMstcp,
     "PMTUBlackHoleDetect", Kind::Flag, "PMTUBlackHoleDetect", "0", "0"},
    {SettingId::SackOpts, "Selective Acknowledgements", pane::kPathMtu, key::kMstcp, "SackOpts",
     Kind::Flag, "SackOpts", "0", "0"},
    {SettingId::NdiCache, pane::kNdiCache, pane::kNdiCache, key::kNdiCache, "", Kind::Text,
     "cachesize", help::kNdiCache, help::kNdiCache},
    {SettingId::DisableTaskOffload, pane::kNetworkCard, pane::kNetworkCard, key::kTcpip,
     "DisableTaskOffload", Kind::Number, "DisableTaskOffload", nullptr, nullptr},
}};

// The catalogue row of a setting.
const Setting& SettingOf(SettingId id);

// Whether a setting is of kind K: what an order of the settings of one kind
// needs, for the checks below.
template <Kind K>
constexpr bool OfKind(const Setting& setting) {
  return setting.kind == K;
}

// The compile-time checks of a fixed order of settings: a list of
// SettingIds, or of entries that each name one through projection.

// How many of the order's entries name the setting id.
template <typename Order, typename Projection = std::identity>
constexpr std::size_t TimesNamed(const Order& order, SettingId id, Projection projection = {}) {
  std::size_t times = 0;
  for (const auto& entry : order) times += std::invoke(projection, entry) == id ? 1 : 0;
  return times;
}

// True when the order names every setting for which needs holds exactly
// once, and no other setting.
template <typename Order, typename Needs, typename Projection = std::identity>
constexpr bool NamesEachOnce(const Order& order, Needs needs, Projection projection = {}) {
  std::size_t named = 0;
  for (const Setting& setting : kSettings) {
    const std::size_t times = TimesNamed(order, setting.id, projection);
    if (times != (needs(setting) ? 1 : 0)) return false;
    named += times;
  }
  return named == std::size(order);
}

// True when the order names no setting twice, and only settings for which
// allowed holds.
template <typename Order, typename Allowed, typename Projection = std::identity>
constexpr bool NamesAtMostOnce(const Order& order, Allowed allowed, Projection projection = {}) {
  std::size_t named = 0;
  for (const Setting& setting : kSettings) {
    const std::size_t times = TimesNamed(order, setting.id, projection);
    if (times > (allowed(setting) ? 1 : 0)) return false;
    named += times;
  }
  return named == std::size(order);
}

}  // namespace quorvane::store
