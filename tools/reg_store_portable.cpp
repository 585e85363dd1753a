// quorvane-reg's store everywhere but Windows: the portable registry, in the
// file that the environment names.
#include <iostream>

#include "store/portable_registry_path.h"
#include "store/sqlite_store_file.h"
#include "tools/reg_run.h"
#include "tools/reg_transfer.h"

namespace quorvane::tools {

store::Status OpenCommandStore(StoreUse use, std::unique_ptr<CommandStore>* store) {
  using Mode = store::SqliteRegistry::OpenMode;
  // Nothing to find in a store that does not exist yet, even where it
  // could not be made.
  const auto path = store::PortableRegistryPath(store::CurrentRegistryEnvironment());
  if (use == StoreUse::Existing && path &&
      store::LookAt(store::AbsoluteStorePath(*path)).kind == store::StoreFile::Kind::Missing) {
    return store::kNotFound;
  }
  *store = store::OpenDefaultSqliteRegistry(use == StoreUse::Read ? Mode::ReadOnly
                                                                  : Mode::ReadWrite);
  return store::kSuccess;
}

// Which names keep an older store from being written, after the failure
// that says so.
void ExplainFailure(const CommandStore& store, std::ostream& err) {
  if (const auto collision = store.ConversionCollision()) TellCollision(err, *collision);
}

}  // namespace quorvane::tools
