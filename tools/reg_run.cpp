#include "tools/reg_run.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <utility>

#include "quorvane_version.h"
#include "store/platform_registry.h"
#include "store/portable_registry_path.h"
#include "store/scoped_key.h"
#include "store/sqlite_store_file.h"
#include "store/whole_value.h"
#include "tools/reg_texts.h"
#include "tools/reg_transfer.h"

namespace quorvane::tools {
namespace {

using store::KeyHandle;
using store::RootKey;
using store::ScopedKey;
using store::SqliteRegistry;
using store::Status;
using store::ValueType;

constexpr RootKey kRoot = RootKey::LocalMachine;

struct StatusText {
  Status status;
  const char* text;
};
constexpr StatusText kStatusTexts[] = {
    {store::kNotFound, text::kNotFound},       {store::kAccessDenied, text::kAccessDenied},
    {store::kBadPathname, text::kBadPath}, {store::kInvalidParameter, text::kBadParameter},
    {store::kBadDatabase, text::kCorrupt},     {store::kRegistryCorrupt, text::kRegistryCorrupt},
    {store::kInUse, text::kInUse},             {store::kDiskFull, text::kDiskFull},
    {store::kWriteProtected, text::kWriteProtected}, {store::kAlreadyExists, text::kNamesCollide},
};

const char* TextOf(Status status) {
  for (const StatusText& known : kStatusTexts) {
    if (known.status == status) return known.text;
  }
  return text::kIoFailed;
}


struct TypeName {
  ValueType type;
  const char* name;
};
constexpr TypeName kTypeNames[] = {
    {0, "REG_NONE"},          {1, "REG_SZ"},
    {2, "REG_EXPAND_SZ"},     {3, "REG_BINARY"},
    {4, "REG_DWORD"},         {5, "REG_DWORD_BIG_ENDIAN"},
    {6, "REG_LINK"},          {7, "REG_MULTI_SZ"},
    {8, "REG_RESOURCE_LIST"}, {9, "REG_FULL_RESOURCE_DESCRIPTOR"},
    {10, "REG_RESOURCE_REQUIREMENTS_LIST"}, {11, "REG_QWORD"},
};

std::string Hex(std::uint64_t number, bool prefix) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, prefix ? "0x%llx" : "%llX",
                static_cast<unsigned long long>(number));
  return buffer;
}

std::string TypeNameOf(ValueType type) {
  for (const TypeName& known : kTypeNames) {
    if (known.type == type) return known.name;
  }
  return Hex(type, true);
}

std::uint64_t LittleEndian(const std::vector<std::uint8_t>& data) {
  std::uint64_t number = 0;
  for (std::size_t i = data.size(); i-- > 0;) number = number << 8 | data[i];
  return number;
}

// The data as reg.exe shows it: text up to its first NUL, the strings of a
// multi-string joined by \0, numbers in hex, anything else as hex bytes.
std::string Shown(ValueType type, const std::vector<std::uint8_t>& data) {
  const std::string bytes(data.begin(), data.end());
  switch (type) {
    case store::kTypeText:
    case store::kTypeExpandableText:
      return bytes.substr(0, bytes.find('\0'));
    case store::kTypeMultiText: {
      std::string shown;
      std::size_t start = 0;
      while (start < bytes.size() && bytes[start] != '\0') {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        if (!shown.empty()) shown += "\\0";
        shown += bytes.substr(start, end - start);
        start = end + 1;
      }
      return shown;
    }
    case store::kTypeNumber:
    case store::kTypeNumber64:
      if (data.size() == (type == store::kTypeNumber ? 4u : 8u)) {
        return Hex(LittleEndian(data), true);
      }
      break;
    default:
      break;
  }
  std::string shown;
  for (const std::uint8_t byte : data) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", byte);
    shown += pair;
  }
  return shown;
}

std::string ValueLine(const std::string& name, const std::string& type, const std::string& data) {
  return std::string(text::kColumnGap) + (name.empty() ? text::kDefaultName : name) +
         text::kColumnGap + type + text::kColumnGap + data + "\n";
}

