// copy KEY1 KEY2 [/s] [/f]: KEY1's values, and with /s its subkeys with all
// of theirs, written into KEY2 in one change of the store. What is copied
// is read whole first, so that a copy into KEY1's own subtree copies the
// subtree as it was, once, and without /f the questions are all asked
// before anything is written.
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "store/registry_names.h"
#include "store/scoped_key.h"
#include "tools/reg_commands.h"
#include "tools/reg_console.h"
#include "tools/reg_texts.h"
#include "tools/reg_transfer.h"
#include "tools/reg_value_text.h"

namespace quorvane::tools {
namespace {

using store::ScopedKey;
using store::SqliteRegistry;
using store::Status;

// The key at path and, with recurse, every key below it, each path made
// relative to it ("" the key itself).
Status ReadSource(SqliteRegistry& store, const std::string& path, bool recurse,
                  std::vector<RegFileKey>* keys) {
  std::vector<std::string> subkeys;
  keys->resize(1);
  const Status status = recurse ? ReadSubtree(store, path, keys)
                                : ReadKey(store, path, path, &keys->front(), &subkeys);
  if (status != store::kSuccess) return status;
  const std::size_t base = keys->front().path.size();
  for (RegFileKey& key : *keys) {
    key.path.erase(0, base == 0 ? 0 : std::min(key.path.size(), base + 1));
  }
  return store::kSuccess;
}

// Asks before each value that the destination holds already, and drops
// from keys those that the answer keeps as they are.
Status AskBeforeReplacing(SqliteRegistry& store, const CommandRun& run, const std::string& to,
                          std::vector<RegFileKey>* keys) {
  for (RegFileKey& key : *keys) {
    ScopedKey destination(store);
    std::vector<SqliteRegistry::StoredValue> held;
    Status status = store.OpenKey(kRoot, PathBelow(to, key.path), destination.receive());
    if (status == store::kSuccess) status = store.ListValues(destination.get(), &held);
    if (status == store::kNotFound) continue;  // nothing there to replace
    if (status != store::kSuccess) return status;
    std::erase_if(key.values, [&](const RegFileValue& value) {
      const std::string folded = store::FoldedName(value.name);
      for (const auto& there : held) {
        if (store::FoldedName(there.name) == folded) {
          return !Confirm(run.in, run.out,
                          text::kOverwriteBefore + NameShown(value.name) + text::kOverwriteAfter);
        }
      }
      return false;
    });
  }
  return store::kSuccess;
}

}  // namespace

int RunCopy(const CommandRun& run) {
  const RegCommand& command = run.command;
  SqliteRegistry& store = *run.store;
  const std::string source = WithoutTrailingBackslashes(command.path);
  const std::string destination = WithoutTrailingBackslashes(command.secondPath);
  if (store::FoldedName(source) == store::FoldedName(destination)) {
    run.err << text::kSameKeys << "\n";
    return 1;
  }
  std::vector<RegFileKey> keys;
  if (const Status status = ReadSource(store, source, command.recurse, &keys);
      status != store::kSuccess) {
    return Fail(run.err, status);
  }
  if (const Status status = command.force ? store::kSuccess
                                           : AskBeforeReplacing(store, run, destination, &keys);
      status != store::kSuccess) {
    return Fail(run.err, status);
  }

  SqliteRegistry::Transaction transaction(store);
  Status status = transaction.status();
  for (auto key = keys.begin(); status == store::kSuccess && key != keys.end(); ++key) {
    ScopedKey made(store);
    status = store.CreateKey(kRoot, PathBelow(destination, key->path), made.receive());
    for (auto value = key->values.begin(); status == store::kSuccess && value != key->values.end();
         ++value) {
      status = store.SetValue(made.get(), value->name, value->type, value->data.data(),
                              static_cast<std::uint32_t>(value->data.size()));
    }
  }
  if (status == store::kSuccess) status = transaction.Commit();
  if (status != store::kSuccess) return Fail(run.err, status);
  run.out << text::kSuccess << "\n";
  return 0;
}

}  // namespace quorvane::tools
