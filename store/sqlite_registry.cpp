#include "store/sqlite_registry.h"

#include <sqlite3.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <initializer_list>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "store/platform_registry.h"
#include "store/registry_names.h"
#include "store/sqlite_registry_format.h"
#include "store/sqlite_statement.h"
#include "store/sqlite_store_file.h"

namespace quorvane::store {
namespace {

// How long a writer waits for another process to finish before giving up.
constexpr int kBusyTimeoutMs = 10000;

// A status that the system's errno explains.
Status StatusOfErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return kAccessDenied;
    case EROFS:
      return kWriteProtected;
    case ENOSPC:
    case EDQUOT:
      return kDiskFull;
    case EISDIR:
    case ENOTDIR:
    case ENAMETOOLONG:
      return kBadPathname;
    default:
      return kWriteFault;
  }
}

// The status for an SQLite result code on db. The system's errno counts
// only for the codes that SQLite sets it for, never a stale one.
Status StatusOf(sqlite3* db, int code) {
  switch (code & 0xff) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
      return kSuccess;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return kInUse;
    case SQLITE_FULL:
      return kDiskFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return kRegistryCorrupt;
    case SQLITE_READONLY:
      return kWriteProtected;
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return kAccessDenied;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
      return db != nullptr && sqlite3_system_errno(db) != 0
                 ? StatusOfErrno(sqlite3_system_errno(db))
                 : kWriteFault;
    default:
      return kWriteFault;
  }
}

// The errno that explains a failure, when SQLite set one for it.
int SystemErrorOf(sqlite3* db, int code) {
  const int kind = code & 0xff;
  const bool counts = db != nullptr && (kind == SQLITE_IOERR || kind == SQLITE_CANTOPEN);
  return counts ? sqlite3_system_errno(db) : 0;
}

using Detail = OpenFailure::Detail;

[[noreturn]] void Refuse(OpenFailure failure) { throw RegistryOpenError(std::move(failure)); }

// Key paths and value names as the Windows registry takes them.

// The Win32 calls take C strings, which cannot hold a NUL; a name or path
// with one is refused rather than cut short, so that it never addresses
// another key or value than the one meant.
bool HoldsNul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

// A key path split into its keys below the root, each a view into path.
// Refuses a leading backslash or an empty component (kBadPathname), and a
// name or depth beyond Windows' limits (kInvalidParameter). A single
// trailing backslash is not significant; "" is the root itself.
Status SplitPath(const std::string& path, std::vector<std::string_view>* keys) {
  keys->clear();
  if (HoldsNul(path)) return kInvalidParameter;
  std::string_view rest = path;
  if (!rest.empty() && rest.front() == '\\') return kBadPathname;
  if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
  if (rest.empty()) return kSuccess;
  for (;;) {
    const std::size_t slash = rest.find('\\');
    const std::string_view key = rest.substr(0, slash);
    if (key.empty()) return kBadPathname;
    // No text has more UTF-16 units than bytes.
    if (key.size() > kMaxKeyNameLength && WindowsLength(key) > kMaxKeyNameLength) {
      return kInvalidParameter;
    }
    keys->push_back(key);
    if (keys->size() > kMaxKeyDepth) return kInvalidParameter;
    if (slash == std::string_view::npos) return kSuccess;
    rest.remove_prefix(slash + 1);
  }
}

Status CheckValueName(const std::string& name) {
  if (HoldsNul(name) ||
      (name.size() > kMaxValueNameLength && WindowsLength(name) > kMaxValueNameLength)) {
    return kInvalidParameter;
  }
  return kSuccess;
}

// Connections.

// Closes the connection unless it is handed on.
struct ConnectionCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

// Opens a connection to name, a file path (absolute, so never read as a
// URI) or, with SQLITE_OPEN_URI, a URI of our own making.
int Connect(const std::string& name, int flags, Connection* db) {
  sqlite3* raw = nullptr;
  const int code = sqlite3_open_v2(name.c_str(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  db->reset(raw);
  if (raw == nullptr) return SQLITE_NOMEM;
  sqlite3_extended_result_codes(raw, 1);
  sqlite3_busy_timeout(raw, kBusyTimeoutMs);
  return code;
}

// A URI that opens path as a file that does not change.
std::string ImmutableUri(const std::string& path) {
  std::string uri = "file:";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) || (c != '\0' && std::strchr("/._~-", c) != nullptr)) {
      uri += c;
    } else {
      static constexpr char kHex[] = "0123456789ABCDEF";
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 0xF];
    }
  }
  return uri + "?immutable=1";
}

