#include "store/sqlite_registry.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <optional>
#include <string_view>

#include "store/platform_registry.h"
#include "store/portable_registry_path.h"

namespace quorvane::store {
namespace {

// What identifies a store of ours: the application id in the SQLite header
// ("QvRg"), and the format version in user_version. A store of a higher
// version is refused rather than misread or overwritten.
constexpr std::int32_t kApplicationId = 0x51765267;
constexpr int kFormatVersion = 1;

// How long a writer waits for another process to finish before giving up.
constexpr int kBusyTimeoutMs = 10000;

constexpr Status kBadPathname = 161;  // ERROR_BAD_PATHNAME

// Names compare as the registry compares them: NOCASE folds the ASCII
// letters. A key's path is the whole path below its root, its components
// joined by single backslashes, "" being the root itself.
constexpr const char* kSchema = R"sql(
CREATE TABLE registry_key (
  id     INTEGER PRIMARY KEY,
  root   INTEGER NOT NULL,
  parent INTEGER REFERENCES registry_key (id),
  path   TEXT NOT NULL COLLATE NOCASE,
  UNIQUE (root, path)
);
CREATE INDEX registry_key_parent ON registry_key (parent);
CREATE TABLE registry_value (
  key  INTEGER NOT NULL REFERENCES registry_key (id),
  name TEXT NOT NULL COLLATE NOCASE,
  type INTEGER NOT NULL,
  data BLOB NOT NULL,
  PRIMARY KEY (key, name)
) WITHOUT ROWID;
)sql";

constexpr const char* kFindKey = "SELECT id FROM registry_key WHERE root = ?1 AND path = ?2";
constexpr const char* kAddKey = "INSERT INTO registry_key (root, parent, path) VALUES (?1, ?2, ?3)";
constexpr const char* kQueryValue =
    "SELECT type, data FROM registry_value WHERE key = ?1 AND name = ?2";
// An existing value keeps the spelling of its name, as in the registry.
constexpr const char* kSetValue =
    "INSERT INTO registry_value (key, name, type, data) VALUES (?1, ?2, ?3, ?4) "
    "ON CONFLICT (key, name) DO UPDATE SET type = excluded.type, data = excluded.data";
constexpr const char* kDeleteValue = "DELETE FROM registry_value WHERE key = ?1 AND name = ?2";
constexpr const char* kListValues =
    "SELECT name, type, data FROM registry_value WHERE key = ?1 ORDER BY name";
constexpr const char* kListSubkeys =
    "SELECT path FROM registry_key WHERE parent = ?1 ORDER BY path";

// The roots a store holds; each has a key row with the empty path.
constexpr RootKey kRoots[] = {RootKey::LocalMachine};

bool IsRoot(RootKey root) {
  for (RootKey known : kRoots) {
    if (known == root) return true;
  }
  return false;
}

// The Win32 calls take C strings, which cannot hold a NUL; a name or path
// with one is refused rather than cut short, so that it never addresses
// another key or value than the one meant.
bool HoldsNul(const std::string& text) { return text.find('\0') != std::string::npos; }

// The stored form of a key path, or nullopt for a path that the registry
// refuses: one with a leading backslash or an empty component. A single
// trailing backslash is not significant.
std::optional<std::string_view> StoredPath(const std::string& given) {
  std::string_view path = given;
  if (!path.empty() && path.front() == '\\') return std::nullopt;
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (path.find("\\\\") != std::string_view::npos) return std::nullopt;
  if (!path.empty() && path.back() == '\\') return std::nullopt;
  return path;
}

Status StatusOf(int sqliteCode) {
  switch (sqliteCode & 0xff) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
      return kSuccess;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return kAccessDenied;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return kBadDatabase;
    default:
      return kWriteFault;
  }
}

// One prepared statement, kept for the life of the connection.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr) !=
        SQLITE_OK) {
      statement_ = nullptr;
    }
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return statement_ != nullptr; }
  sqlite3_stmt* get() const { return statement_; }

 private:
  sqlite3_stmt* statement_ = nullptr;
};

