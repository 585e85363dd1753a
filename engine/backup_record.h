// The first-run backup record: which settings it holds, in the order in
// which the backup writes them and the restore puts them back, and the
// markers that stand for a setting that was absent when it was taken.
//
// Each backed-up setting has one value in the backup key, under its backup
// name. A live value that was there is copied exactly, with its own type and
// bytes: a MaxMTU that another tool stored as a number is backed up as that
// number, and comes back as it. Only an absent live value is stored as the
// marker of its setting's kind, exactly as earlier versions stored it. The
// restore tells a marker by type and content alone, so a backup that an
// earlier version wrote (texts and one number, no SackOpts) restores as it
// always did.
#pragma once

#include <array>
#include <cstdint>

#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

// The nine backed-up settings (each with a backup name), in the order of
// both the backup and the restore. SackOpts comes last: backups of earlier
// versions lack it, and the restore then leaves it as it is.
inline constexpr auto kBackupOrder = [] {
  using enum store::SettingId;
  return std::array{MaxMtu,   DefaultRcvWindow,    DefaultTtl,         SessionKeepAlive,
                    NdiCache, PmtuBlackHoleDetect, DisableTaskOffload, PmtuDiscovery,
                    SackOpts};
}();
static_assert(store::NamesEachOnce(kBackupOrder, [](const store::Setting& s) {
  return s.backupName != nullptr;
}));

// A text setting that was absent is backed up as this text (REG_SZ); the
// number setting as 0 (REG_DWORD). The restore removes the live value for
// either. A live text that reads "Not Set", or a live number 0, is backed up
// the same way and so removed too; an absent DisableTaskOffload reads as 0.
inline constexpr const char* kAbsentText = "Not Set";
inline constexpr std::int32_t kAbsentNumber = 0;

// True when a setting's backup copy is the absent marker of its kind, as
// earlier versions wrote it too: exactly the text "Not Set", or the number
// 0 (REG_DWORD).
bool IsAbsentMarker(const store::Setting& setting, const store::TypedValue& copy);

}  // namespace quorvane::engine
