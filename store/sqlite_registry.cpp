#include "store/sqlite_registry.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "store/open_failure.h"
#include "store/registry_names.h"
#include "store/sqlite_connection.h"
#include "store/sqlite_status.h"
#include "store/sqlite_store_file.h"

namespace quorvane::store {
namespace {

using Detail = OpenFailure::Detail;

[[noreturn]] void Refuse(OpenFailure failure) { throw RegistryOpenError(std::move(failure)); }

}  // namespace

std::unique_ptr<SqliteRegistry> SqliteRegistry::Open(const std::string& given, OpenMode mode) {
  if (given.empty()) Refuse({kBadPathname, given, Detail::NoFileNamed});
  auto impl = std::make_unique<Impl>(AbsoluteStorePath(given), mode);
  const std::string& path = impl->path;
  OpenFailure failure;
  const Status status = impl->Attach(&failure);
  if (status == kNotFound && mode == OpenMode::ReadWrite && LookAt(path).kind ==
                                                                StoreFile::Kind::Missing) {
    // Made on the first write; only whether it can be made is seen to now.
    if (const int error = CheckCreatable(path); error != 0) {
      Refuse({StatusOfErrno(error), path, Detail::FolderNotCreatable, 0, 0, error});
    }
  } else if (status != kSuccess && status != kNotFound) {
    Refuse(std::move(failure));
  }
  return std::unique_ptr<SqliteRegistry>(new SqliteRegistry(std::move(impl)));
}

SqliteRegistry::SqliteRegistry(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SqliteRegistry::~SqliteRegistry() = default;

bool SqliteRegistry::ReadOnly() const {
  std::lock_guard lock(impl_->mutex);
  if (!impl_->db) return impl_->mode == OpenMode::ReadOnly;
  return impl_->refusedWrite != kSuccess;
}

std::optional<SqliteRegistry::NameCollision> SqliteRegistry::ConversionCollision() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->collision;
}

Status SqliteRegistry::OpenKey(RootKey root, const std::string& path, KeyHandle* key) {
  std::lock_guard lock(impl_->mutex);
  impl_->EndReading();
  if (key == nullptr) return kInvalidParameter;
  *key = kNoKey;
  if (root != RootKey::LocalMachine) return kInvalidHandle;
  std::vector<std::string_view> keys;
  if (const Status status = SplitPath(path, &keys); status != kSuccess) return status;

  impl_->FollowFormat();
  Status status = kSuccess;
  if (!impl_->db) {
    // Another program may have made the store since.
    OpenFailure ignored;
    if (status = impl_->Attach(&ignored); status != kSuccess) return status;
  }
  impl_->BeginRead();
  const auto id = impl_->FindKey(root, path, keys, false, &status);
  if (!id) {
    impl_->EndRead();
    return status;
  }
  impl_->EndReadUnlessKept();
  *key = impl_->Issue(*id);
  return kSuccess;
}

Status SqliteRegistry::CreateKey(RootKey root, const std::string& path, KeyHandle* key) {
  std::lock_guard lock(impl_->mutex);
  impl_->EndReading();
  if (key == nullptr) return kInvalidParameter;
  *key = kNoKey;
  if (root != RootKey::LocalMachine) return kInvalidHandle;
  std::vector<std::string_view> keys;
  if (const Status status = SplitPath(path, &keys); status != kSuccess) return status;

  impl_->FollowFormat();
  Status status = kSuccess;
  if (impl_->db) {
    // An existing key opens even where nothing can be written.
    impl_->BeginRead();
    if (const auto id = impl_->FindKey(root, path, keys, false, &status)) {
      impl_->EndReadUnlessKept();
      *key = impl_->Issue(*id);
      return kSuccess;
    }
    impl_->EndRead();
    if (status != kNotFound) return status;
  }
  if (status = impl_->PrepareWrite(); status != kSuccess) return status;

  // Within the caller's transaction the keys are kept or taken back with
  // its other changes; on its own the create is a transaction of its own.
  const bool own = !impl_->writing;
  if (own) {
    if (status = impl_->BeginWriting(); status != kSuccess) return status;
  }
  const auto id = impl_->FindKey(root, path, keys, true, &status);
  if (own) {
    if (const Status ended = impl_->EndWriting(id.has_value()); id && ended != kSuccess) {
      return ended;
    }
  }
  if (!id) return status;
  *key = impl_->Issue(*id);
  return kSuccess;
}

Status SqliteRegistry::QueryValue(KeyHandle key, const std::string& name, ValueType* type,
                                  std::uint8_t* data, std::uint32_t* size) {
  std::lock_guard lock(impl_->mutex);
  const Impl::FoundValue& earlier = impl_->found;
  const bool followsSizeQuery = earlier.valid;
  impl_->found.valid = false;
  // Whatever this call answers, the read it was part of ends with it.
  struct EndsRead {
    Impl& impl;
    ~EndsRead() { impl.EndRead(); }
  } endsRead{*impl_};
  if (data != nullptr && size == nullptr) return kInvalidParameter;
  if (const Status status = CheckValueName(name); status != kSuccess) return status;
  const auto id = impl_->KeyOf(key);
  if (!id) return kInvalidHandle;
  const std::string compared = impl_->ValueKey(name);

  const auto answer = [&](ValueType storedType, const void* bytes, std::uint32_t needed) {
    if (type != nullptr) *type = storedType;
    if (data == nullptr) {
      if (size != nullptr) *size = needed;
      return kSuccess;
    }
    if (*size < needed) {
      *size = needed;
      return kMoreData;
    }
    if (needed > 0) std::memcpy(data, bytes, needed);
    *size = needed;
    return kSuccess;
  };
  if (followsSizeQuery && data != nullptr && earlier.key == *id && earlier.name == compared) {
    return answer(earlier.type, earlier.data.data(),
                  static_cast<std::uint32_t>(earlier.data.size()));
  }

  Run run(impl_->statements->queryValue);
  run.Bind(1, *id).BindKept(2, compared);
  const int code = run.Step();
  if (code == SQLITE_DONE) return kNotFound;
  if (code != SQLITE_ROW) return StatusOf(impl_->db.get(), code);

  const auto storedType = static_cast<ValueType>(run.Number(0));
  const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(run.get(), 1));
  const auto needed = static_cast<std::uint32_t>(sqlite3_column_bytes(run.get(), 1));
  if (data == nullptr) {
    Impl::FoundValue& found = impl_->found;
    found.key = *id;
    found.name = compared;
    found.type = storedType;
    found.data.assign(bytes, bytes + needed);
    found.valid = true;
  }
  return answer(storedType, bytes, needed);
}

