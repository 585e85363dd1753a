// Everywhere but Windows the program runs on the portable registry, in the
// file that the environment names (see portable_registry_path.h).
#include <memory>

#include "store/platform_registry.h"
#include "store/portable_registry_path.h"
#include "store/sqlite_registry.h"

namespace quorvane::store {

std::unique_ptr<SqliteRegistry> OpenDefaultSqliteRegistry(SqliteRegistry::OpenMode mode) {
  const auto path = PortableRegistryPath(CurrentRegistryEnvironment());
  if (!path) {
    throw RegistryOpenError(
        "The registry cannot be opened: there is no home folder to keep it in. Set "
        "QUORVANE_REGISTRY to the file to use.");
  }
  return SqliteRegistry::Open(*path, mode);
}

std::unique_ptr<RegistryBackend> OpenPlatformRegistry() { return OpenDefaultSqliteRegistry(); }

}  // namespace quorvane::store