// Runs a statement without parameters that returns one integer; *code gets
// the failure.
std::optional<std::int64_t> PragmaNumber(sqlite3* db, const char* sql, int* code) {
  Statement statement(db, sql);
  if (!statement.ok()) {
    *code = statement.error();
    return std::nullopt;
  }
  Run run(statement);
  *code = run.Step();
  if (*code != SQLITE_ROW) return std::nullopt;
  *code = SQLITE_OK;
  return run.Number(0);
}

// The statements of one connection: reading in the store's format, and
// writing once it is the current one.
struct Statements {
  Statements(sqlite3* db, std::int64_t format)
      : begin(db, "BEGIN"),
        commit(db, "COMMIT"),
        findRoot(db, ReadSql(format).findRoot),
        findChild(db, ReadSql(format).findChild),
        queryValue(db, ReadSql(format).queryValue),
        listValues(db, ReadSql(format).listValues),
        listSubkeys(db, ReadSql(format).listSubkeys) {
    if (format == kFormatVersion) {
      addKey = std::make_unique<Statement>(db, kAddKey);
      setValue = std::make_unique<Statement>(db, kSetValue);
      deleteValue = std::make_unique<Statement>(db, kDeleteValue);
    }
  }
  // SQLITE_OK, or why one could not be prepared.
  int error() const {
    for (const Statement* statement :
         std::initializer_list<const Statement*>{&begin, &commit, &findRoot, &findChild,
                                                 &queryValue, &listValues, &listSubkeys,
                                                 addKey.get(), setValue.get(), deleteValue.get()}) {
      if (statement != nullptr && !statement->ok()) return statement->error();
    }
    return SQLITE_OK;
  }
  Statement begin, commit;  // a read transaction
  Statement findRoot, findChild, queryValue, listValues, listSubkeys;
  std::unique_ptr<Statement> addKey, setValue, deleteValue;
};

}  // namespace

struct SqliteRegistry::Impl {
  Impl(std::string file, OpenMode openMode) : path(std::move(file)), mode(openMode) {}
  ~Impl() { EndRead(); }

