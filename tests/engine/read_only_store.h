// A portable registry that can only be read: every write and removal fails
// as it does for a user without rights to HKEY_LOCAL_MACHINE. Native builds
// only; under Wine the recorder's refusals stand in for it.
#pragma once

#ifndef _WIN32

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "store/registry.h"
#include "store/sqlite_registry.h"

namespace quorvane::testing {

class ReadOnlyStore {
 public:
  // seed fills the store while it can still be written.
  explicit ReadOnlyStore(const std::function<void(const store::Registry&)>& seed = {}) {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-ro-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "no temporary folder";
    folder_ = pattern;
    const std::string file = folder_ + "/registry.sqlite3";
    {
      auto writable = store::SqliteRegistry::Open(file);
      if (seed) seed(store::Registry(*writable));
    }
    backend_ = store::SqliteRegistry::Open(file, store::SqliteRegistry::OpenMode::ReadOnly);
    registry_.emplace(*backend_);
  }
  ~ReadOnlyStore() {
    registry_.reset();
    backend_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  ReadOnlyStore(const ReadOnlyStore&) = delete;
  ReadOnlyStore& operator=(const ReadOnlyStore&) = delete;

  const store::Registry& registry() const { return *registry_; }

 private:
  std::string folder_;
  std::unique_ptr<store::SqliteRegistry> backend_;
  std::optional<store::Registry> registry_;
};

}  // namespace quorvane::testing

#endif  // _WIN32
