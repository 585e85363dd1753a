// Natively every test gets a new portable registry in a folder of its own,
// removed with everything in it when the test ends.
#include "store/sqlite_registry.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_registry.h"

namespace quorvane::testing {

struct TestRegistry::Place {
  TempFolder folder;
};

TestRegistry::TestRegistry()
    : place_(std::make_unique<Place>()),
      backend_(store::SqliteRegistry::Open(place_->folder / "registry.sqlite3")),
      registry_(*backend_) {}

TestRegistry::~TestRegistry() = default;

}  // namespace quorvane::testing