  // Opens the store in the file, when there is one; kNotFound when the file
  // is missing or empty (nothing to read, and nothing made), otherwise the
  // status, with *failure saying why it cannot be used. Changes no file that
  // it refuses.
  Status Attach(OpenFailure* failure) {
    failure->path = path;
    const auto refused = [&](Status status, Detail detail, int systemError = 0) {
      failure->status = status;
      failure->detail = detail;
      failure->systemError = systemError;
      return status;
    };
    const auto failed = [&](sqlite3* db, int code) {
      return refused(StatusOf(db, code), Detail::None, SystemErrorOf(db, code));
    };
    const StoreFile look = LookAt(path);
    switch (look.kind) {
      case StoreFile::Kind::Missing:
      case StoreFile::Kind::Empty:
        return kNotFound;
      case StoreFile::Kind::Store:
        break;
      case StoreFile::Kind::NotAStore:
        return refused(kBadDatabase, Detail::NotOurs);
      case StoreFile::Kind::Folder:
        return refused(kBadPathname, Detail::Folder);
      case StoreFile::Kind::NotRegular:
        return refused(kBadDatabase, Detail::NotRegular);
      case StoreFile::Kind::Unreadable:
        return refused(StatusOfErrno(look.error), Detail::None, look.error);
    }
    const auto newer = [&](std::int64_t version) {
      failure->format = version;
      failure->readable = kFormatVersion;
      return refused(kBadDatabase, Detail::NewerFormat);
    };
    if (look.version > kFormatVersion) return newer(look.version);

    const bool hadChanges = HoldsUnmergedChanges(path);
    const Sidecars before = SidecarsOf(path);
    Status writes = mode == OpenMode::ReadOnly ? kWriteProtected : kSuccess;
    Connection connection;
    int code = Connect(path, mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY
                                                        : SQLITE_OPEN_READWRITE,
                       &connection);
    std::optional<std::int64_t> version;
    if (code == SQLITE_OK) version = PragmaNumber(connection.get(), "PRAGMA user_version", &code);
    if (!version) {
      // A creation cut short, which only a writer can roll back: nothing in
      // the file was ever committed.
      if (HoldsUnfinishedCreation(path)) return kNotFound;
      const Status why = StatusOf(connection.get(), code);
      if (why == kRegistryCorrupt || why == kInUse) return failed(connection.get(), code);
      // Reading in write-ahead logging needs a shared-memory file beside the
      // store, which cannot be made when its folder cannot be written or the
      // disk is full. Then the store is read as a file that nobody changes
      // meanwhile, as long as it holds every committed change itself.
      writes = why == kDiskFull || why == kAccessDenied ? why : kWriteProtected;
      connection.reset();
      RemoveUnfinishedSidecars(path, before);
      if (hadChanges) return refused(writes, Detail::ChangesBeside);
      code = Connect(ImmutableUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, &connection);
      if (code == SQLITE_OK) {
        version = PragmaNumber(connection.get(), "PRAGMA user_version", &code);
      }
      if (!version) return failed(connection.get(), code);
    }
    sqlite3* db = connection.get();
    // A refused store is left as it was: its "-wal" is not merged into it.
    const auto leaveAsItWas = [&](Status status) {
      if (hadChanges) sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
      return status;
    };
    // Rolling back a creation that was cut short leaves the file empty, as
    // before it: no store yet, and the first write makes it.
    if (PragmaNumber(db, "PRAGMA page_count", &code) == 0) return kNotFound;
    const auto application = PragmaNumber(db, "PRAGMA application_id", &code);
    if (!application) return leaveAsItWas(failed(db, code));
    if (*application != kApplicationId || *version < 1) {
      return leaveAsItWas(refused(kBadDatabase, Detail::NotOurs));
    }
    if (*version > kFormatVersion) return leaveAsItWas(newer(*version));
    auto prepared = std::make_unique<Statements>(db, *version);
    if (const int error = prepared->error(); error != SQLITE_OK) {
      return leaveAsItWas(failed(db, error));
    }
    // Every write is on disk before the call returns. In rollback mode EXTRA
    // also syncs the folder once the journal is deleted, so that a power cut
    // right after a write cannot bring the journal back and undo it.
    if (const int error = sqlite3_exec(db, "PRAGMA synchronous = EXTRA", nullptr, nullptr, nullptr);
        error != SQLITE_OK) {
      return leaveAsItWas(failed(db, error));
    }
    if (writes == kSuccess && sqlite3_db_readonly(db, "main") == 1) writes = kWriteProtected;
    bool wal = false;
    {
      Statement journal(db, "PRAGMA journal_mode");
      if (journal.ok()) {
        Run run(journal);
        wal = run.Step() == SQLITE_ROW && run.Text(0) == "wal";
      }
    }

    EndRead();
    statements.reset();
    this->db = std::move(connection);
    statements = std::move(prepared);
    format = *version;
    refusedWrite = writes;
    checked = false;
    keepsReading = wal;
    return kSuccess;
  }

