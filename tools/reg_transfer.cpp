#include "tools/reg_transfer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <iostream>
#include <optional>
#include <utility>

#include "store/portable_registry_path.h"
#include "store/scoped_key.h"
#include "store/sqlite_store_file.h"
#include "store/whole_value.h"
#include "tools/reg_commands.h"
#include "tools/reg_console.h"
#include "tools/reg_texts.h"
#include "tools/reg_value_text.h"
#include "tools/replace_file.h"
#include "tools/utf16.h"

namespace quorvane::tools {
namespace {

using store::KeyHandle;
using store::ScopedKey;
using store::SqliteRegistry;
using store::Status;

// Hands the key at path (spelled shown) and each key below it to visit,
// until visit answers false; the key is closed before its subkeys are
// read.
Status VisitKeys(SqliteRegistry& store, const std::string& path, const std::string& shown,
                 const std::function<bool(RegFileKey)>& visit, bool* stopped) {
  std::vector<std::string> subkeys;
  RegFileKey key;
  if (const Status status = ReadKey(store, path, shown, &key, &subkeys);
      status != store::kSuccess) {
    return status;
  }
  if (!visit(std::move(key))) {
    *stopped = true;
    return store::kSuccess;
  }
  for (const std::string& subkey : subkeys) {
    if (const Status status =
            VisitKeys(store, PathBelow(path, subkey), PathBelow(shown, subkey), visit, stopped);
        status != store::kSuccess || *stopped) {
      return status;
    }
  }
  return store::kSuccess;
}

// VisitKeys from the key at path as typed: a trailing backslash is not
// counted, and the subkeys' paths go on from the key's without it.
Status VisitSubtree(SqliteRegistry& store, const std::string& path,
                    const std::function<bool(RegFileKey)>& visit, bool* stopped) {
  const std::string key = path.ends_with('\\') ? path.substr(0, path.size() - 1) : path;
  return VisitKeys(store, key, WithoutTrailingBackslashes(path), visit, stopped);
}

// Writes UTF-8 text into out as UTF-16LE, a piece at a time, each cut
// where a character begins: a key's text is never held twice over.
bool WriteUtf16(FileOutput& out, std::string_view text) {
  constexpr std::size_t kPiece = 1 << 15;
  while (!text.empty()) {
    std::size_t size = std::min(text.size(), kPiece);
    while (size < text.size() && size > kPiece - 4 &&
           (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) {
      --size;
    }
    if (!out.Write(Utf16LittleEndianOf(text.substr(0, size)))) return false;
    text.remove_prefix(size);
  }
  return true;
}

// Applies a file's keys and values to the store as they are read, all in
// one transaction; on a failure, line() says where it stood.
class Importer final : public RegFileHandler {
 public:
  Importer(SqliteRegistry& store, std::ostream& err) : store_(store), err_(err) {}

  bool Begin() override {
    transaction_.emplace(store_);
    failed_ = transaction_->status();
    return failed_ == store::kSuccess;
  }
  bool Key(RegFileKey key) override {
    line_ = key.line;
    key_.reset();
    if (key.remove) {
      const Status status = store_.DeleteKey(kRoot, key.path);
      return Succeeded(status == store::kNotFound ? store::kSuccess : status);
    }
    key_.emplace(store_);
    return Succeeded(store_.CreateKey(kRoot, key.path, key_->receive()));
  }
  bool Value(RegFileValue value) override {
    line_ = value.line;
    if (!key_) return true;  // below a key deleted
    // Terminated here, in the room the reader left, rather than copied
    // whole by the store to add it.
    value.data = StoredData(value.type, std::move(value.data));
    const Status status =
        value.remove ? store_.DeleteValue(key_->get(), value.name)
                     : store_.SetValue(key_->get(), value.name, value.type, value.data.data(),
                                       static_cast<std::uint32_t>(value.data.size()));
    return Succeeded(value.remove && status == store::kNotFound ? store::kSuccess : status);
  }
  void UnknownEscape(RegFileRead::UnknownEscape escape) override {
    err_ << text::kUnknownEscapeBefore << escape.line << text::kUnknownEscapeSequence
         << escape.character << text::kUnknownEscapeReadAs << escape.character << ".\n";
  }

  // What made the import stop, or kSuccess.
  Status failed() const { return failed_; }
  std::size_t line() const { return line_; }
  // Keeps what was applied, or takes it back; kSuccess where no
  // transaction was begun.
  Status End(bool keep) {
    key_.reset();
    if (!transaction_ || transaction_->status() != store::kSuccess) return store::kSuccess;
    if (!keep) {
      transaction_.reset();
      return store::kSuccess;
    }
    return transaction_->Commit();
  }

 private:
  bool Succeeded(Status status) {
    failed_ = status;
    return status == store::kSuccess;
  }

  SqliteRegistry& store_;
  std::ostream& err_;
  std::optional<SqliteRegistry::Transaction> transaction_;
  std::optional<ScopedKey> key_;  // the key that values go to
  Status failed_ = store::kSuccess;
  std::size_t line_ = 0;
};

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

Status FetchValue(SqliteRegistry& store, KeyHandle key, const std::string& name,
                  SqliteRegistry::StoredValue* value) {
  store::TypedValue read;
  const Status status =
      store::ReadWholeValue(store, key, name, store::ValueCalls::Own, false, &read);
  if (status == store::kSuccess) *value = {name, read.type, std::move(read.data)};
  return status;
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
  bool stopped = false;
  return VisitSubtree(store, path,
                      [keys](RegFileKey key) {
                        keys->push_back(std::move(key));
                        return true;
                      },
                      &stopped);
}

std::string ProgramStorePath() {
  const auto path = store::PortableRegistryPath(store::CurrentRegistryEnvironment());
  return path ? store::AbsoluteStorePath(*path) : "";
}

int WriteFileAsked(const std::string& path, const FileContents& contents,
                   const std::string& storePath, bool force, std::istream& in, std::ostream& out,
                   std::ostream& err) {
  // A registry file there would take the store's place, or tear it.
  if (!storePath.empty() && store::IsStoreOrCompanion(storePath, path)) {
    err << text::kStoreFileBefore << path << text::kStoreFileAfter << "\n";
    return 1;
  }
  return ReplaceFileAsked(path, force, in, out, err,
                          [&] { return ReplaceFileWhole(path, contents); });
}

int WriteFileAsked(const std::string& path, const std::string& bytes, bool force,
                   std::istream& in, std::ostream& out, std::ostream& err) {
  return WriteFileAsked(
      path, [&bytes](FileOutput& file) { return file.Write(bytes); }, ProgramStorePath(), force,
      in, out, err);
}

int RunExport(const CommandRun& run) {
  const RegCommand& command = run.command;
  SqliteRegistry& store = *run.store;
  std::ostream& err = run.err;
  {
    // A key that is not there is said before the file is asked about.
    ScopedKey key(store);
    if (const Status status = store.OpenKey(kRoot, command.path, key.receive());
        status != store::kSuccess) {
      return Fail(err, status);
    }
  }
  // Written a key at a time: the file is never held whole, nor the keys.
  const FileContents contents = [&](FileOutput& file) {
    if (!file.Write(kUtf16Mark) || !WriteUtf16(file, RegFileHeaderText())) return false;
    bool written = true, unwritable = false, stopped = false;
    const Status status = VisitSubtree(
        store, command.path,
        [&](RegFileKey key) {
          // A file that could not be read back is no copy: none is written.
          if (HoldsLineBreak(key.path)) {
            err << text::kUnwritableKeyBefore << KeyShown(key.path) << text::kUnwritableKeyAfter
                << "\n";
            unwritable = true;
            return false;
          }
          // Its values one at a time, each let go once it is written.
          std::vector<RegFileValue> values = std::move(key.values);
          key.values.clear();
          written = WriteUtf16(file, RegFileKeyText(key));
          for (RegFileValue& value : values) {
            written = written && WriteUtf16(file, RegFileValueText(value));
            std::vector<std::uint8_t>().swap(value.data);
          }
          return written;
        },
        &stopped);
    if (status != store::kSuccess) Fail(err, status);
    return status == store::kSuccess && !unwritable && written &&
           WriteUtf16(file, RegFileEndText());
  };
  return WriteFileAsked(command.file, contents, store.Path(), command.force, run.in, run.out,
                        err);
}

int RunImport(const CommandRun& run) {
  const RegCommand& command = run.command;
  SqliteRegistry& store = *run.store;
  std::ostream& err = run.err;
  const int fd = open(command.file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    err << text::kFileError << "\n";
    return 1;
  }
  const struct Closes {
    int fd;
    ~Closes() { close(fd); }
  } closes{fd};
  // Read a piece at a time: neither the file nor its keys are held whole.
  const ReadBytes read = [fd](char* buffer, std::size_t size) -> std::ptrdiff_t {
    for (;;) {
      const ssize_t got = ::read(fd, buffer, size);
      if (got >= 0 || errno != EINTR) return got;
    }
  };
  Importer importer(store, err);
  const RegFileRead scan = ScanRegFile(read, importer);
  // A file that cannot be read to its end is not imported at all.
  if (scan.readError != 0) {
    static_cast<void>(importer.End(false));
    err << text::kFileError << "\n";
    return 1;
  }
  if (scan.outcome == RegFileRead::Outcome::NotRegistryFile) {
    err << text::kNotRegistryFile << "\n";
    return 1;
  }
  // All that is applied is one change of the store: a process killed
  // meanwhile leaves none of it. What came before a fault stays, as with
  // reg.exe.
  const Status failed = importer.failed();
  const Status committed = importer.End(true);
  if (failed != store::kSuccess) {
    // What stopped it says why; a store that took the whole transaction
    // back with it (a full disk does) kept none of the lines before.
    Fail(err, failed);
    if (committed == store::kSuccess && importer.line() > 0) {
      err << text::kStoppedBefore << importer.line() << text::kStoppedAfter << "\n";
    } else {
      err << text::kNothingImported << "\n";
    }
    return 1;
  }
  if (committed != store::kSuccess) {
    Fail(err, committed);
    err << text::kNothingImported << "\n";
    return 1;
  }
  if (scan.outcome == RegFileRead::Outcome::BadLine) {
    const bool notText = scan.fault == RegFileRead::Fault::NameNotText;
    err << text::kBadLineBefore << scan.badLine
        << (notText ? text::kBadNameAfter : text::kBadLineAfter) << "\n";
    return 1;
  }
  run.out << text::kSuccess << "\n";
  return 0;
}

}  // namespace quorvane::tools
