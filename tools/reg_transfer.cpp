#include "tools/reg_transfer.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "store/scoped_key.h"
#include "tools/reg_texts.h"
#include "tools/replace_file.h"

namespace quorvane::tools {
namespace {

using store::KeyHandle;
using store::ScopedKey;
using store::SqliteRegistry;
using store::Status;

constexpr store::RootKey kRoot = store::RootKey::LocalMachine;

// Appends the key at path (spelled shown) and its subtree to keys.
Status AppendSubtree(SqliteRegistry& store, const std::string& path, const std::string& shown,
                     std::vector<RegFileKey>* keys) {
  RegFileKey key;
  std::vector<std::string> subkeys;
  if (const Status status = ReadKey(store, path, shown, &key, &subkeys);
      status != store::kSuccess) {
    return status;
  }
  keys->push_back(std::move(key));
  for (const std::string& subkey : subkeys) {
    if (const Status status =
            AppendSubtree(store, PathBelow(path, subkey), PathBelow(shown, subkey), keys);
        status != store::kSuccess) {
      return status;
    }
  }
  return store::kSuccess;
}

// Applies one key of a file; on a failure *line says where it stood.
Status Apply(SqliteRegistry& store, const RegFileKey& key, std::size_t* line) {
  *line = key.line;
  if (key.remove) {
    const Status status = store.DeleteKey(kRoot, key.path);
    return status == store::kNotFound ? store::kSuccess : status;
  }
  ScopedKey handle(store);
  if (const Status status = store.CreateKey(kRoot, key.path, handle.receive());
      status != store::kSuccess) {
    return status;
  }
  for (const RegFileValue& value : key.values) {
    *line = value.line;
    const Status status =
        value.remove ? store.DeleteValue(handle.get(), value.name)
                     : store.SetValue(handle.get(), value.name, value.type, value.data.data(),
                                      static_cast<std::uint32_t>(value.data.size()));
    if (status != store::kSuccess && !(value.remove && status == store::kNotFound)) {
      return status;
    }
  }
  return store::kSuccess;
}

}  // namespace

Status ListKey(SqliteRegistry& store, KeyHandle key,
               std::vector<SqliteRegistry::StoredValue>* values, std::vector<std::string>* subkeys) {
  if (const Status status = store.ListValues(key, values); status != store::kSuccess) {
    return status;
  }
  if (const Status status = store.ListSubkeys(key, subkeys); status != store::kSuccess) {
    return status;
  }
  std::sort(values->begin(), values->end(),
            [](const auto& a, const auto& b) { return RegExeOrder(a.name, b.name); });
  std::sort(subkeys->begin(), subkeys->end(), RegExeOrder);
  return store::kSuccess;
}

Status ReadKey(SqliteRegistry& store, const std::string& path, const std::string& shown,
               RegFileKey* key, std::vector<std::string>* subkeys) {
  ScopedKey handle(store);
  if (const Status status = store.OpenKey(kRoot, path, handle.receive());
      status != store::kSuccess) {
    return status;
  }
  std::vector<SqliteRegistry::StoredValue> values;
  if (const Status status = ListKey(store, handle.get(), &values, subkeys);
      status != store::kSuccess) {
    return status;
  }
  *key = {shown, false, {}, 0};
  for (auto& value : values) {
    key->values.push_back({std::move(value.name), false, value.type, std::move(value.data), 0});
  }
  return store::kSuccess;
}

Status ReadSubtree(SqliteRegistry& store, const std::string& path,
                   std::vector<RegFileKey>* keys) {
  keys->clear();
  // The subkeys' paths go on from the key's without its trailing backslash.
  const std::string key = path.ends_with('\\') ? path.substr(0, path.size() - 1) : path;
  return AppendSubtree(store, key, WithoutTrailingBackslashes(path), keys);
}

int WriteFileAsked(const std::string& path, const std::string& bytes, bool force,
                   std::istream& in, std::ostream& out, std::ostream& err) {
  std::error_code error;
  const bool exists = std::filesystem::exists(path, error);
  if (!force && exists &&
      !Confirm(in, out, text::kReplaceFileBefore + path + text::kReplaceFileAfter)) {
    out << text::kCancelled << "\n";
    return 0;
  }
  const Replacement written = ReplaceFileWhole(path, bytes);
  if (written.error != 0) {
    const char* what = written.replaced ? text::kFileNotSynced
                       : exists         ? text::kFileLeft
                                        : text::kFileNotWritten;
    err << text::kFileError << "\n"
        << text::kFileBefore << path << what << std::strerror(written.error) << ".\n";
    return 1;
  }
  out << text::kSuccess << "\n";
  return 0;
}

int ExportKey(const RegCommand& command, SqliteRegistry& store, std::istream& in,
              std::ostream& out, std::ostream& err) {
  std::vector<RegFileKey> keys;
  if (const Status status = ReadSubtree(store, command.path, &keys); status != store::kSuccess) {
    return Fail(err, status);
  }
  // A file that could not be read back is no copy: none is written.
  if (const RegFileKey* key = UnwritableKey(keys)) {
    err << text::kUnwritableKeyBefore << text::kRootName << "\\" << key->path
        << text::kUnwritableKeyAfter << "\n";
    return 1;
  }
  return WriteFileAsked(command.file, WriteRegFile(keys), command.force, in, out, err);
}

int ImportFile(const RegCommand& command, SqliteRegistry& store, std::ostream& out,
               std::ostream& err) {
  std::ifstream file(command.file, std::ios::binary);
  std::string bytes(std::istreambuf_iterator<char>(file), {});
  if (!file.is_open() || file.bad()) {
    err << text::kFileError << "\n";
    return 1;
  }
  const RegFileRead read = ReadRegFile(bytes);
  if (read.outcome == RegFileRead::Outcome::NotRegistryFile) {
    err << text::kNotRegistryFile << "\n";
    return 1;
  }
  for (const RegFileRead::UnknownEscape& escape : read.unknownEscapes) {
    err << text::kUnknownEscapeBefore << escape.line << text::kUnknownEscapeSequence
        << escape.character << text::kUnknownEscapeReadAs << escape.character << ".\n";
  }
  // All that is applied is one change of the store: a process killed
  // meanwhile leaves none of it.
  SqliteRegistry::Transaction transaction(store);
  if (transaction.status() != store::kSuccess) return Fail(err, transaction.status());
  Status failed = store::kSuccess;
  std::size_t line = 0;
  for (const RegFileKey& key : read.keys) {
    if ((failed = Apply(store, key, &line)) != store::kSuccess) break;
  }
  // What came before a fault stays, as with reg.exe.
  if (const Status committed = transaction.Commit(); committed != store::kSuccess) {
    return Fail(err, committed);
  }
  if (failed != store::kSuccess) {
    Fail(err, failed);
    err << text::kStoppedBefore << line << text::kStoppedAfter << "\n";
    return 1;
  }
  if (read.outcome == RegFileRead::Outcome::BadLine) {
    err << text::kBadLineBefore << read.badLine << text::kBadLineAfter << "\n";
    return 1;
  }
  out << text::kSuccess << "\n";
  return 0;
}

}  // namespace quorvane::tools
