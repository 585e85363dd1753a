// The portable registry's connection to its file: opening the store there
// (refusing what is not one, reading what cannot be written, following a
// store that another program changed), making it on the first write,
// bringing an older format up to date, and the key lookups and read
// transactions that the operations share.
//
// The registry's own header tells what it promises; this one is for the
// files that keep those promises.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/open_failure.h"
#include "store/sqlite_registry.h"
#include "store/sqlite_registry_format.h"
#include "store/sqlite_statement.h"

namespace quorvane::store {

// How long a writer waits for another process to finish before giving up.
inline constexpr int kBusyTimeoutMs = 10000;

// Closes the connection unless it is handed on.
struct ConnectionCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

// Opens a connection to name, a file path (absolute, so never read as a
// URI) or, with SQLITE_OPEN_URI, a URI of our own making.
int Connect(const std::string& name, int flags, Connection* db);

// A URI that opens path as a file that does not change.
std::string ImmutableUri(const std::string& path);

// Runs a statement without parameters that returns one integer; *code gets
// the failure.
std::optional<std::int64_t> PragmaNumber(sqlite3* db, const char* sql, int* code);

// The statements of one connection: reading and deleting in the store's
// format, and writing once it is the current one.
struct Statements {
  Statements(sqlite3* db, std::int64_t format)
      : begin(db, "BEGIN"),
        beginWrite(db, "BEGIN IMMEDIATE"),
        commit(db, "COMMIT"),
        rollback(db, "ROLLBACK"),
        findRoot(db, SqlOf(format).findRoot),
        findChild(db, SqlOf(format).findChild),
        queryValue(db, SqlOf(format).queryValue),
        listValues(db, SqlOf(format).listValues),
        listSubkeys(db, SqlOf(format).listSubkeys),
        deleteValue(db, SqlOf(format).deleteValue) {
    if (format == kFormatVersion) {
      addKey = std::make_unique<Statement>(db, kAddKey);
      setValue = std::make_unique<Statement>(db, kSetValue);
    }
  }
  // SQLITE_OK, or why one could not be prepared.
  int error() const {
    for (const Statement* statement :
         std::initializer_list<const Statement*>{&begin, &beginWrite, &commit, &rollback,
                                                 &findRoot, &findChild,
                                                 &queryValue, &listValues, &listSubkeys,
                                                 &deleteValue, addKey.get(), setValue.get()}) {
      if (statement != nullptr && !statement->ok()) return statement->error();
    }
    return SQLITE_OK;
  }
  Statement begin, beginWrite, commit, rollback;  // transactions
  Statement findRoot, findChild, queryValue, listValues, listSubkeys, deleteValue;
  std::unique_ptr<Statement> addKey, setValue;
};

struct SqliteRegistry::Impl {
  Impl(std::string file, OpenMode openMode) : path(std::move(file)), mode(openMode) {}
  ~Impl() { EndRead(); }

  // Opens the store in the file, when there is one; kNotFound when the file
  // is missing or empty (nothing to read, and nothing made), otherwise the
  // status, with *failure saying why it cannot be used. Changes no file that
  // it refuses.
  [[nodiscard]] Status Attach(OpenFailure* failure);

  // Makes the store in a missing or empty file, which the caller is about to
  // write into, then opens it.
  [[nodiscard]] Status Create();

  // Makes the store ready for a change that makes no name (a deletion):
  // made when missing, found writable and sound. The failure that every
  // change meets instead.
  [[nodiscard]] Status PrepareChange();

  // Makes the store ready for any write: ready for a change, brought to the
  // current format when older (see Convert), and, at the connection's first
  // write, compact and in write-ahead logging.
  [[nodiscard]] Status PrepareWrite();

  // Brings a store of an older format to the current one; kAlreadyExists
  // when two of its names would become one.
  [[nodiscard]] Status Convert();

  // True when SQLite finds the store's structure sound.
  bool QuickCheckPasses();

  // Follows a store of an older format that another program has brought to
  // the current one since: the statements of the old one no longer work.
  void FollowFormat();

  // The id of the root's key, or nullopt with *status saying why not.
  std::optional<std::int64_t> FindRoot(RootKey root, Status* status);

  // What findChild compares for the key keys[level] of path: its name
  // folded as the store's format folds, or in format 1 the whole path down
  // to it.
  std::string ChildKey(const std::string& path, const std::vector<std::string_view>& keys,
                       std::size_t level) const;

  // The id of the key at path, or nullopt: *status is kNotFound when it is
  // missing, otherwise why the lookup failed. With create, missing keys are
  // made, in the transaction the caller holds.
  std::optional<std::int64_t> FindKey(RootKey root, const std::string& path,
                                      const std::vector<std::string_view>& keys, bool create,
                                      Status* status);

  // What the value's name is compared as.
  std::string ValueKey(const std::string& name) const;

  // Reads made in one read transaction: the lookups of an OpenKey or a
  // CreateKey, and, in write-ahead logging, where an open read transaction
  // keeps no writer waiting, the call that follows it, which ends it. One
  // transaction's locks instead of one per statement; the call that follows
  // sees the store as it was when its key was opened.
  void BeginRead();

  void EndRead();

  // Ends the read transaction unless it is to last into the next call.
  void EndReadUnlessKept();

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

  // A write transaction, on a store that PrepareWrite made ready: begun,
  // then kept or taken back whole. Ending a transaction that a failed
  // statement already took back keeps nothing.
  [[nodiscard]] Status BeginWriting();
  Status EndWriting(bool keep);

  // What every call but QueryValue does first.
  void EndReading();

  KeyHandle Issue(std::int64_t id);

  std::optional<std::int64_t> KeyOf(KeyHandle handle) const;

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
  bool tidied = false;             // made compact and in write-ahead logging, before a write
  std::optional<SqliteRegistry::NameCollision> collision;  // kept it from the current format
  FoundValue found;
  std::map<KeyHandle, std::int64_t> open;  // handle -> key id
  KeyHandle nextHandle = 0x100;
};

}  // namespace quorvane::store
