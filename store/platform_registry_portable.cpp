// Everywhere but Windows the program runs on the portable registry, in the
// file that the environment names (see portable_registry_path.h).
#include <memory>
#include <utility>

#include "store/platform_registry.h"
#include "store/portable_registry_path.h"
#include "store/sqlite_registry.h"

namespace quorvane::store {

std::unique_ptr<SqliteRegistry> OpenDefaultSqliteRegistry(SqliteRegistry::OpenMode mode) {
  const auto path = PortableRegistryPath(CurrentRegistryEnvironment());
  if (!path) {
    OpenFailure failure;
    failure.status = kBadPathname;
    failure.detail = OpenFailure::Detail::NoHomeFolder;
    throw RegistryOpenError(std::move(failure));
  }
  return SqliteRegistry::Open(*path, mode);
}

std::unique_ptr<RegistryBackend> OpenPlatformRegistry() { return OpenDefaultSqliteRegistry(); }

}  // namespace quorvane::store
