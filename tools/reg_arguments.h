// What a quorvane-reg command line asks for, parsed apart from running it.
// The commands, their arguments and their options are rows of the command
// table (reg_commands.h), which the parser walks:
//
//   COMMAND POSITIONAL... [/OPTION [ARGUMENT]]...
//
// Commands and options ignore letter case and options may begin with / or
// -, as with reg.exe; KEY begins HKLM\ or HKEY_LOCAL_MACHINE\ (or is the
// root alone), and a single trailing backslash is not counted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/registry_backend.h"

namespace quorvane::tools {

enum class RegOperation {
  // reg.exe's
  Query, Add, Delete, Copy, Compare, Export, Import,
  // the program's
  Show, Optimise, Verify, Restore, Preset,
};


// What query's search matches (/f, /t, or /v or /ve with /s): values, and
// without /t, /v or /ve also the names of keys below the one queried.
struct QuerySearch {
  // /f: the text sought, "*" for any; none: every value that the name and
  // type filters let through.
  std::optional<std::string> pattern;
  // Where the text is sought: /k key names, /v value names, /d data; none
  // of them given, all three.
  bool inKeyNames = true, inValueNames = true, inData = true;
  bool caseSensitive = false;  // /c; otherwise as the registry compares names
  bool exact = false;          // /e: the whole name or data; otherwise a part
  std::vector<store::ValueType> types;  // /t; empty: every type
};

// Which of compare's findings it prints.
enum class CompareOutput { All, Differences, Matches, None };

struct RegCommand {
  RegOperation operation = RegOperation::Query;
  // The key as query shows it: the root's long name, then the path as typed
  // without a trailing backslash.
  std::string keyName;
  // Below the root, as typed.
  std::string path;
  // copy's destination and compare's second key, as keyName and path.
  std::string secondKeyName, secondPath;
  // /v NAME, or "" for /ve; add's is "" when not given (the default value);
  // none given: the whole key (query, delete).
  std::optional<std::string> valueName;
  bool allValues = false;  // delete /va
  store::ValueType type = store::kTypeText;
  // What add stores, as the portable registry holds it: text in UTF-8
  // (REG_EXPAND_SZ and REG_MULTI_SZ with their NULs, as reg.exe stores
  // them), numbers little-endian, REG_NONE as reg.exe's UTF-16 text.
  std::vector<std::uint8_t> data;
  bool force = false;      // /f, /y for export and preset, /accept for optimise
  bool recurse = false;    // /s of query, copy and compare
  std::string file;        // export, import and preset
  std::string connection;  // optimise, verify and preset: the connection type as typed
  // query: its search, when it makes one; /z; /se, the separator shown
  // between a multi-string's texts.
  std::optional<QuerySearch> search;
  bool typeNumbers = false;
  std::string separator = "\\0";
  CompareOutput output = CompareOutput::Differences;  // compare /oa /od /os /on
};

struct RegParse {
  enum class Outcome {
    Run,      // command holds what to do
    Help,     // print message and succeed
    Version,  // print the program's version and succeed
    Error,    // print message to standard error and fail
  };
  Outcome outcome = Outcome::Error;
  RegCommand command;
  // For Help, the help asked for; for Error, the whole text: the usage
  // hint after a syntax error, one line alone for what the portable
  // registry has no meaning for (hive files, remote computers) and, on
  // Windows, for reg.exe's own commands.
  std::string message;
};

// Parses the arguments that follow the program's name.
RegParse ParseRegArguments(const std::vector<std::string>& args);

// The words of a command line (commands, options, type names, roots) as
// reg.exe compares them: ASCII letters in either case.
bool SameLetters(const std::string& a, const char* b);

}  // namespace quorvane::tools