Status SqliteRegistry::SetValue(KeyHandle key, const std::string& name, ValueType type,
                                const std::uint8_t* data, std::uint32_t size) {
  std::lock_guard lock(impl_->mutex);
  impl_->EndReading();
  if (data == nullptr && size != 0) return kInvalidParameter;
  if (const Status status = CheckValueName(name); status != kSuccess) return status;
  if (!impl_->KeyOf(key)) return kInvalidHandle;
  if (const Status status = impl_->PrepareWrite(); status != kSuccess) return status;

  Run run(*impl_->statements->setValue);
  run.Bind(1, *impl_->KeyOf(key)).Bind(2, FoldedName(name)).Bind(3, name);
  run.Bind(4, static_cast<std::int64_t>(type)).BindBlob(5, data, size);
  return StatusOf(impl_->db.get(), run.Step());
}

Status SqliteRegistry::DeleteValue(KeyHandle key, const std::string& name) {
  std::lock_guard lock(impl_->mutex);
  impl_->EndReading();
  if (const Status status = CheckValueName(name); status != kSuccess) return status;
  if (!impl_->KeyOf(key)) return kInvalidHandle;
  if (const Status status = impl_->PrepareWrite(); status != kSuccess) return status;

  Run run(*impl_->statements->deleteValue);
  run.Bind(1, *impl_->KeyOf(key)).Bind(2, FoldedName(name));
  const int code = run.Step();
  if (code != SQLITE_DONE) return StatusOf(impl_->db.get(), code);
  return sqlite3_changes(impl_->db.get()) > 0 ? kSuccess : kNotFound;
}

Status SqliteRegistry::CloseKey(KeyHandle key) {
  std::lock_guard lock(impl_->mutex);
  impl_->EndReading();
  return impl_->open.erase(key) > 0 ? kSuccess : kInvalidHandle;
}

Status SqliteRegistry::BeginWrite() {
  std::lock_guard lock(impl_->mutex);
  impl_->EndReading();
  if (impl_->writing) return kInvalidParameter;  // they do not nest
  if (const Status status = impl_->PrepareWrite(); status != kSuccess) return status;
  return impl_->BeginWriting();
}

Status SqliteRegistry::EndWrite(bool keep) {
  std::lock_guard lock(impl_->mutex);
  impl_->EndReading();
  if (!impl_->writing) return kInvalidParameter;
  return impl_->EndWriting(keep);
}

