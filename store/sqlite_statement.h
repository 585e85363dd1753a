// Prepared statements for the portable registry, and one run of one: bound
// parameters only, and no lock held between calls.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string_view>

namespace quorvane::store {

// One prepared statement, kept for the life of the connection.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    error_ = sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
    if (error_ != SQLITE_OK) statement_ = nullptr;
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return statement_ != nullptr; }
  // Why it could not be prepared (an SQLite result code).
  int error() const { return error_; }
  sqlite3_stmt* get() const { return statement_; }

 private:
  sqlite3_stmt* statement_ = nullptr;
  int error_ = SQLITE_OK;
};

// One run of a statement: bind, step, and reset on the way out, so that the
// statement never holds a lock between calls. A bind that fails (no memory,
// a text or blob too big) is kept, and the step answers it instead of
// running the statement without the parameter; so is the failure of a
// statement that could not be prepared (a store damaged so that its
// statements no longer prepare once a write has been tried on it).
class Run {
 public:
  explicit Run(const Statement& statement)
      : statement_(statement.get()),
        bindError_(statement.ok()                      ? SQLITE_OK
                   : statement.error() != SQLITE_OK ? statement.error()
                                                    : SQLITE_MISUSE) {}
  ~Run() {
    if (statement_ == nullptr) return;
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  Run& Bind(int index, std::int64_t number) {
    return Bound(sqlite3_bind_int64(statement_, index, number));
  }
  Run& Bind(int index, std::string_view text) {
    return Bound(sqlite3_bind_text64(statement_, index, text.data(), text.size(),
                                     SQLITE_TRANSIENT, SQLITE_UTF8));
  }
  // Binds text that stays as it is until the run ends, without a copy.
  Run& BindKept(int index, std::string_view text) {
    return Bound(sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_STATIC,
                                     SQLITE_UTF8));
  }
  Run& BindBlob(int index, const void* data, std::int64_t size) {
    return BoundBlob(index, data, size, SQLITE_TRANSIENT);
  }
  // Binds bytes that stay as they are until the run ends, without a copy: a
  // value may be as big as the store's.
  Run& BindBlobKept(int index, const void* data, std::int64_t size) {
    return BoundBlob(index, data, size, SQLITE_STATIC);
  }
  // SQLITE_ROW, SQLITE_DONE or why not, the first failed bind included.
  [[nodiscard]] int Step() {
    return bindError_ != SQLITE_OK ? bindError_ : sqlite3_step(statement_);
  }
  sqlite3_stmt* get() const { return statement_; }

  std::int64_t Number(int column) const { return sqlite3_column_int64(statement_, column); }
  std::string_view Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return {text != nullptr ? text : "",
            static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))};
  }

 private:
  Run& Bound(int code) {
    if (bindError_ == SQLITE_OK) bindError_ = code;
    return *this;
  }
  Run& BoundBlob(int index, const void* data, std::int64_t size, sqlite3_destructor_type kept) {
    // A NULL pointer would bind SQL NULL; an empty value is an empty blob.
    if (size == 0) return Bound(sqlite3_bind_zeroblob(statement_, index, 0));
    return Bound(sqlite3_bind_blob64(statement_, index, data, static_cast<sqlite3_uint64>(size),
                                     kept));
  }

  sqlite3_stmt* statement_;
  int bindError_ = SQLITE_OK;  // the first bind that failed
};

}  // namespace quorvane::store
