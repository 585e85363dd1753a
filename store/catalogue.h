// Everything the program manages in the registry: the six locations, the
// nine settings with their kinds and backup names, and the first-run marker.
// Every operation takes its locations from here; nothing is discovered at
// run time.
#pragma once

#include <array>
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
  Text,    // REG_SZ, through ReadText and WriteText
  Number,  // REG_DWORD, through ReadNumber and WriteNumber
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

struct Setting {
  SettingId id;
  const char* label;       // what the user calls it, for messages
  const std::string& key;  // live location
  const char* valueName;   // "" is the key's default value
  Kind kind;
  const char* backupName;  // its copy in key::kBackup
};

inline const std::array<Setting, 9> kSettings = {{
    {SettingId::MaxMtu, "Max Transmission Unit", key::kNetTrans, "MaxMTU", Kind::Text, "MaxMTU"},
    {SettingId::DefaultRcvWindow, "Recieve Window", key::kMstcp, "DefaultRcvWindow", Kind::Text,
     "DefaultRcvWindow"},
    {SettingId::DefaultTtl, "Time To Live", key::kMstcp, "DefaultTTL", Kind::Text, "DefaultTTL"},
    {SettingId::SessionKeepAlive, "Session Keep Alive", key::kMstcp, "SessionKeepAlive",
     Kind::Text, "SessionKeepAlive"},
    {SettingId::PmtuDiscovery, "Auto Discovery", key::kMstcp, "PMTUDiscovery", Kind::Text,
     "PMTUDiscovery"},
    {SettingId::PmtuBlackHoleDetect, "Black Hole Detect", key::kMstcp, "PMTUBlackHoleDetect",
     Kind::Text, "PMTUBlackHoleDetect"},
    {SettingId::SackOpts, "Selective Acknowledgements", key::kMstcp, "SackOpts", Kind::Text,
     "SackOpts"},
    {SettingId::NdiCache, "NDI Cache", key::kNdiCache, "", Kind::Text, "cachesize"},
    {SettingId::DisableTaskOffload, "Network Card CPU", key::kTcpip, "DisableTaskOffload",
     Kind::Number, "DisableTaskOffload"},
}};

// The catalogue row of a setting.
const Setting& SettingOf(SettingId id);

}  // namespace quorvane::store