Status SqliteRegistry::ListValues(KeyHandle key, std::vector<StoredValue>* values) {
  std::lock_guard lock(impl_->mutex);
  impl_->EndReading();
  if (values == nullptr) return kInvalidParameter;
  values->clear();
  const auto id = impl_->KeyOf(key);
  if (!id) return kInvalidHandle;

  Run run(impl_->statements->listValues);
  run.Bind(1, *id);
  int code;
  while ((code = run.Step()) == SQLITE_ROW) {
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(run.get(), 2));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(run.get(), 2));
    values->push_back({std::string(run.Text(0)), static_cast<ValueType>(run.Number(1)),
                       bytes != nullptr ? std::vector<std::uint8_t>(bytes, bytes + size)
                                        : std::vector<std::uint8_t>()});
  }
  return code == SQLITE_DONE ? kSuccess : StatusOf(impl_->db.get(), code);
}

Status SqliteRegistry::ListSubkeys(KeyHandle key, std::vector<std::string>* names) {
  std::lock_guard lock(impl_->mutex);
  impl_->EndReading();
  if (names == nullptr) return kInvalidParameter;
  names->clear();
  const auto id = impl_->KeyOf(key);
  if (!id) return kInvalidHandle;

  Run run(impl_->statements->listSubkeys);
  run.Bind(1, *id);
  int code;
  while ((code = run.Step()) == SQLITE_ROW) {
    const std::string_view path = run.Text(0);  // format 1 holds whole paths
    const std::string_view name = path.substr(path.rfind('\\') + 1);  // npos + 1 is 0
    // No key is named so; a caller walking the tree would meet its parent
    // again, without end.
    if (name.empty() || (impl_->format != 1 && name != path)) return kRegistryCorrupt;
    names->emplace_back(name);
  }
  return code == SQLITE_DONE ? kSuccess : StatusOf(impl_->db.get(), code);
}

// Whole subtrees and transactions, for tools that import or remove many
// values at once; the program itself never needs them.

Status SqliteRegistry::DeleteKey(RootKey root, const std::string& path) {
  KeyHandle key = kNoKey;
  if (const Status status = OpenKey(root, path, &key); status != kSuccess) return status;
  std::lock_guard lock(impl_->mutex);
  impl_->EndReading();  // the open's read, which a write cannot begin within
  std::vector<std::string_view> keys;
  const bool isRoot = SplitPath(path, &keys) != kSuccess || keys.empty();
  // An older store is brought to the current format first; its keys keep
  // their ids.
  const Status prepared = isRoot ? kAccessDenied : impl_->PrepareWrite();
  const std::int64_t id = *impl_->KeyOf(key);
  impl_->open.erase(key);
  if (prepared != kSuccess) return prepared;  // the root itself stays

  sqlite3* db = impl_->db.get();
  constexpr const char* kSubtree =
      "WITH RECURSIVE subtree (id) AS (SELECT ?1 UNION ALL SELECT registry_key.id FROM "
      "registry_key JOIN subtree ON registry_key.parent = subtree.id) ";
  const std::string listKeys = std::string(kSubtree) + "SELECT id FROM subtree";
  const std::string dropValues =
      std::string(kSubtree) + "DELETE FROM registry_value WHERE key IN subtree";
  const std::string dropKeys =
      std::string(kSubtree) + "DELETE FROM registry_key WHERE id IN subtree";
  // Within the caller's transaction the removal is kept or taken back with
  // its other changes; on its own it is a transaction of its own.
  const bool own = !impl_->writing;
  if (own) {
    if (const Status status = impl_->BeginWriting(); status != kSuccess) return status;
  }
  int code = SQLITE_OK;
  std::vector<std::int64_t> gone;
  for (const std::string* sql : {&listKeys, &dropValues, &dropKeys}) {
    Statement statement(db, sql->c_str());
    if (!statement.ok()) {
      code = statement.error();
      break;
    }
    Run run(statement);
    run.Bind(1, id);
    while ((code = run.Step()) == SQLITE_ROW) gone.push_back(run.Number(0));
    if (code != SQLITE_DONE) break;
    code = SQLITE_OK;
  }
  const Status status = code == SQLITE_OK ? kSuccess : StatusOf(db, code);
  if (own) {
    if (const Status ended = impl_->EndWriting(status == kSuccess); status == kSuccess) {
      if (ended != kSuccess) return ended;
    }
  }
  if (status != kSuccess) return status;
  // Handles to what is gone no longer name a key.
  std::erase_if(impl_->open, [&](const auto& entry) {
    return std::find(gone.begin(), gone.end(), entry.second) != gone.end();
  });
  return kSuccess;
}

SqliteRegistry::Transaction::Transaction(SqliteRegistry& store)
    : store_(store), status_(store.BeginWrite()) {}

SqliteRegistry::Transaction::~Transaction() {
  if (status_ != kSuccess || done_) return;
  (void)store_.EndWrite(false);
}

Status SqliteRegistry::Transaction::Commit() {
  if (status_ != kSuccess) return status_;
  if (done_) return kInvalidParameter;
  done_ = true;
  return store_.EndWrite(true);
}

}  // namespace quorvane::store