  // Makes the store in a missing or empty file, which the caller is about to
  // write into, then opens it.
  Status Create() {
    if (mode == OpenMode::ReadOnly) return kWriteProtected;
    if (const int error = CreateStoreFile(path); error != 0) return StatusOfErrno(error);
    Connection connection;
    int code = Connect(path, SQLITE_OPEN_READWRITE, &connection);
    bool made = false;
    if (code == SQLITE_OK) code = InitialiseStore(connection.get(), &made);
    // A new store starts in write-ahead logging: readers and writers do not
    // block each other, and a read needs no file locks. The tables are
    // written first, so that the file itself says whose it is.
    if (code == SQLITE_OK && made) {
      sqlite3_exec(connection.get(), "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    }
    if (code != SQLITE_OK) return StatusOf(connection.get(), code);
    connection.reset();
    OpenFailure ignored;
    return Attach(&ignored);
  }

  // Makes the store ready for a write: made when missing, brought to the
  // current format when older. The failure that every write meets instead.
  Status PrepareWrite() {
    if (!db) {
      OpenFailure ignored;
      const Status status = Attach(&ignored);
      if (status != kNotFound) return status;
      if (const Status created = Create(); created != kSuccess) return created;
    }
    if (refusedWrite != kSuccess) return refusedWrite;
    // A damaged store is not written into: a write could make the damage
    // worse, and one that fails part way must change nothing. Looked at once
    // per connection, before its first write.
    if (!checked) {
      checked = true;
      if (!QuickCheckPasses()) refusedWrite = kRegistryCorrupt;
      if (refusedWrite != kSuccess) return refusedWrite;
    }
    if (format == kFormatVersion) return kSuccess;
    std::map<std::int64_t, std::int64_t> moved;
    EndRead();
    statements.reset();  // no statement of the old format runs meanwhile
    const int code = MigrateToCurrent(db.get(), &moved);
    for (auto& [handle, id] : open) {
      if (const auto found = moved.find(id); found != moved.end()) id = found->second;
    }
    int versionCode = SQLITE_OK;
    format = PragmaNumber(db.get(), "PRAGMA user_version", &versionCode).value_or(format);
    statements = std::make_unique<Statements>(db.get(), format);
    if (code != SQLITE_OK) return StatusOf(db.get(), code);
    if (statements->error() != SQLITE_OK) return StatusOf(db.get(), statements->error());
    return format == kFormatVersion ? kSuccess : kBadDatabase;
  }

  // True when SQLite finds the store's structure sound.
  bool QuickCheckPasses() {
    Statement check(db.get(), "PRAGMA quick_check(1)");
    if (!check.ok()) return false;
    Run run(check);
    return run.Step() == SQLITE_ROW && run.Text(0) == "ok";
  }

  // Follows a store of an older format that another program has brought to
  // the current one since: the statements of the old one no longer work.
  void FollowFormat() {
    if (!db || format == kFormatVersion) return;
    int code = SQLITE_OK;
    const auto version = PragmaNumber(db.get(), "PRAGMA user_version", &code);
    if (!version || *version == format || *version > kFormatVersion) return;
    EndRead();
    statements = std::make_unique<Statements>(db.get(), *version);
    format = *version;
  }

  // The id of the root's key, or nullopt with *status saying why not.
  std::optional<std::int64_t> FindRoot(RootKey root, Status* status) {
    Run run(statements->findRoot);
    run.Bind(1, static_cast<std::int64_t>(root));
    const int code = run.Step();
    if (code == SQLITE_ROW) return run.Number(0);
    *status = code == SQLITE_DONE ? kBadDatabase : StatusOf(db.get(), code);
    return std::nullopt;
  }

  // What findChild compares for the key keys[level] of path: its folded
  // name, or in format 1 the whole path down to it.
  std::string ChildKey(const std::string& path, const std::vector<std::string_view>& keys,
                       std::size_t level) const {
    if (format != 1) return FoldedName(keys[level]);
    const auto end = static_cast<std::size_t>(keys[level].data() - path.data()) +
                     keys[level].size();
    return path.substr(0, end);
  }

  // The id of the key at path, or nullopt: *status is kNotFound when it is
  // missing, otherwise why the lookup failed. With create, missing keys are
  // made, in the transaction the caller holds.
  std::optional<std::int64_t> FindKey(RootKey root, const std::string& path,
                                      const std::vector<std::string_view>& keys, bool create,
                                      Status* status) {
    auto id = FindRoot(root, status);
    for (std::size_t level = 0; id && level < keys.size(); ++level) {
      const std::string compared = ChildKey(path, keys, level);
      Run find(statements->findChild);
      find.Bind(1, *id).BindKept(2, compared);
      const int code = find.Step();
      if (code == SQLITE_ROW) {
        id = find.Number(0);
        continue;
      }
      if (code != SQLITE_DONE || !create) {
        *status = code == SQLITE_DONE ? kNotFound : StatusOf(db.get(), code);
        return std::nullopt;
      }
      Run add(*statements->addKey);
      add.Bind(1, *id).Bind(2, keys[level]).Bind(3, compared);
      if (const int added = add.Step(); added != SQLITE_DONE) {
        *status = StatusOf(db.get(), added);
        return std::nullopt;
      }
      id = sqlite3_last_insert_rowid(db.get());
    }
    return id;
  }

  // What the value's name is compared as.
  std::string ValueKey(const std::string& name) const {
    return format == 1 ? name : FoldedName(name);
  }

  // Reads made in one read transaction: the lookups of an OpenKey or a
  // CreateKey, and, in write-ahead logging, where an open read transaction
  // keeps no writer waiting, the call that follows it, which ends it. One
  // transaction's locks instead of one per statement; the call that follows
  // sees the store as it was when its key was opened.
  void BeginRead() {
    if (reading || writing || !statements) return;
    Run run(statements->begin);
    reading = run.Step() == SQLITE_DONE;
  }

  void EndRead() {
    if (!reading) return;
    reading = false;
    // A failed statement may have ended the transaction already.
    if (sqlite3_get_autocommit(db.get()) != 0) return;
    int code;
    {
      Run run(statements->commit);
      code = run.Step();
    }
    if (code != SQLITE_DONE) sqlite3_exec(db.get(), "ROLLBACK", nullptr, nullptr, nullptr);
  }

  // Ends the read transaction unless it is to last into the next call.
  void EndReadUnlessKept() {
    if (!keepsReading) EndRead();
  }

  // The row that a size query found, for the data query of the same value
  // that may follow at once: the pair answers from one look at the store,
  // as one read. Any call takes it away. Kept in one place, so that its
  // buffers are made once.
  struct FoundValue {
    bool valid = false;
    std::int64_t key = 0;
    std::string name;  // as compared
    ValueType type = kTypeNone;
    std::vector<std::uint8_t> data;
  };

  // What every call but QueryValue does first.
  void EndReading() {
    found.valid = false;
    EndRead();
  }

  KeyHandle Issue(std::int64_t id) {
    const KeyHandle handle = nextHandle++;
    open.emplace(handle, id);
    return handle;
  }

  std::optional<std::int64_t> KeyOf(KeyHandle handle) const {
    const auto found = open.find(handle);
    if (found == open.end()) return std::nullopt;
    return found->second;
  }

  const std::string path;
  const OpenMode mode;
  std::mutex mutex;
  Connection db;  // none while the file is missing or empty
  std::unique_ptr<Statements> statements;
  std::int64_t format = 0;
  Status refusedWrite = kSuccess;  // what every write answers, when not kSuccess
  bool keepsReading = false;       // the store is in write-ahead logging
  bool reading = false;            // a read transaction is open
  bool writing = false;            // BeginWrite's transaction is open
  bool checked = false;            // the connection's store was checked for damage
  FoundValue found;
  std::map<KeyHandle, std::int64_t> open;  // handle -> key id
  KeyHandle nextHandle = 0x100;
};

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

  sqlite3* db = impl_->db.get();
  if (impl_->writing) {
    // Part of the caller's transaction, which is kept or taken back whole.
    const auto id = impl_->FindKey(root, path, keys, true, &status);
    if (!id) return status;
    *key = impl_->Issue(*id);
    return kSuccess;
  }
  if (const int code = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
      code != SQLITE_OK) {
    return StatusOf(db, code);
  }
  const auto id = impl_->FindKey(root, path, keys, true, &status);
  if (id) {
    if (const int code = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        code != SQLITE_OK) {
      status = StatusOf(db, code);
    }
  }
  if (!id || status != kSuccess) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return status;
  }
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
  sqlite3* db = impl_->db.get();
  if (const int code = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
      code != SQLITE_OK) {
    return StatusOf(db, code);
  }
  impl_->writing = true;
  return kSuccess;
}

Status SqliteRegistry::EndWrite(bool keep) {
  std::lock_guard lock(impl_->mutex);
  impl_->EndReading();
  if (!impl_->writing) return kInvalidParameter;
  impl_->writing = false;
  sqlite3* db = impl_->db.get();
  // A statement that failed may have ended the transaction already.
  if (sqlite3_get_autocommit(db) != 0) return keep ? kWriteFault : kSuccess;
  if (keep) {
    if (const int code = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        code == SQLITE_OK) {
      return kSuccess;
    } else {
      const Status status = StatusOf(db, code);
      sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
      return status;
    }
  }
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  return kSuccess;
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
    names->emplace_back(path.substr(path.rfind('\\') + 1));  // npos + 1 is 0
  }
  return code == SQLITE_DONE ? kSuccess : StatusOf(impl_->db.get(), code);
}

}  // namespace quorvane::store
