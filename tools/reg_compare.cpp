// compare KEY1 KEY2 [/v NAME | /ve] [/s] [/oa | /od | /os | /on]: the two
// keys' values (by name, letter case ignored as the registry ignores it),
// one value of each, or with /s their whole subtrees, as reg.exe compares
// them:
//
//   < Value: KEY1  NAME  TYPE  DATA     only in KEY1, or unlike KEY2's
//   > Value: KEY2  NAME  TYPE  DATA     only in KEY2, or unlike KEY1's
//   = Value: KEY1  NAME  TYPE  DATA     alike in both
//   < Key: KEY1\SUBKEY                  with /s, a subkey that only KEY1
//                                       has, not looked into (> alike)
//   = Key: KEY1\SUBKEY                  one that both have, compared next
//
//   Result Compared: Identical          or Different
//   The operation completed successfully.
//
// Exit codes: 0 identical, 2 different, 1 the compare failed.
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

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

constexpr int kDifferentCode = 2;

// Whose a line is: the first key's, the second's, or both alike.
enum class Mark { First, Second, Both };

struct Side {
  std::string path;   // below the root, no trailing backslash
  std::string shown;  // as the lines name it
};

Side Child(const Side& side, const std::string& name) {
  return {PathBelow(side.path, name), side.shown + "\\" + name};
}

// What the comparison has found, each printed as the output option asks.
class Findings {
 public:
  Findings(std::ostream& out, CompareOutput output) : out_(out), output_(output) {}

  bool different() const { return different_; }

  void Value(Mark mark, const Side& side, const SqliteRegistry::StoredValue& value) {
    Print(mark, std::string(text::kComparedValue) + side.shown + text::kComparedGap +
                    NameShown(value.name) + text::kComparedGap + ShownType(value.type) +
                    text::kComparedGap + ShownData(value.type, value.data));
  }
  void Key(Mark mark, const Side& side) { Print(mark, text::kComparedKey + side.shown); }

  // The value of one name in each key, either missing.
  void Values(const Side& first, const SqliteRegistry::StoredValue* a, const Side& second,
              const SqliteRegistry::StoredValue* b) {
    if (a != nullptr && b != nullptr && a->type == b->type && a->data == b->data) {
      Value(Mark::Both, first, *a);
      return;
    }
    if (a != nullptr) Value(Mark::First, first, *a);
    if (b != nullptr) Value(Mark::Second, second, *b);
  }

 private:
  void Print(Mark mark, const std::string& line) {
    const bool match = mark == Mark::Both;
    different_ = different_ || !match;
    const bool shown = output_ == CompareOutput::All ||
                       (match ? output_ == CompareOutput::Matches
                              : output_ == CompareOutput::Differences);
    if (!shown) return;
    out_ << (match ? text::kInBoth : mark == Mark::First ? text::kInFirst : text::kInSecond)
         << line << "\n";
  }

  std::ostream& out_;
  CompareOutput output_;
  bool different_ = false;
};

Status Listed(SqliteRegistry& store, const Side& side,
              std::vector<SqliteRegistry::StoredValue>* values, std::vector<std::string>* subkeys) {
  ScopedKey key(store);
  if (const Status status = store.OpenKey(kRoot, side.path, key.receive());
      status != store::kSuccess) {
    return status;
  }
  return ListKey(store, key.get(), values, subkeys);
}

// Walks two lists in reg.exe's order, calling each(a, b) for every name,
// with null for the side that lacks it.
template <typename Item, typename Name, typename Each>
void Merge(const std::vector<Item>& first, const std::vector<Item>& second, Name name,
           Each each) {
  const Item* const none = nullptr;
  auto a = first.begin();
  auto b = second.begin();
  while (a != first.end() || b != second.end()) {
    if (b == second.end() || (a != first.end() && RegExeOrder(name(*a), name(*b)))) {
      each(&*a++, none);
    } else if (a == first.end() || RegExeOrder(name(*b), name(*a))) {
      each(none, &*b++);
    } else {
      each(&*a++, &*b++);
    }
  }
}

Status CompareKeys(SqliteRegistry& store, const Side& first, const Side& second, bool recurse,
                   Findings* findings) {
  std::vector<SqliteRegistry::StoredValue> values[2];
  std::vector<std::string> subkeys[2];
  for (const int i : {0, 1}) {
    if (const Status status = Listed(store, i == 0 ? first : second, &values[i], &subkeys[i]);
        status != store::kSuccess) {
      return status;
    }
  }
  Merge(values[0], values[1], [](const auto& value) -> const std::string& { return value.name; },
        [&](const SqliteRegistry::StoredValue* a, const SqliteRegistry::StoredValue* b) {
          findings->Values(first, a, second, b);
        });
  if (!recurse) return store::kSuccess;
  Status status = store::kSuccess;
  Merge(subkeys[0], subkeys[1], [](const std::string& name) -> const std::string& { return name; },
        [&](const std::string* a, const std::string* b) {
          if (status != store::kSuccess) return;
          if (a == nullptr) return findings->Key(Mark::Second, Child(second, *b));
          if (b == nullptr) return findings->Key(Mark::First, Child(first, *a));
          findings->Key(Mark::Both, Child(first, *a));
          status = CompareKeys(store, Child(first, *a), Child(second, *b), true, findings);
        });
  return status;
}

// The value of name in the key at side; nullopt when the key holds none,
// or, with *status set, when it cannot be read or the key is missing.
std::optional<SqliteRegistry::StoredValue> Fetched(SqliteRegistry& store, const Side& side,
                                                   const std::string& name, Status* status) {
  ScopedKey key(store);
  if (*status = store.OpenKey(kRoot, side.path, key.receive()); *status != store::kSuccess) {
    return std::nullopt;
  }
  SqliteRegistry::StoredValue value;
  *status = FetchValue(store, key.get(), name, &value);
  if (*status != store::kSuccess) {
    if (*status == store::kNotFound) *status = store::kSuccess;
    return std::nullopt;
  }
  return value;
}

}  // namespace

int RunCompare(const CommandRun& run) {
  const RegCommand& command = run.command;
  SqliteRegistry& store = *run.store;
  const Side first{WithoutTrailingBackslashes(command.path), command.keyName};
  const Side second{WithoutTrailingBackslashes(command.secondPath), command.secondKeyName};
  std::ostringstream lines;  // printed once the whole compare succeeds
  Findings findings(lines, command.output);
  Status status = store::kSuccess;
  if (command.valueName) {
    // Both keys are there, and the value in one of them at least.
    const auto a = Fetched(store, first, *command.valueName, &status);
    if (status != store::kSuccess) return Fail(run.err, status);
    const auto b = Fetched(store, second, *command.valueName, &status);
    if (status != store::kSuccess) return Fail(run.err, status);
    if (!a && !b) return Fail(run.err, store::kNotFound);
    findings.Values(first, a ? &*a : nullptr, second, b ? &*b : nullptr);
  } else if (status = CompareKeys(store, first, second, command.recurse, &findings);
             status != store::kSuccess) {
    return Fail(run.err, status);
  }
  run.out << lines.str() << "\n"
          << (findings.different() ? text::kDifferent : text::kIdentical) << "\n"
          << text::kSuccess << "\n";
  return findings.different() ? kDifferentCode : 0;
}

}  // namespace quorvane::tools
