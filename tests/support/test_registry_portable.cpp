// Natively every test gets a new portable registry in a folder of its own,
// removed with everything in it when the test ends.
#include <stdlib.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "store/sqlite_registry.h"
#include "tests/support/test_registry.h"

namespace quorvane::testing {

struct TestRegistry::Place {
  Place() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                          "/quorvane-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::filesystem::filesystem_error("cannot make a test folder", pattern,
                                              std::error_code(errno, std::generic_category()));
    }
    folder = pattern;
  }
  ~Place() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  std::string file() const { return folder + "/registry.sqlite3"; }

  std::string folder;
};

TestRegistry::TestRegistry()
    : place_(std::make_unique<Place>()),
      backend_(store::SqliteRegistry::Open(place_->file())),
      registry_(*backend_) {}

TestRegistry::~TestRegistry() = default;

}  // namespace quorvane::testing
