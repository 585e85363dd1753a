// The nine settings as they stand, each beside its first-run copy, and
// whether the first-run backup has been taken: what a person asks first of
// a computer. Reads only.
#pragma once

#include <vector>

#include "engine/first_run.h"
#include "engine/steps.h"
#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

struct ShownSetting {
  // Its row in the settings' table (store::SettingOf): its pane, its label,
  // its key and value name.
  store::SettingId setting;
  Reading live;
  // Its copy in the backup key, nullopt for none; a copy may be the absent
  // marker (IsAbsentMarker, backup_record.h): none was set at the first run.
  Reading backup;
};

struct ShownSettings {
  std::vector<ShownSetting> settings;  // the nine, in the order of their panes
  // As the first-run block reads it: Done when the backup has been taken.
  FirstRunMarker firstRun;

  // The backup key holds a copy of at least one setting.
  bool AnyBackup() const;
};

ShownSettings ShowSettings(const store::Registry& registry);

}  // namespace quorvane::engine
