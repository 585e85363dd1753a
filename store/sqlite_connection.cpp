#include "store/sqlite_connection.h"

#include <cctype>
#include <cstring>

#include "store/registry_names.h"
#include "store/sqlite_status.h"
#include "store/sqlite_store_file.h"

namespace quorvane::store {

using Detail = OpenFailure::Detail;

int Connect(const std::string& name, int flags, Connection* db) {
  sqlite3* raw = nullptr;
  const int code = sqlite3_open_v2(name.c_str(), &raw, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  db->reset(raw);
  if (raw == nullptr) return SQLITE_NOMEM;
  sqlite3_extended_result_codes(raw, 1);
  sqlite3_busy_timeout(raw, kBusyTimeoutMs);
  return code;
}

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

Status SqliteRegistry::Impl::Attach(OpenFailure* failure) {
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
  const bool mayWrite = MayWrite(path);
  if (mayWrite && mode == OpenMode::ReadWrite) MendCompanions(path);
  // Reading in write-ahead logging needs the "-wal" and "-shm" files beside
  // the store, which SQLite makes, with the store's mode, where they are
  // missing. One made by a process that may not write the store (with the
  // mode of a store that can only be read, or of a user who may only read
  // it) would keep its writers from writing: such a process makes none, and
  // reads a store without them as a file that nobody changes meanwhile, as
  // long as it holds every committed change itself.
  const bool asItIs = look.wal && !mayWrite && !(before.wal && before.shm) && !hadChanges;
  Status writes = mode == OpenMode::ReadOnly || asItIs ? kWriteProtected : kSuccess;
  Connection connection;
  int code = SQLITE_CANTOPEN;
  std::optional<std::int64_t> version;
  if (!asItIs) {
    code = Connect(path, mode == OpenMode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE,
                   &connection);
    if (code == SQLITE_OK) {
      version = PragmaNumber(connection.get(), "PRAGMA user_version", &code);
    }
  }
  if (!version && !asItIs) {
    // A creation cut short, which only a writer can roll back: nothing in
    // the file was ever committed.
    if (HoldsUnfinishedCreation(path)) return kNotFound;
    const Status why = StatusOf(connection.get(), code);
    if (why == kRegistryCorrupt || why == kInUse) return failed(connection.get(), code);
    // Nor can those files be made when the store's folder cannot be written
    // or the disk is full: then too the store is read as it is.
    writes = why == kDiskFull || why == kAccessDenied ? why : kWriteProtected;
    connection.reset();
    RemoveUnfinishedSidecars(path, before);
    if (hadChanges) return refused(writes, Detail::ChangesBeside);
  }
  if (!version) {
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
  // before it: no store yet, and the first write makes it. Only a journal
  // that was there before can have been rolled back, so a store without
  // one is not asked.
  if (hadChanges && PragmaNumber(db, "PRAGMA page_count", &code) == 0) return kNotFound;
  const auto application = PragmaNumber(db, "PRAGMA application_id", &code);
  if (!application) return leaveAsItWas(failed(db, code));
  if (*application != kApplicationId || *version < 1) {
    return leaveAsItWas(refused(kBadDatabase, Detail::NotOurs));
  }
  if (*version > kFormatVersion) return leaveAsItWas(newer(*version));
  auto prepared = std::make_unique<Statements>(db, *version);
  if (const int error = prepared->error(); error != SQLITE_OK) {
    // Tables that the format's statements do not find (a format version
    // that does not match them) are damage, not a fault of the disk.
    return leaveAsItWas((error & 0xff) == SQLITE_ERROR ? refused(kRegistryCorrupt, Detail::None)
                                                       : failed(db, error));
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

Status SqliteRegistry::Impl::Create() {
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

Status SqliteRegistry::Impl::PrepareChange() {
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
  }
  return refusedWrite;
}

Status SqliteRegistry::Impl::PrepareWrite() {
  if (const Status status = PrepareChange(); status != kSuccess) return status;
  if (format != kFormatVersion) {
    if (const Status status = Convert(); status != kSuccess) return status;
  }
  // Once per connection, before its first write and outside any
  // transaction: the store is kept compact and in write-ahead logging.
  // Each is a transaction of its own; where one cannot be made (the disk
  // full, another program's long read), the store goes on as it is.
  if (!tidied && !writing) {
    tidied = true;
    EndRead();
    // Pages that a conversion (the old tables), or one cut short before it
    // gave them back, or many deletions left free are given back when they
    // are more than a quarter of the file.
    int code = SQLITE_OK;
    const auto free = PragmaNumber(db.get(), "PRAGMA freelist_count", &code);
    const auto pages = PragmaNumber(db.get(), "PRAGMA page_count", &code);
    if (free && pages && *free * 4 > *pages) {
      static_cast<void>(sqlite3_exec(db.get(), "VACUUM", nullptr, nullptr, nullptr));
    }
    // Where reads do not wait for writes: a store that an earlier version
    // converted kept the rollback journal of its old format.
    if (!keepsReading) {
      Statement journal(db.get(), "PRAGMA journal_mode = WAL");
      if (journal.ok()) {
        Run run(journal);
        keepsReading = run.Step() == SQLITE_ROW && run.Text(0) == "wal";
      }
    }
  }
  return kSuccess;
}

Status SqliteRegistry::Impl::Convert() {
  // The conversion is tried once per connection; what kept it from being
  // made stands until the connection ends, or a deletion removes it.
  if (collision) return kAlreadyExists;
  EndRead();
  statements.reset();  // no statement of the old format runs meanwhile
  SqliteRegistry::NameCollision found;
  const int code = MigrateToCurrent(db.get(), &found);
  int versionCode = SQLITE_OK;
  format = PragmaNumber(db.get(), "PRAGMA user_version", &versionCode).value_or(format);
  statements = std::make_unique<Statements>(db.get(), format);
  if ((code & 0xff) == SQLITE_CONSTRAINT && !found.first.empty()) {
    collision = std::move(found);
    return kAlreadyExists;
  }
  // Tables that are not those of the store's format are damage.
  if ((code & 0xff) == SQLITE_ERROR) return kRegistryCorrupt;
  if (code != SQLITE_OK) return StatusOf(db.get(), code);
  if (statements->error() != SQLITE_OK) return StatusOf(db.get(), statements->error());
  // The old tables' pages are free now, half the file: PrepareWrite gives
  // them back, so that a converted store takes no more room than one made
  // afresh.
  return format == kFormatVersion ? kSuccess : kBadDatabase;
}

bool SqliteRegistry::Impl::QuickCheckPasses() {
  Statement check(db.get(), "PRAGMA quick_check(1)");
  if (!check.ok()) return false;
  Run run(check);
  return run.Step() == SQLITE_ROW && run.Text(0) == "ok";
}

void SqliteRegistry::Impl::FollowFormat() {
  if (!db || format == kFormatVersion) return;
  int code = SQLITE_OK;
  const auto version = PragmaNumber(db.get(), "PRAGMA user_version", &code);
  if (!version || *version == format || *version > kFormatVersion) return;
  EndRead();
  statements = std::make_unique<Statements>(db.get(), *version);
  format = *version;
}

std::optional<std::int64_t> SqliteRegistry::Impl::FindRoot(RootKey root, Status* status) {
  Run run(statements->findRoot);
  run.Bind(1, static_cast<std::int64_t>(root));
  const int code = run.Step();
  if (code == SQLITE_ROW) return run.Number(0);
  *status = code == SQLITE_DONE ? kBadDatabase : StatusOf(db.get(), code);
  return std::nullopt;
}

std::string SqliteRegistry::Impl::ChildKey(const std::string& path, const std::vector<std::string_view>& keys,
                                           std::size_t level) const {
  if (format != 1) return FoldedNameIn(format, keys[level]);
  const auto end = static_cast<std::size_t>(keys[level].data() - path.data()) +
                   keys[level].size();
  return path.substr(0, end);
}

std::optional<std::int64_t> SqliteRegistry::Impl::FindKey(RootKey root, const std::string& path,
                                                          const std::vector<std::string_view>& keys, bool create,
                                                          Status* status) {
  auto id = FindRoot(root, status);
  for (std::size_t level = 0; id && level < keys.size(); ++level) {
    const std::string compared = ChildKey(path, keys, level);
    Run find(statements->findChild);
    find.Bind(1, *id).BindKept(2, compared);
    if (TakesNameAsGiven(format)) find.BindKept(3, keys[level]);
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

std::string SqliteRegistry::Impl::ValueKey(const std::string& name) const {
  return format == 1 ? name : FoldedNameIn(format, name);
}

void SqliteRegistry::Impl::BeginRead() {
  if (reading || writing || !statements) return;
  Run run(statements->begin);
  reading = run.Step() == SQLITE_DONE;
}

void SqliteRegistry::Impl::EndRead() {
  if (!reading) return;
  reading = false;
  // A failed statement may have ended the transaction already.
  if (sqlite3_get_autocommit(db.get()) != 0) return;
  int code;
  {
    Run run(statements->commit);
    code = run.Step();
  }
  // A read changed nothing: when its end fails, so may the rollback,
  // which SQLite then makes when the connection closes.
  if (code != SQLITE_DONE) static_cast<void>(Run(statements->rollback).Step());
}

Status SqliteRegistry::Impl::BeginWriting() {
  const int code = Run(statements->beginWrite).Step();
  if (code != SQLITE_DONE) return StatusOf(db.get(), code);
  writing = true;
  return kSuccess;
}

Status SqliteRegistry::Impl::EndWriting(bool keep) {
  writing = false;
  if (sqlite3_get_autocommit(db.get()) != 0) return keep ? kWriteFault : kSuccess;
  if (keep) {
    const int code = Run(statements->commit).Step();
    if (code == SQLITE_DONE) return kSuccess;
    static_cast<void>(Run(statements->rollback).Step());  // the commit's failure says why
    return StatusOf(db.get(), code);
  }
  const int code = Run(statements->rollback).Step();
  return code == SQLITE_DONE ? kSuccess : StatusOf(db.get(), code);
}

void SqliteRegistry::Impl::EndReadUnlessKept() {
  if (!keepsReading) EndRead();
}

void SqliteRegistry::Impl::EndReading() {
  found.valid = false;
  EndRead();
}

KeyHandle SqliteRegistry::Impl::Issue(std::int64_t id) {
  const KeyHandle handle = nextHandle++;
  open.emplace(handle, id);
  return handle;
}

std::optional<std::int64_t> SqliteRegistry::Impl::KeyOf(KeyHandle handle) const {
  const auto found = open.find(handle);
  if (found == open.end()) return std::nullopt;
  return found->second;
}

}  // namespace quorvane::store
