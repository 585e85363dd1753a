// query KEY [/v NAME | /ve | /s]: a key's values and subkeys, one value, or
// a whole subtree, shown as reg.exe shows them.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "store/scoped_key.h"
#include "store/whole_value.h"
#include "tools/reg_commands.h"
#include "tools/reg_texts.h"
#include "tools/reg_transfer.h"

namespace quorvane::tools {
namespace {

using store::ScopedKey;
using store::SqliteRegistry;
using store::Status;
using store::ValueType;

constexpr store::RootKey kRoot = store::RootKey::LocalMachine;

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

}  // namespace

int RunQuery(const CommandRun& run) {
  const RegCommand& command = run.command;
  SqliteRegistry& store = *run.store;
  ScopedKey key(store);
  if (const Status status = store.OpenKey(kRoot, command.path, key.receive());
      status != store::kSuccess) {
    return Fail(run.err, status);
  }
  if (command.valueName) {
    const std::string& name = *command.valueName;
    store::TypedValue value;
    const Status status =
        store::ReadWholeValue(store, key.get(), name, store::ValueCalls::Own, false, &value);
    std::string line;
    if (status == store::kSuccess) {
      line = ValueLine(name, TypeNameOf(value.type), Shown(value.type, value.data));
    } else if (status == store::kNotFound && name.empty()) {
      line = ValueLine("", TypeNameOf(store::kTypeText), text::kValueNotSet);
    } else {
      return Fail(run.err, status);
    }
    run.out << "\n" << command.keyName << "\n" << line << "\n";
    return 0;
  }

  if (command.recurse) {
    // Each key of the subtree with its values, as reg.exe lists them.
    std::vector<RegFileKey> keys;
    if (const Status status = ReadSubtree(store, command.path, &keys); status != store::kSuccess) {
      return Fail(run.err, status);
    }
    for (const RegFileKey& found : keys) {
      run.out << "\n" << text::kRootName << (found.path.empty() ? "" : "\\" + found.path) << "\n";
      for (const RegFileValue& value : found.values) {
        run.out << ValueLine(value.name, TypeNameOf(value.type), Shown(value.type, value.data));
      }
    }
    run.out << "\n";
    return 0;
  }

  std::vector<SqliteRegistry::StoredValue> values;
  std::vector<std::string> subkeys;
  if (const Status status = ListKey(store, key.get(), &values, &subkeys);
      status != store::kSuccess) {
    return Fail(run.err, status);
  }
  if (!values.empty()) {
    run.out << "\n" << command.keyName << "\n";
    for (const auto& value : values) {
      run.out << ValueLine(value.name, TypeNameOf(value.type), Shown(value.type, value.data));
    }
  }
  if (!values.empty() || !subkeys.empty()) run.out << "\n";
  for (const std::string& subkey : subkeys) run.out << command.keyName << "\\" << subkey << "\n";
  return 0;
}

}  // namespace quorvane::tools
