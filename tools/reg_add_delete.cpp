// add and delete: a value set or removed (add also makes the key), each
// asked first on the console without /f, as reg.exe asks.
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <utility>

#include "store/scoped_key.h"
#include "store/whole_value.h"
#include "tools/reg_commands.h"
#include "tools/reg_console.h"
#include "tools/reg_texts.h"

namespace quorvane::tools {
namespace {

using store::KeyHandle;
using store::ScopedKey;
using store::SqliteRegistry;
using store::Status;

constexpr store::RootKey kRoot = store::RootKey::LocalMachine;

std::string Named(const std::string& name) { return name.empty() ? text::kDefaultName : name; }

// The value's type and data, or nullopt with *status saying why not.
std::optional<SqliteRegistry::StoredValue> Fetch(SqliteRegistry& store, KeyHandle key,
                                                 const std::string& name, Status* status) {
  store::TypedValue value;
  *status = store::ReadWholeValue(store, key, name, store::ValueCalls::Own, false, &value);
  if (*status != store::kSuccess) return std::nullopt;
  return SqliteRegistry::StoredValue{name, value.type, std::move(value.data)};
}

}  // namespace

int RunAdd(const CommandRun& run) {
  const RegCommand& command = run.command;
  SqliteRegistry& store = *run.store;
  ScopedKey key(store);
  if (const Status status = store.CreateKey(kRoot, command.path, key.receive());
      status != store::kSuccess) {
    return Fail(run.err, status);
  }
  if (command.valueName) {
    const std::string& name = *command.valueName;
    Status status = store::kSuccess;
    if (!command.force && Fetch(store, key.get(), name, &status) &&
        !Confirm(run.in, run.out, text::kOverwriteBefore + Named(name) + text::kOverwriteAfter)) {
      run.out << text::kCancelled << "\n";
      return 0;
    }
    status = store.SetValue(key.get(), name, command.type, command.data.data(),
                            static_cast<std::uint32_t>(command.data.size()));
    if (status != store::kSuccess) return Fail(run.err, status);
  }
  run.out << text::kSuccess << "\n";
  return 0;
}

int RunDelete(const CommandRun& run) {
  const RegCommand& command = run.command;
  SqliteRegistry& store = *run.store;
  ScopedKey key(store);
  if (const Status status = store.OpenKey(kRoot, command.path, key.receive());
      status != store::kSuccess) {
    return Fail(run.err, status);
  }
  if (!command.valueName) {
    // The key and everything below it, as reg.exe deletes a key.
    if (!command.force && !Confirm(run.in, run.out,
                                   text::kDeleteKeyBefore + command.keyName + text::kDeleteAfter)) {
      run.out << text::kCancelled << "\n";
      return 0;
    }
    if (const Status status = store.DeleteKey(kRoot, command.path); status != store::kSuccess) {
      return Fail(run.err, status);
    }
    run.out << text::kSuccess << "\n";
    return 0;
  }
  const std::string& name = *command.valueName;
  Status status = store::kSuccess;
  if (!Fetch(store, key.get(), name, &status)) return Fail(run.err, status);
  if (!command.force &&
      !Confirm(run.in, run.out, text::kDeleteBefore + Named(name) + text::kDeleteAfter)) {
    run.out << text::kCancelled << "\n";
    return 0;
  }
  status = store.DeleteValue(key.get(), name);
  if (status != store::kSuccess) return Fail(run.err, status);
  run.out << text::kSuccess << "\n";
  return 0;
}

}  // namespace quorvane::tools
