// What a quorvane-reg command line asks for, parsed apart from running it.
// The commands, their arguments and their options are rows of the command
// table (reg_commands.h), which the parser walks:
//
//   COMMAND POSITIONAL... [/OPTION [ARGUMENT]]...
//
// Commands and options ignore letter case and options may begin with / or
// -, as with reg.exe; KEY begins HKLM\ or HKEY_LOCAL_MACHINE\ (or is the
// root alone).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/registry_backend.h"

namespace quorvane::tools {

enum class RegOperation {
  // reg.exe's
  Query, Add, Delete, Export, Import,
  // the program's
  Show, Optimise, Verify, Restore, Preset,
};

struct RegCommand {
  RegOperation operation = RegOperation::Query;
  // The key as query shows it: the root's long name, then the path as typed
  // without a trailing backslash.
  std::string keyName;
  // Below the root, as typed.
  std::string path;
  // /v NAME, or "" for /ve; none given: the whole key (query, delete) or
  // the key alone (add).
  std::optional<std::string> valueName;
  store::ValueType type = store::kTypeText;
  // What add stores, as the portable registry holds it: text in UTF-8
  // (REG_EXPAND_SZ and REG_MULTI_SZ with their NULs, as reg.exe stores
  // them), numbers little-endian, REG_NONE as reg.exe's UTF-16 text.
  std::vector<std::uint8_t> data;
  bool force = false;      // /f, /y for export and preset, /accept for optimise
  bool recurse = false;    // query /s
  std::string file;        // export, import and preset
  std::string connection;  // optimise, verify and preset: the connection type as typed
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
  // For Help, the help asked for; for Error, the whole text, usage hint
  // included.
  std::string message;
};

// Parses the arguments that follow the program's name.
RegParse ParseRegArguments(const std::vector<std::string>& args);

// The words of a command line (commands, options, type names, roots) as
// reg.exe compares them: ASCII letters in either case.
bool SameLetters(const std::string& a, const char* b);

}  // namespace quorvane::tools