// One run of a statement: bind, step, and reset on the way out, so that the
// statement never holds a lock between calls.
class Run {
 public:
  explicit Run(const Statement& statement) : statement_(statement.get()) {}
  ~Run() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  Run& Bind(int index, std::int64_t number) {
    sqlite3_bind_int64(statement_, index, number);
    return *this;
  }
  Run& Bind(int index, std::string_view text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
    return *this;
  }
  Run& BindBlob(int index, const std::uint8_t* data, std::uint32_t size) {
    // A NULL pointer would bind SQL NULL; an empty value is an empty blob.
    if (size == 0) {
      sqlite3_bind_zeroblob(statement_, index, 0);
    } else {
      sqlite3_bind_blob64(statement_, index, data, size, SQLITE_TRANSIENT);
    }
    return *this;
  }
  int Step() { return sqlite3_step(statement_); }
  sqlite3_stmt* get() const { return statement_; }

 private:
  sqlite3_stmt* statement_;
};

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

[[noreturn]] void Refuse(const std::string& path, const std::string& reason) {
  throw RegistryOpenError("The registry " + Quoted(path) + " cannot be opened: " + reason + ".");
}

// Closes the connection unless it is handed on.
struct ConnectionCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

std::string Reason(sqlite3* db) {
  const int error = sqlite3_system_errno(db);
  if (error != 0) return std::strerror(error);
  return sqlite3_errmsg(db);
}

