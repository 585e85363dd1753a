// The first-run backup record: which settings it holds, in the order in
// which the backup writes them and the restore puts them back, and the
// markers that stand for a setting that was absent when it was taken.
#pragma once

#include <array>
#include <cstdint>

#include "store/catalogue.h"

namespace quorvane::engine {

// The eight backed-up settings, in the order of both the backup and the
// restore. SackOpts is not among them.
inline constexpr std::array<store::SettingId, 8> kBackupOrder = {
    store::SettingId::MaxMtu,
    store::SettingId::DefaultRcvWindow,
    store::SettingId::DefaultTtl,
    store::SettingId::SessionKeepAlive,
    store::SettingId::NdiCache,
    store::SettingId::PmtuBlackHoleDetect,
    store::SettingId::DisableTaskOffload,
    store::SettingId::PmtuDiscovery,
};

// A text setting that was absent is backed up as this text; the number
// setting as 0. The restore removes the live value for either.
inline constexpr const char* kAbsentText = "Not Set";
inline constexpr std::int32_t kAbsentNumber = 0;

}  // namespace quorvane::engine