std::string Named(const std::string& name) { return name.empty() ? text::kDefaultName : name; }

// The value's type and data, or nullopt with *status saying why not.
std::optional<SqliteRegistry::StoredValue> Fetch(SqliteRegistry& store, KeyHandle key,
                                                 const std::string& name, Status* status) {
  store::TypedValue value;
  *status = store::ReadWholeValue(store, key, name, store::ValueCalls::Own, false, &value);
  if (*status != store::kSuccess) return std::nullopt;
  return SqliteRegistry::StoredValue{name, value.type, std::move(value.data)};
}

int Query(const RegCommand& command, SqliteRegistry& store, std::ostream& out,
          std::ostream& err) {
  ScopedKey key(store);
  if (const Status status = store.OpenKey(kRoot, command.path, key.receive());
      status != store::kSuccess) {
    return Fail(err, status);
  }
  if (command.valueName) {
    Status status = store::kSuccess;
    const auto value = Fetch(store, key.get(), *command.valueName, &status);
    std::string line;
    if (value) {
      line = ValueLine(value->name, TypeNameOf(value->type), Shown(value->type, value->data));
    } else if (status == store::kNotFound && command.valueName->empty()) {
      line = ValueLine("", TypeNameOf(store::kTypeText), text::kValueNotSet);
    } else {
      return Fail(err, status);
    }
    out << "\n" << command.keyName << "\n" << line << "\n";
    return 0;
  }

  if (command.recurse) {
    // Each key of the subtree with its values, as reg.exe lists them.
    std::vector<RegFileKey> keys;
    if (const Status status = ReadSubtree(store, command.path, &keys); status != store::kSuccess) {
      return Fail(err, status);
    }
    for (const RegFileKey& found : keys) {
      out << "\n" << text::kRootName << (found.path.empty() ? "" : "\\" + found.path) << "\n";
      for (const RegFileValue& value : found.values) {
        out << ValueLine(value.name, TypeNameOf(value.type), Shown(value.type, value.data));
      }
    }
    out << "\n";
    return 0;
  }

  std::vector<SqliteRegistry::StoredValue> values;
  std::vector<std::string> subkeys;
  if (const Status status = ListKey(store, key.get(), &values, &subkeys);
      status != store::kSuccess) {
    return Fail(err, status);
  }
  if (!values.empty()) {
    out << "\n" << command.keyName << "\n";
    for (const auto& value : values) {
      out << ValueLine(value.name, TypeNameOf(value.type), Shown(value.type, value.data));
    }
  }
  if (!values.empty() || !subkeys.empty()) out << "\n";
  for (const std::string& subkey : subkeys) out << command.keyName << "\\" << subkey << "\n";
  return 0;
}

int Add(const RegCommand& command, SqliteRegistry& store, std::istream& in, std::ostream& out,
        std::ostream& err) {
  ScopedKey key(store);
  if (const Status status = store.CreateKey(kRoot, command.path, key.receive());
      status != store::kSuccess) {
    return Fail(err, status);
  }
  if (command.valueName) {
    const std::string& name = *command.valueName;
    Status status = store::kSuccess;
    if (!command.force && Fetch(store, key.get(), name, &status) &&
        !Confirm(in, out, text::kOverwriteBefore + Named(name) + text::kOverwriteAfter)) {
      out << text::kCancelled << "\n";
      return 0;
    }
    status = store.SetValue(key.get(), name, command.type, command.data.data(),
                            static_cast<std::uint32_t>(command.data.size()));
    if (status != store::kSuccess) return Fail(err, status);
  }
  out << text::kSuccess << "\n";
  return 0;
}

