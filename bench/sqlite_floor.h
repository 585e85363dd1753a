// The floors for the portable registry's figures: the least that raw SQLite
// does to answer the same question on the same file, through a connection of
// its own with the store's settings (write-ahead logging as the file holds
// it, synchronous = EXTRA) and statements prepared once.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quorvane::bench {

class SqliteFloor {
 public:
  // Opens the store at path, which must already hold the value that the
  // floors read and write: (key path below HKEY_LOCAL_MACHINE, value name).
  // Throws std::runtime_error, naming what failed.
  SqliteFloor(const std::string& path, const std::string& keyPath, const std::string& valueName);
  ~SqliteFloor();
  SqliteFloor(const SqliteFloor&) = delete;
  SqliteFloor& operator=(const SqliteFloor&) = delete;

  // The floor for ReadText: one read transaction with one point lookup per
  // row the answer needs, as the schema keeps them: the root's key row, the
  // row of each key on the path (by parent and folded name), then the
  // value's row (by key and folded name), whose bytes are copied out. A path
  // of N keys takes N + 2 lookups. Answers the value's length.
  std::int64_t ReadValue();

  // The floor for a durable WriteText: the one statement that stores the
  // value, in a write transaction of its own, with the key's id known
  // beforehand: on disk (the write-ahead log synced) when it returns.
  // Alternates between two texts, so that every call changes the value.
  // Answers the SQLite result code.
  std::int64_t WriteValue();

  // The journal mode and the synchronous setting the floors ran with, for
  // the report ("wal", 3).
  std::string journalMode() const { return journalMode_; }
  std::int64_t synchronous() const { return synchronous_; }

 private:
  sqlite3_stmt* Prepare(const char* sql);

  sqlite3* db_ = nullptr;
  std::vector<sqlite3_stmt*> prepared_;
  sqlite3_stmt *begin_, *commit_, *findRoot_, *findChild_, *findValue_, *setValue_;
  std::vector<std::string> foldedKeys_;
  std::string foldedValue_, valueName_;
  std::int64_t keyId_ = 0;
  bool flip_ = false;
  std::string journalMode_;
  std::int64_t synchronous_ = 0;
};

}  // namespace quorvane::bench
