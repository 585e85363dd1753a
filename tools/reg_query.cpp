// query KEY [/v NAME | /ve | /s]: a key's values and subkeys, one value, or
// a whole subtree, shown as reg.exe shows them.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "store/scoped_key.h"
#include "store/whole_value.h"
#include "tools/reg_commands.h"
#include "tools/reg_console.h"
#include "tools/reg_shown.h"
#include "tools/reg_texts.h"
#include "tools/reg_transfer.h"

namespace quorvane::tools {
namespace {

using store::ScopedKey;
using store::SqliteRegistry;
using store::Status;

constexpr store::RootKey kRoot = store::RootKey::LocalMachine;

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
