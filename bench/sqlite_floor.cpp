#include "bench/sqlite_floor.h"

#include <stdexcept>
#include <string_view>

#include "store/registry_backend.h"
#include "store/registry_names.h"

namespace quorvane::bench {
namespace {

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
  throw std::runtime_error(what + ": " + (db ? sqlite3_errmsg(db) : "out of memory"));
}

// Steps a statement that answers at most one row, and resets it.
std::int64_t StepNumber(sqlite3_stmt* statement) {
  const std::int64_t number =
      sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
  sqlite3_reset(statement);
  return number;
}

}  // namespace

SqliteFloor::SqliteFloor(const std::string& path, const std::string& keyPath,
                         const std::string& valueName)
    : valueName_(valueName) {
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK) {
    Fail(db_, "cannot open " + path);
  }
  sqlite3_busy_timeout(db_, 10000);
  if (sqlite3_exec(db_, "PRAGMA synchronous = EXTRA", nullptr, nullptr, nullptr) != SQLITE_OK) {
    Fail(db_, "cannot set synchronous");
  }
  sqlite3_stmt* mode = Prepare("PRAGMA journal_mode");
  if (sqlite3_step(mode) == SQLITE_ROW) {
    journalMode_ = reinterpret_cast<const char*>(sqlite3_column_text(mode, 0));
  }
  sqlite3_reset(mode);
  synchronous_ = StepNumber(Prepare("PRAGMA synchronous"));

  begin_ = Prepare("BEGIN");
  commit_ = Prepare("COMMIT");
  findRoot_ = Prepare("SELECT id FROM registry_key WHERE parent IS NULL AND name = ?1");
  findChild_ = Prepare("SELECT id FROM registry_key WHERE parent = ?1 AND folded = ?2");
  findValue_ = Prepare("SELECT type, data FROM registry_value WHERE key = ?1 AND folded = ?2");
  setValue_ = Prepare("UPDATE registry_value SET type = ?3, data = ?4 WHERE key = ?1 AND folded = ?2");

  std::string_view rest = keyPath;
  while (!rest.empty()) {
    const std::size_t slash = rest.find('\\');
    foldedKeys_.push_back(store::FoldedName(rest.substr(0, slash)));
    rest.remove_prefix(slash == std::string_view::npos ? rest.size() : slash + 1);
  }
  foldedValue_ = store::FoldedName(valueName);
  if (ReadValue() < 0) Fail(db_, "the floor's value is not in the store");
}

SqliteFloor::~SqliteFloor() {
  for (sqlite3_stmt* statement : prepared_) sqlite3_finalize(statement);
  sqlite3_close_v2(db_);
}

sqlite3_stmt* SqliteFloor::Prepare(const char* sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) !=
      SQLITE_OK) {
    Fail(db_, std::string("cannot prepare ") + sql);
  }
  prepared_.push_back(statement);
  return statement;
}

std::int64_t SqliteFloor::ReadValue() {
  sqlite3_step(begin_);
  sqlite3_reset(begin_);
  sqlite3_bind_int64(findRoot_, 1, static_cast<std::int64_t>(store::RootKey::LocalMachine));
  std::int64_t id = StepNumber(findRoot_);
  for (const std::string& folded : foldedKeys_) {
    sqlite3_bind_int64(findChild_, 1, id);
    sqlite3_bind_text(findChild_, 2, folded.data(), static_cast<int>(folded.size()),
                      SQLITE_STATIC);
    id = StepNumber(findChild_);
  }
  keyId_ = id;
  sqlite3_bind_int64(findValue_, 1, id);
  sqlite3_bind_text(findValue_, 2, foldedValue_.data(), static_cast<int>(foldedValue_.size()),
                    SQLITE_STATIC);
  std::int64_t length = -1;
  if (sqlite3_step(findValue_) == SQLITE_ROW) {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(findValue_, 1));
    const std::string value(bytes ? bytes : "",
                            static_cast<std::size_t>(sqlite3_column_bytes(findValue_, 1)));
    length = static_cast<std::int64_t>(value.size());
  }
  sqlite3_reset(findValue_);
  sqlite3_step(commit_);
  sqlite3_reset(commit_);
  return length;
}

std::int64_t SqliteFloor::WriteValue() {
  flip_ = !flip_;
  const char* text = flip_ ? "1500" : "1492";
  sqlite3_bind_int64(setValue_, 1, keyId_);
  sqlite3_bind_text(setValue_, 2, foldedValue_.data(), static_cast<int>(foldedValue_.size()),
                    SQLITE_STATIC);
  sqlite3_bind_int64(setValue_, 3, store::kTypeText);
  sqlite3_bind_blob(setValue_, 4, text, 4, SQLITE_STATIC);
  const int code = sqlite3_step(setValue_);
  sqlite3_reset(setValue_);
  return code;
}

}  // namespace quorvane::bench
