// A portable registry that can only be read: every write and removal fails
// as it does for a user without rights to HKEY_LOCAL_MACHINE. Native builds
// only; under Wine the recorder's refusals stand in for it.
#pragma once

#ifndef _WIN32

#include <functional>
#include <memory>
#include <optional>

#include "store/registry.h"
#include "store/sqlite_registry.h"
#include "tests/support/temp_folder.h"

namespace quorvane::testing {

class ReadOnlyStore {
 public:
  // seed fills the store while it can still be written.
  explicit ReadOnlyStore(const std::function<void(const store::Registry&)>& seed = {}) {
    const std::string file = folder_ / "registry.sqlite3";
    {
      auto writable = store::SqliteRegistry::Open(file);  // makes the file
      if (seed) seed(store::Registry(*writable));
    }
    backend_ = store::SqliteRegistry::Open(file, store::SqliteRegistry::OpenMode::ReadOnly);
    registry_.emplace(*backend_);
  }

  const store::Registry& registry() const { return *registry_; }

 private:
  TempFolder folder_;  // removed last
  std::unique_ptr<store::SqliteRegistry> backend_;
  std::optional<store::Registry> registry_;
};

}  // namespace quorvane::testing

#endif  // _WIN32
