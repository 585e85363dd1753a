// Portable registries that cannot be written now: one that can only be
// read, where every write and removal fails as it does for a user without
// rights to HKEY_LOCAL_MACHINE, and one that another program holds for a
// write of its own. Native builds only; under Wine the recorder's refusals
// stand in for them.
#pragma once

#ifndef _WIN32

#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>

#include "store/catalogue.h"
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

// While it lives, another connection holds the store's write lock, as
// another program in the middle of its write would: each write waits its
// time, then fails as in use. Reads go on.
class LockedStore {
 public:
  LockedStore() {
    const std::string file = folder_ / "registry.sqlite3";
    backend_ = store::SqliteRegistry::Open(file);
    registry_.emplace(*backend_);
    if (!registry_->WriteText(store::kRoot, "Software", "made", "1")) std::abort();  // makes the file
    holder_ = store::SqliteRegistry::Open(file);
    if (holder_->BeginWrite() != store::kSuccess) std::abort();
  }
  ~LockedStore() { static_cast<void>(holder_->EndWrite(false)); }

  const store::Registry& registry() const { return *registry_; }

 private:
  TempFolder folder_;  // removed last
  std::unique_ptr<store::SqliteRegistry> backend_, holder_;
  std::optional<store::Registry> registry_;
};

}  // namespace quorvane::testing

#endif  // _WIN32
