// quorvane-reg's store everywhere but Windows: the portable registry, in the
// file that the environment names.
#include <iostream>
#include <string>

#include "store/sqlite_store_file.h"
#include "tools/reg_run.h"
#include "tools/reg_texts.h"
#include "tools/reg_transfer.h"
#include "tools/reg_value_text.h"

namespace quorvane::tools {
namespace {

// Names the two names that keep an older store from being converted, and
// the command that deletes the second, the way out.
void TellCollision(std::ostream& err, const store::SqliteRegistry::NameCollision& collision) {
  const std::string key = KeyShown(collision.key);
  err << text::kCollidingKeyBefore << key
      << (collision.values ? text::kCollidingValues : text::kCollidingSubkeys) << collision.first
      << text::kCollidingAnd << collision.second << text::kCollidingAfter << "\n"
      << text::kWayOutBefore
      << (collision.values ? key + text::kWayOutValue + collision.second
                           : key + "\\" + collision.second)
      << text::kWayOutAfter << "\n";
}

}  // namespace

store::Status OpenCommandStore(StoreUse use, std::unique_ptr<CommandStore>* store) {
  using Mode = store::SqliteRegistry::OpenMode;
  // Nothing to find in a store that does not exist yet, even where it
  // could not be made.
  const std::string path = ProgramStorePath();
  if (use == StoreUse::Existing && !path.empty() &&
      store::LookAt(path).kind == store::StoreFile::Kind::Missing) {
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
