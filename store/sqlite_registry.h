// The portable registry: a persistent hierarchical key-value store in one
// SQLite file that keeps the contract of the Windows registry calls (see
// registry_backend.h). It stands in for the Windows registry everywhere else.
//
// Each call sees the store as it is when the call begins, with two
// exceptions that make a read of one value one look at the store (one read
// transaction, where a statement each would take its own locks): a
// QueryValue that follows at once the OpenKey or CreateKey that found its key
// sees the store as it was at that open, when the store is in write-ahead
// logging (where an open read keeps no writer waiting); and a query for a
// value's data that follows at once a query for its size answers what that
// query found. Any other call in between ends both.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/registry_backend.h"

namespace quorvane::store {

class SqliteRegistry final : public RegistryBackend {
 public:
  enum class OpenMode {
    // Reads and writes; falls back to reading only when the file cannot be
    // written (its permissions, a read-only file system, a full disk).
    ReadWrite,
    // Reads only: every write answers kWriteProtected.
    ReadOnly,
  };

  // Opens the store at path, a file path even where it looks like an SQLite
  // URI or ":memory:" (relative paths are made absolute now). A missing or
  // empty file holds no keys; the first write makes the store there (the
  // file readable and writable by its owner only, missing folders 0700),
  // which in ReadWrite mode must be possible. Reads never change the file.
  // A file that is not a store of ours, one of a newer format, one that is
  // damaged or one that cannot be read is refused and left as it was. A
  // store of an older format is read as it is and brought to the current
  // format by the first write (see ConversionCollision). A store whose
  // making was cut short (its "-journal" still beside it) holds no keys, as
  // before it was begun. A store found damaged before the first write takes
  // no write. Throws RegistryOpenError with the status, the file and what
  // about it.
  static std::unique_ptr<SqliteRegistry> Open(const std::string& path,
                                              OpenMode mode = OpenMode::ReadWrite);

  ~SqliteRegistry() override;

  // The store's file, as an absolute path.
  const std::string& Path() const;

  // True when writes fail because the store can only be read (or, after a
  // full disk kept it from being opened for writing, cannot grow).
  bool ReadOnly() const;

  // Two names of one key that a store of an earlier format holds apart and
  // the current format compares as one (letter case it ignores now): such a
  // store is not brought to the current format, which would make them one,
  // so every write but a deletion fails with kAlreadyExists and the store
  // stays as it was. Deletions are made in the store's own format, the value
  // or key spelled exactly as given first: deleting one of the two names is
  // the way out, and the next write converts the store.
  struct NameCollision {
    std::string key;     // the key that holds them, below the root ("" the root)
    bool values = false; // names of values, or of subkeys
    std::string first, second;
  };
  // The collision that kept this store from being brought up to date, if a
  // write met one.
  std::optional<NameCollision> ConversionCollision() const;

  // What a key holds, for tools that show it; the program itself never
  // enumerates. Names keep the spelling they were created with; both lists
  // are ordered by name, letter case ignored.
  struct StoredValue {
    std::string name;  // "" is the default value
    ValueType type;
    std::vector<std::uint8_t> data;
  };
  [[nodiscard]] Status ListValues(KeyHandle key, std::vector<StoredValue>* values);
  // The names of the key's direct subkeys; kRegistryCorrupt when one is a
  // name that no key can have (empty, or holding a backslash).
  [[nodiscard]] Status ListSubkeys(KeyHandle key, std::vector<std::string>* names);

  // Deletes the key at path with its subkeys and values, as RegDeleteTree
  // does; handles open on any of them are closed. kNotFound when it is
  // missing; the root itself is never deleted (kAccessDenied).
  [[nodiscard]] Status DeleteKey(RootKey root, const std::string& path);

  // Makes the writes made through store while it lasts one change: other
  // programs see all of them once Commit succeeds, and none if the process
  // ends before or the scope ends without Commit. One at a time.
  class Transaction {
   public:
    explicit Transaction(SqliteRegistry& store);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    // kSuccess when the writes now go into the transaction.
    Status status() const { return status_; }
    [[nodiscard]] Status Commit();

   private:
    SqliteRegistry& store_;
    Status status_ = kSuccess;
    bool done_ = false;
  };

  Status OpenKey(RootKey root, const std::string& path, KeyHandle* key) override;
  Status CreateKey(RootKey root, const std::string& path, KeyHandle* key) override;
  Status QueryValue(KeyHandle key, const std::string& name, ValueType* type, std::uint8_t* data,
                    std::uint32_t* size) override;
  [[nodiscard]] Status SetValue(KeyHandle key, const std::string& name, ValueType type,
                                const std::uint8_t* data, std::uint32_t size) override;
  [[nodiscard]] Status DeleteValue(KeyHandle key, const std::string& name) override;
  Status CloseKey(KeyHandle key) override;
  // One write transaction, begun once the store is ready to be written
  // (made, or brought to the current format); it waits for another
  // program's write as a single write does.
  [[nodiscard]] Status BeginWrite() override;
  [[nodiscard]] Status EndWrite(bool keep) override;

 private:
  struct Impl;
  explicit SqliteRegistry(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Opens the store where the environment says the program's registry lives
// (see portable_registry_path.h). Throws RegistryOpenError.
std::unique_ptr<SqliteRegistry> OpenDefaultSqliteRegistry(
    SqliteRegistry::OpenMode mode = SqliteRegistry::OpenMode::ReadWrite);

}  // namespace quorvane::store