int Delete(const RegCommand& command, SqliteRegistry& store, std::istream& in, std::ostream& out,
           std::ostream& err) {
  ScopedKey key(store);
  if (const Status status = store.OpenKey(kRoot, command.path, key.receive());
      status != store::kSuccess) {
    return Fail(err, status);
  }
  if (!command.valueName) {
    // The key and everything below it, as reg.exe deletes a key.
    if (!command.force &&
        !Confirm(in, out, text::kDeleteKeyBefore + command.keyName + text::kDeleteAfter)) {
      out << text::kCancelled << "\n";
      return 0;
    }
    if (const Status status = store.DeleteKey(kRoot, command.path); status != store::kSuccess) {
      return Fail(err, status);
    }
    out << text::kSuccess << "\n";
    return 0;
  }
  const std::string& name = *command.valueName;
  Status status = store::kSuccess;
  if (!Fetch(store, key.get(), name, &status)) return Fail(err, status);
  if (!command.force &&
      !Confirm(in, out, text::kDeleteBefore + Named(name) + text::kDeleteAfter)) {
    out << text::kCancelled << "\n";
    return 0;
  }
  status = store.DeleteValue(key.get(), name);
  if (status != store::kSuccess) return Fail(err, status);
  out << text::kSuccess << "\n";
  return 0;
}

}  // namespace

// What was asked for is not done until it is read.
int Delivered(int code, std::ostream& out, std::ostream& err) {
  if (out.flush()) return code;
  err << text::kOutputFailed << "\n";
  return 1;
}

int Fail(std::ostream& err, Status status) {
  err << TextOf(status) << "\n";
  return 1;
}

bool Confirm(std::istream& in, std::ostream& out, const std::string& question) {
  std::string answer;
  for (;;) {
    out << question << std::flush;
    if (!std::getline(in, answer)) {
      out << "\n";
      return false;
    }
    std::string word;
    for (const char c : answer) {
      if (!std::isspace(static_cast<unsigned char>(c))) {
        word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      }
    }
    if (word == "y" || word == "yes") return true;
    if (word == "n" || word == "no") return false;
  }
}

int RunRegCommand(const RegCommand& command, SqliteRegistry& store, std::istream& in,
                  std::ostream& out, std::ostream& err) {
  switch (command.operation) {
    case RegOperation::Query:
      return Query(command, store, out, err);
    case RegOperation::Add:
      return Add(command, store, in, out, err);
    case RegOperation::Delete:
      return Delete(command, store, in, out, err);
    case RegOperation::Export:
      return ExportKey(command, store, in, out, err);
    case RegOperation::Import:
      return ImportFile(command, store, out, err);
  }
  return 1;
}

int QuorvaneReg(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err) {
  const RegParse parse = ParseRegArguments(args);
  switch (parse.outcome) {
    case RegParse::Outcome::Help:
      out << text::kUsage;
      return 0;
    case RegParse::Outcome::Version:
      out << text::kProgramName << QUORVANE_VERSION_MAJOR << "." << QUORVANE_VERSION_MINOR << "."
          << QUORVANE_VERSION_REVISION << "\n";
      return 0;
    case RegParse::Outcome::Error:
      err << parse.message << "\n";
      return 1;
    case RegParse::Outcome::Run:
      break;
  }
  try {
    // Nothing to find in a store that does not exist yet, even where it
    // could not be made.
    const auto path = store::PortableRegistryPath(store::CurrentRegistryEnvironment());
    const bool writes = parse.command.operation == RegOperation::Add ||
                        parse.command.operation == RegOperation::Import;
    if (!writes && path &&
        store::LookAt(store::AbsoluteStorePath(*path)).kind == store::StoreFile::Kind::Missing) {
      return Fail(err, store::kNotFound);
    }
    auto store = store::OpenDefaultSqliteRegistry();
    const int code = RunRegCommand(parse.command, *store, in, out, err);
    // Which names keep an older store from being written, after the
    // failure that says so.
    if (const auto collision = store->ConversionCollision(); collision && code != 0) {
      TellCollision(err, *collision);
    }
    return Delivered(code, out, err);
  } catch (const store::RegistryOpenError& error) {
    err << text::kErrorPrefix << error.what() << "\n";
    return 1;
  }
}

}  // namespace quorvane::tools
