// add and delete: a value set (add also makes the key), or a value, all of
// a key's values or a whole key removed, each asked first without /f, as
// reg.exe asks, and each one change of the store.
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "store/scoped_key.h"
#include "tools/reg_commands.h"
#include "tools/reg_console.h"
#include "tools/reg_file.h"
#include "tools/reg_texts.h"
#include "tools/reg_transfer.h"
#include "tools/reg_value_text.h"

namespace quorvane::tools {
namespace {

using store::ScopedKey;
using store::SqliteRegistry;
using store::Status;

}  // namespace

int RunAdd(const CommandRun& run) {
  const RegCommand& command = run.command;
  SqliteRegistry& store = *run.store;
  ScopedKey key(store);
  if (const Status status = store.CreateKey(kRoot, command.path, key.receive());
      status != store::kSuccess) {
    return Fail(run.err, status);
  }
  const std::string& name = *command.valueName;
  SqliteRegistry::StoredValue there;
  if (!command.force && FetchValue(store, key.get(), name, &there) == store::kSuccess &&
      !Confirm(run.in, run.out, text::kOverwriteBefore + NameShown(name) + text::kOverwriteAfter)) {
    run.out << text::kCancelled << "\n";
    return 0;
  }
  const Status status = store.SetValue(key.get(), name, command.type, command.data.data(),
                                       static_cast<std::uint32_t>(command.data.size()));
  if (status != store::kSuccess) return Fail(run.err, status);
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
  const auto asked = [&](const std::string& question) {
    if (command.force || Confirm(run.in, run.out, question + text::kDeleteAfter)) return true;
    run.out << text::kCancelled << "\n";
    return false;
  };
  Status status = store::kSuccess;
  if (command.valueName) {
    const std::string& name = *command.valueName;
    SqliteRegistry::StoredValue there;
    if (status = FetchValue(store, key.get(), name, &there); status != store::kSuccess) {
      return Fail(run.err, status);
    }
    if (!asked(text::kDeleteBefore + NameShown(name))) return 0;
    status = store.DeleteValue(key.get(), name);
  } else if (command.allValues) {
    std::vector<SqliteRegistry::StoredValue> values;
    if (status = store.ListValues(key.get(), &values); status != store::kSuccess) {
      return Fail(run.err, status);
    }
    if (!asked(text::kDeleteValuesBefore + command.keyName)) return 0;
    SqliteRegistry::Transaction transaction(store);
    status = transaction.status();
    for (auto value = values.begin(); status == store::kSuccess && value != values.end(); ++value) {
      status = store.DeleteValue(key.get(), value->name);
    }
    if (status == store::kSuccess) status = transaction.Commit();
  } else {
    // The root holds the registry; it is never deleted.
    if (WithoutTrailingBackslashes(command.path).empty()) {
      return Fail(run.err, store::kAccessDenied);
    }
    if (!asked(text::kDeleteKeyBefore + command.keyName)) return 0;
    status = store.DeleteKey(kRoot, command.path);
  }
  if (status != store::kSuccess) return Fail(run.err, status);
  run.out << text::kSuccess << "\n";
  return 0;
}

}  // namespace quorvane::tools
