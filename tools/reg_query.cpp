// query KEY [/v [NAME] | /ve] [/s] [/f DATA [/k] [/d] [/c] [/e]] [/t TYPES]
// [/z] [/se SEPARATOR]: a key's values and subkeys, one value, a whole
// subtree, or what a search of them finds, shown as reg.exe shows them.
//
// Every listing begins with a blank line. A key with values is shown as a
// block: its path, a line per value, a blank line; a key without values
// only by its path, below the key listed (its subkeys) or where a search
// found its name. A search ends with the number of its matches.
#include <algorithm>
#include <cstdint>
#include <iostream>
#include <iterator>
#include <sstream>
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
using store::ValueType;

std::string Line(const RegCommand& command, const std::string& name, ValueType type,
                 const std::vector<std::uint8_t>& data) {
  return ValueLine(name, ShownType(type, command.typeNumbers),
                   ShownData(type, data, command.separator));
}

// A key's block: its path and its values' lines, then a blank line.
void Block(const RegCommand& command, const std::string& path,
           const std::vector<RegFileValue>& values, std::ostream& out) {
  out << KeyShown(path) << "\n";
  for (const RegFileValue& value : values) out << Line(command, value.name, value.type, value.data);
  out << "\n";
}

// The text sought in a name or data, as the search compares it.
bool Found(const QuerySearch& search, const std::string& text) {
  const std::string& pattern = *search.pattern;
  if (pattern == "*") return true;
  if (search.caseSensitive) return search.exact ? text == pattern : text.find(pattern) != text.npos;
  const std::string folded = store::FoldedName(text), sought = store::FoldedName(pattern);
  return search.exact ? folded == sought : folded.find(sought) != folded.npos;
}

bool ValueFound(const RegCommand& command, const RegFileValue& value) {
  const QuerySearch& search = *command.search;
  if (command.valueName &&
      store::FoldedName(value.name) != store::FoldedName(*command.valueName)) {
    return false;
  }
  if (!search.types.empty() &&
      std::find(search.types.begin(), search.types.end(), value.type) == search.types.end()) {
    return false;
  }
  if (!search.pattern) return true;
  return (search.inValueNames && Found(search, value.name)) ||
         (search.inData && Found(search, ShownData(value.type, value.data, command.separator)));
}

// The keys searched, the queried one first: with /s its whole subtree;
// otherwise it and, by their names alone, its subkeys.
Status Searched(SqliteRegistry& store, const RegCommand& command,
                std::vector<RegFileKey>* keys) {
  if (command.recurse) return ReadSubtree(store, command.path, keys);
  const std::string path = WithoutTrailingBackslashes(command.path);
  std::vector<std::string> subkeys;
  keys->resize(1);
  if (const Status status = ReadKey(store, command.path, path, &keys->front(), &subkeys);
      status != store::kSuccess) {
    return status;
  }
  for (const std::string& subkey : subkeys) {
    keys->push_back({PathBelow(path, subkey), false, {}, 0});
  }
  return store::kSuccess;
}

int Search(SqliteRegistry& store, const CommandRun& run) {
  const RegCommand& command = run.command;
  const QuerySearch& search = *command.search;
  std::vector<RegFileKey> keys;
  if (const Status status = Searched(store, command, &keys); status != store::kSuccess) {
    return Fail(run.err, status);
  }
  // Key names are found by what is sought in them, not by a value's name or
  // type.
  const bool keyNames =
      search.pattern && search.inKeyNames && !command.valueName && search.types.empty();
  std::ostringstream found;
  std::size_t matches = 0;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    std::vector<RegFileValue> values;
    std::copy_if(keys[i].values.begin(), keys[i].values.end(), std::back_inserter(values),
                 [&](const RegFileValue& value) { return ValueFound(command, value); });
    const std::string& path = keys[i].path;
    const bool named = i > 0 && keyNames && Found(search, path.substr(path.rfind('\\') + 1));
    matches += values.size() + (named ? 1 : 0);
    if (!values.empty()) {
      Block(command, path, values, found);
    } else if (named) {
      found << KeyShown(path) << "\n";
    }
  }
  run.out << "\n"
          << found.str() << text::kEndOfSearchBefore << matches << text::kEndOfSearchAfter
          << "\n";
  return 0;
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
  if (command.search) return Search(store, run);
  if (command.valueName) {
    const std::string& name = *command.valueName;
    SqliteRegistry::StoredValue value;
    const Status status = FetchValue(store, key.get(), name, &value);
    std::string line;
    if (status == store::kSuccess) {
      line = Line(command, name, value.type, value.data);
    } else if (status == store::kNotFound && name.empty()) {
      line = ValueLine("", ShownType(store::kTypeText, command.typeNumbers), text::kValueNotSet);
    } else {
      return Fail(run.err, status);
    }
    run.out << "\n" << command.keyName << "\n" << line << "\n";
    return 0;
  }

  if (command.recurse) {
    // Each key of the subtree with its values; the queried key only when it
    // has values, its subkeys always.
    std::vector<RegFileKey> keys;
    if (const Status status = ReadSubtree(store, command.path, &keys); status != store::kSuccess) {
      return Fail(run.err, status);
    }
    run.out << "\n";
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (i > 0 || !keys[i].values.empty()) Block(command, keys[i].path, keys[i].values, run.out);
    }
    return 0;
  }

  std::vector<SqliteRegistry::StoredValue> values;
  std::vector<std::string> subkeys;
  if (const Status status = ListKey(store, key.get(), &values, &subkeys);
      status != store::kSuccess) {
    return Fail(run.err, status);
  }
  run.out << "\n";
  if (!values.empty()) {
    run.out << command.keyName << "\n";
    for (const auto& value : values) run.out << Line(command, value.name, value.type, value.data);
    run.out << "\n";
  }
  for (const std::string& subkey : subkeys) run.out << command.keyName << "\\" << subkey << "\n";
  return 0;
}

const char* CompleteQuery(const GivenOptions& given, RegCommand* command) {
  if (given.separator) {
    if (!IsOneCharacter(*given.separator)) return text::kInvalidSyntax;
    command->separator = *given.separator;
  }
  // /k, /d, /c, /e and /v without a name say how /f searches.
  const bool whereOrHow = given.valueNames || given.inKeyNames || given.inData ||
                          given.caseSensitive || given.exact;
  if ((whereOrHow && !given.find) || (given.valueNames && command->valueName)) {
    return text::kInvalidSyntax;
  }
  if (!given.find && !given.type && !(command->recurse && command->valueName)) return nullptr;

  QuerySearch search;
  search.pattern = given.find;
  if (given.valueNames || given.inKeyNames || given.inData) {
    search.inKeyNames = given.inKeyNames;
    search.inValueNames = given.valueNames;
    search.inData = given.inData;
  }
  search.caseSensitive = given.caseSensitive;
  search.exact = given.exact;
  if (given.type) {
    std::istringstream names(*given.type);
    std::string name;
    while (std::getline(names, name, ',')) {
      const auto type = TypeNamed(name);
      if (!type) return text::kInvalidSyntax;
      search.types.push_back(*type);
    }
    if (search.types.empty()) return text::kInvalidSyntax;
  }
  command->search = std::move(search);
  return nullptr;
}

}  // namespace quorvane::tools