// Opens a connection to name (a path, or a URI with SQLITE_OPEN_URI) for the
// store at path.
Connection Connect(const std::string& path, const std::string& name, int flags) {
  sqlite3* raw = nullptr;
  const int opened = sqlite3_open_v2(name.c_str(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  Connection db(raw);
  if (opened != SQLITE_OK) Refuse(path, db ? Reason(db.get()) : "out of memory");
  sqlite3_extended_result_codes(db.get(), 1);
  sqlite3_busy_timeout(db.get(), kBusyTimeoutMs);
  return db;
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

// Runs a statement without parameters that returns one integer.
std::optional<std::int64_t> PragmaNumber(sqlite3* db, const char* sql) {
  Statement statement(db, sql);
  if (!statement.ok()) return std::nullopt;
  Run run(statement);
  if (run.Step() != SQLITE_ROW) return std::nullopt;
  return sqlite3_column_int64(run.get(), 0);
}

bool Execute(sqlite3* db, const char* sql) {
  return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Creates the file with mode 0600 when it does not exist yet; an existing
// file is not touched. SQLite itself would create it with 0644.
void CreateFileIfMissing(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0) {
    if (const int error = CreatePrivateFolders(path.substr(0, slash)); error != 0) {
      Refuse(path, "its folder cannot be created (" + std::string(std::strerror(error)) + ")");
    }
  }
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) {
    close(fd);
  } else if (errno != EEXIST) {
    Refuse(path, "the file cannot be created (" + std::string(std::strerror(errno)) + ")");
  }
}

// Writes the tables and the identification into an empty file. Another
// process may be doing the same: the write lock makes one of them win, and
// the other finds the work done.
void Initialise(sqlite3* db, const std::string& path) {
  if (!Execute(db, "BEGIN IMMEDIATE")) Refuse(path, Reason(db));
  // Within the write transaction an empty file already counts one page, so
  // look for tables instead.
  bool done = PragmaNumber(db, "SELECT count(*) FROM sqlite_schema").value_or(0) > 0;
  if (!done) {
    // PRAGMA takes no bound parameters; these are the store's own constants.
    done = Execute(db, kSchema) &&
           Execute(db, ("PRAGMA application_id = " + std::to_string(kApplicationId)).c_str()) &&
           Execute(db, ("PRAGMA user_version = " + std::to_string(kFormatVersion)).c_str());
    Statement addRoot(db, "INSERT INTO registry_key (root, parent, path) VALUES (?1, NULL, '')");
    for (RootKey root : kRoots) {
      done = done && addRoot.ok() &&
             Run(addRoot).Bind(1, static_cast<std::int64_t>(root)).Step() == SQLITE_DONE;
    }
  }
  if (!done || !Execute(db, "COMMIT")) {
    const std::string reason = Reason(db);
    Execute(db, "ROLLBACK");
    Refuse(path, "it cannot be set up (" + reason + ")");
  }
}

// Refuses a file that is not a store of ours, or of a newer format.
void CheckIdentity(sqlite3* db, const std::string& path) {
  const auto application = PragmaNumber(db, "PRAGMA application_id");
  const auto version = PragmaNumber(db, "PRAGMA user_version");
  if (!application || !version) {
    if ((sqlite3_errcode(db) & 0xff) == SQLITE_NOTADB) Refuse(path, "it is not a Quorvane registry");
    Refuse(path, Reason(db));
  }
  if (*application != kApplicationId || *version < 1) {
    Refuse(path, "it is not a Quorvane registry");
  }
  if (*version > kFormatVersion) {
    Refuse(path, "it was written by a newer version of Quorvane (format " +
                     std::to_string(*version) + "; this version reads format " +
                     std::to_string(kFormatVersion) + ")");
  }
}

}  // namespace

struct SqliteRegistry::Impl {
  explicit Impl(Connection connection)
      : db(std::move(connection)),
        findKey(db.get(), kFindKey),
        addKey(db.get(), kAddKey),
        queryValue(db.get(), kQueryValue),
        setValue(db.get(), kSetValue),
        deleteValue(db.get(), kDeleteValue),
        listValues(db.get(), kListValues),
        listSubkeys(db.get(), kListSubkeys) {}

  bool ok() const {
    return findKey.ok() && addKey.ok() && queryValue.ok() && setValue.ok() && deleteValue.ok() &&
           listValues.ok() && listSubkeys.ok();
  }

  // The id of the key at path below root, or nullopt when there is none.
  // Sets *status to the failure when the lookup itself fails.
  std::optional<std::int64_t> FindKey(RootKey root, std::string_view path, Status* status) {
    Run run(findKey);
    run.Bind(1, static_cast<std::int64_t>(root)).Bind(2, path);
    const int code = run.Step();
    if (code == SQLITE_ROW) return sqlite3_column_int64(run.get(), 0);
    if (code != SQLITE_DONE) *status = StatusOf(code);
    return std::nullopt;
  }

  // Creates the missing keys along path, parents first, in the transaction
  // the caller holds.
  Status AddKeys(RootKey root, std::string_view path, std::int64_t* id) {
    Status status = kSuccess;
    const auto rootId = FindKey(root, "", &status);
    if (!rootId) return status == kSuccess ? kBadDatabase : status;
    std::int64_t parent = *rootId;
    for (std::size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
      const std::string_view prefix = path.substr(0, end);
      if (const auto existing = FindKey(root, prefix, &status)) {
        parent = *existing;
      } else if (status != kSuccess) {
        return status;
      } else {
        Run run(addKey);
        run.Bind(1, static_cast<std::int64_t>(root)).Bind(2, parent).Bind(3, prefix);
        if (const int code = run.Step(); code != SQLITE_DONE) return StatusOf(code);
        parent = sqlite3_last_insert_rowid(db.get());
      }
      if (end == std::string_view::npos) break;
    }
    *id = parent;
    return kSuccess;
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

  std::mutex mutex;
  Connection db;
  Statement findKey, addKey, queryValue, setValue, deleteValue, listValues, listSubkeys;
  std::map<KeyHandle, std::int64_t> open;  // handle -> key id
  KeyHandle nextHandle = 0x100;
};

std::unique_ptr<SqliteRegistry> SqliteRegistry::Open(const std::string& path, OpenMode mode) {
  if (path.empty()) Refuse(path, "no file is named");
  if (mode == OpenMode::ReadWrite) CreateFileIfMissing(path);

  Connection db = Connect(
      path, path, mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
  auto pages = PragmaNumber(db.get(), "PRAGMA page_count");
  const int failure = sqlite3_errcode(db.get()) & 0xff;
  if (!pages && sqlite3_db_readonly(db.get(), "main") == 1 &&
      (failure == SQLITE_READONLY || failure == SQLITE_CANTOPEN)) {
    // A store in write-ahead logging whose folder cannot be written either:
    // without the shared-memory file that SQLite cannot make there, it can
    // only be read as a file that nobody changes meanwhile.
    db = Connect(path, ImmutableUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
    pages = PragmaNumber(db.get(), "PRAGMA page_count");
  }
  if (!pages) {
    if ((sqlite3_errcode(db.get()) & 0xff) == SQLITE_NOTADB) {
      Refuse(path, "it is not a Quorvane registry");
    }
    Refuse(path, Reason(db.get()));
  }
  // Only an empty file becomes a new store; anything with content must
  // already be one.
  if (*pages == 0) {
    if (sqlite3_db_readonly(db.get(), "main") == 1) {
      Refuse(path, "it is empty and cannot be written");
    }
    Initialise(db.get(), path);
  }
  CheckIdentity(db.get(), path);
  // Every write is on disk before the call returns. In rollback mode EXTRA
  // also syncs the folder once the journal is deleted, so that a power cut
  // right after a write cannot bring the journal back and undo it.
  if (!Execute(db.get(), "PRAGMA synchronous = EXTRA")) Refuse(path, Reason(db.get()));
  // In write-ahead logging readers and writers do not block each other, and
  // a read needs no file locks, which makes reads several times faster. A
  // store that stays in rollback mode (one that cannot be written, or one
  // that another process holds just now) works the same, only slower.
  if (sqlite3_db_readonly(db.get(), "main") == 0) Execute(db.get(), "PRAGMA journal_mode = WAL");

  auto impl = std::make_unique<Impl>(std::move(db));
  if (!impl->ok()) Refuse(path, "its tables are damaged (" + Reason(impl->db.get()) + ")");
  return std::unique_ptr<SqliteRegistry>(new SqliteRegistry(std::move(impl)));
}

SqliteRegistry::SqliteRegistry(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SqliteRegistry::~SqliteRegistry() = default;

bool SqliteRegistry::ReadOnly() const {
  return sqlite3_db_readonly(impl_->db.get(), "main") == 1;
}

Status SqliteRegistry::OpenKey(RootKey root, const std::string& path, KeyHandle* key) {
  if (key == nullptr) return kInvalidParameter;
  *key = kNoKey;
  if (!IsRoot(root)) return kInvalidHandle;
  if (HoldsNul(path)) return kInvalidParameter;
  const auto stored = StoredPath(path);
  if (!stored) return kBadPathname;

  std::lock_guard lock(impl_->mutex);
  Status status = kSuccess;
  const auto id = impl_->FindKey(root, *stored, &status);
  if (!id) return status == kSuccess ? kNotFound : status;
  *key = impl_->Issue(*id);
  return kSuccess;
}

Status SqliteRegistry::CreateKey(RootKey root, const std::string& path, KeyHandle* key) {
  if (key == nullptr) return kInvalidParameter;
  *key = kNoKey;
  if (!IsRoot(root)) return kInvalidHandle;
  if (HoldsNul(path)) return kInvalidParameter;
  const auto stored = StoredPath(path);
  if (!stored) return kBadPathname;

  std::lock_guard lock(impl_->mutex);
  Status status = kSuccess;
  if (const auto id = impl_->FindKey(root, *stored, &status)) {
    *key = impl_->Issue(*id);
    return kSuccess;
  }
  if (status != kSuccess) return status;

  sqlite3* db = impl_->db.get();
  if (const int code = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
      code != SQLITE_OK) {
    return StatusOf(code);
  }
  std::int64_t id = 0;
  status = impl_->AddKeys(root, *stored, &id);
  if (status == kSuccess) {
    if (const int code = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        code != SQLITE_OK) {
      status = StatusOf(code);
    }
  }
  if (status != kSuccess) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return status;
  }
  *key = impl_->Issue(id);
  return kSuccess;
}

Status SqliteRegistry::QueryValue(KeyHandle key, const std::string& name, ValueType* type,
                                  std::uint8_t* data, std::uint32_t* size) {
  if (data != nullptr && size == nullptr) return kInvalidParameter;
  if (HoldsNul(name)) return kInvalidParameter;
  std::lock_guard lock(impl_->mutex);
  const auto id = impl_->KeyOf(key);
  if (!id) return kInvalidHandle;

  Run run(impl_->queryValue);
  run.Bind(1, *id).Bind(2, name);
  const int code = run.Step();
  if (code == SQLITE_DONE) return kNotFound;
  if (code != SQLITE_ROW) return StatusOf(code);

  const auto storedType = static_cast<ValueType>(sqlite3_column_int64(run.get(), 0));
  const void* bytes = sqlite3_column_blob(run.get(), 1);
  const auto needed = static_cast<std::uint32_t>(sqlite3_column_bytes(run.get(), 1));
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
}

Status SqliteRegistry::SetValue(KeyHandle key, const std::string& name, ValueType type,
                                const std::uint8_t* data, std::uint32_t size) {
  if (data == nullptr && size != 0) return kInvalidParameter;
  if (HoldsNul(name)) return kInvalidParameter;
  std::lock_guard lock(impl_->mutex);
  const auto id = impl_->KeyOf(key);
  if (!id) return kInvalidHandle;

  Run run(impl_->setValue);
  run.Bind(1, *id).Bind(2, name).Bind(3, static_cast<std::int64_t>(type));
  run.BindBlob(4, data, size);
  return StatusOf(run.Step());
}

Status SqliteRegistry::DeleteValue(KeyHandle key, const std::string& name) {
  if (HoldsNul(name)) return kInvalidParameter;
  std::lock_guard lock(impl_->mutex);
  const auto id = impl_->KeyOf(key);
  if (!id) return kInvalidHandle;

  Run run(impl_->deleteValue);
  run.Bind(1, *id).Bind(2, name);
  const int code = run.Step();
  if (code != SQLITE_DONE) return StatusOf(code);
  return sqlite3_changes(impl_->db.get()) > 0 ? kSuccess : kNotFound;
}

Status SqliteRegistry::CloseKey(KeyHandle key) {
  std::lock_guard lock(impl_->mutex);
  return impl_->open.erase(key) > 0 ? kSuccess : kInvalidHandle;
}

Status SqliteRegistry::ListValues(KeyHandle key, std::vector<StoredValue>* values) {
  if (values == nullptr) return kInvalidParameter;
  values->clear();
  std::lock_guard lock(impl_->mutex);
  const auto id = impl_->KeyOf(key);
  if (!id) return kInvalidHandle;

  Run run(impl_->listValues);
  run.Bind(1, *id);
  int code;
  while ((code = run.Step()) == SQLITE_ROW) {
    const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(run.get(), 0));
    const auto nameSize = static_cast<std::size_t>(sqlite3_column_bytes(run.get(), 0));
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(run.get(), 2));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(run.get(), 2));
    values->push_back({std::string(name != nullptr ? name : "", nameSize),
                       static_cast<ValueType>(sqlite3_column_int64(run.get(), 1)),
                       bytes != nullptr ? std::vector<std::uint8_t>(bytes, bytes + size)
                                        : std::vector<std::uint8_t>()});
  }
  return code == SQLITE_DONE ? kSuccess : StatusOf(code);
}

Status SqliteRegistry::ListSubkeys(KeyHandle key, std::vector<std::string>* names) {
  if (names == nullptr) return kInvalidParameter;
  names->clear();
  std::lock_guard lock(impl_->mutex);
  const auto id = impl_->KeyOf(key);
  if (!id) return kInvalidHandle;

  Run run(impl_->listSubkeys);
  run.Bind(1, *id);
  int code;
  while ((code = run.Step()) == SQLITE_ROW) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(run.get(), 0));
    const std::string_view path(text != nullptr ? text : "",
                                static_cast<std::size_t>(sqlite3_column_bytes(run.get(), 0)));
    const std::size_t slash = path.rfind('\\');
    names->emplace_back(slash == std::string_view::npos ? path : path.substr(slash + 1));
  }
  return code == SQLITE_DONE ? kSuccess : StatusOf(code);
}

}  // namespace quorvane::store
