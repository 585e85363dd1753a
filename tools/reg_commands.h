// quorvane-reg's commands, each described once, in one table: its name,
// its positional arguments, its options, what it does with the store, its
// help and its runner. The parser (reg_arguments.cpp), the usage, the
// dispatch (reg_run.cpp) and the fuzzer walk the table; nothing else in the
// code names a command's syntax.
//
// A command is added as a RegOperation, a row of kCommands
// (reg_commands.cpp) and its runner; an option as a row of its command's
// options, with an Option for a meaning no command had before (the parser
// stores it). A rule of several options together, beyond "each once", is
// the command's complete(). What reg.exe does on hive files is no command
// here but a name of kHiveOperations, refused (IsHiveOperation).
#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

#ifdef _WIN32
#include "store/win_registry.h"
#else
#include "store/sqlite_registry.h"
#endif
#include "tools/reg_arguments.h"

namespace quorvane::tools {

// The registry that the commands work on: the portable registry, in the file
// that the environment names; on Windows the registry itself, where
// Windows' reg.exe does reg.exe's commands, and quorvane-reg.exe the
// program's.
#ifdef _WIN32
using CommandStore = store::WinRegistry;
inline constexpr bool kRegExeCommandsRun = false;
#else
using CommandStore = store::SqliteRegistry;
inline constexpr bool kRegExeCommandsRun = true;
#endif

// The arguments a command takes before its options, in their order.
enum class Positional {
  Key,         // HKLM\PATH, UTF-8 text: RegCommand::keyName and path
  SecondKey,   // another: RegCommand::secondKeyName and secondPath
  File,        // any argument (a path may begin with /): RegCommand::file
  Connection,  // any argument, which the runner checks: RegCommand::connection
};

// What an option means. One meaning may go by a name of its own in each
// command (add's /f is export's /y), and one name by a meaning of its own
// in each (query's /s recurses, add's /s separates). Rows of one meaning
// are given once at most between them (/reg:32 and /reg:64; compare's /oa,
// /od, /os and /on).
enum class Option {
  Value, DefaultValue, AllValues, Type, Data, Force, View, Recurse, Separator,
  Find, InKeyNames, InData, CaseSensitive, Exact, TypeNumbers, Output,
};

struct OptionRow {
  const char* name;  // without its / or -, any letter case
  Option option;
  // Takes the next argument as its own, whatever it begins with; UTF-8 text.
  bool takesArgument = false;
  // ...unless none follows or the next names an option of the command
  // (query's /v, whose name may be left out with /f).
  bool argumentOptional = false;
};

// The options that their command makes sense of only together, in
// complete(): add's /t, /d and /s; query's search and /se; compare's
// output.
struct GivenOptions {
  std::optional<std::string> type, data, separator, find;
  bool valueNames = false;  // query's /v without a name
  bool inKeyNames = false, inData = false, caseSensitive = false, exact = false;
  const char* output = nullptr;  // the output option's name
};

// Whose command it is: the usage lists each family's commands together,
// and reg.exe's commands work on the portable registry only (Windows has
// reg.exe itself: kRegExeCommandsRun).
enum class Family {
  RegExe,   // reg.exe's operations, with its syntax, output and exit codes
  Program,  // Quorvane's own
};

// What a command does with the store that the environment names.
enum class StoreUse {
  None,      // opens none: it writes a file only
  Existing,  // works on the store that is there; where none is, the key
             // is not found and none is made
  Read,      // reads only, writing nothing: a store that is missing reads
             // as an empty one, and none is made
  Made,      // writes: the store is made where it is missing
};

// What a runner is given.
struct CommandRun {
  const RegCommand& command;
  CommandStore* store;  // open; null when the row's StoreUse is None
  std::istream& in;     // answers to the questions asked without /f
  std::ostream& out;
  std::ostream& err;
  // Standard input is a console, where a person answers. The program's
  // questions are asked only there: elsewhere (a start-up script, a
  // remediation) nobody answers, and an operation asked is declined.
  bool console = false;
};

struct CommandRow {
  const char* name;  // lower case; typed in any
  RegOperation operation;
  Family family;
  StoreUse store;
  std::span<const Positional> positionals = {};
  std::span<const OptionRow> options = {};
  // Checks and completes command once every option is read: null when it
  // is done, or the text of the syntax error. None: nothing to check.
  const char* (*complete)(const GivenOptions& given, RegCommand* command) = nullptr;
  const char* synopsis;         // the command's line in the whole usage
  const char* summary = "";     // lines of their own below it there
  const char* help = nullptr;   // what NAME /? shows below the synopsis
  // Runs a command that parsed; answers the exit code. Questions go to out
  // and failures to err, as reg.exe words them; the dispatch delivers out.
  int (*run)(const CommandRun& run);
};

// Every command, in the order of the usage within each family.
std::span<const CommandRow> Commands();

// The command called name in any letter case, or null.
const CommandRow* CommandNamed(const std::string& name);

// The row of operation; every operation has one.
const CommandRow& CommandOf(RegOperation operation);

// The whole tool's usage, which /? shows: each family's commands, each
// with its synopsis and summary, then the family's notes.
std::string Usage();

// What NAME /? shows: the command's synopsis, then its help; for one
// without, its summary and its family's notes.
std::string HelpOf(const CommandRow& row);

// A command's name as reg.exe names it in its messages: in capitals.
std::string ShownName(std::string name);

// True when name (any letter case) is one of reg.exe's operations on the
// hive files of Windows' registry, which the portable registry, one file,
// has none of: save, restore, load, unload and flags. They are refused,
// whatever follows, unless a row of the table has the name and no key
// follows it: Quorvane's own restore takes none.
bool IsHiveOperation(const std::string& name);

// The runners, each in the file of what it does: reg.exe's in reg_query.cpp,
// reg_add_delete.cpp, reg_copy.cpp, reg_compare.cpp and reg_transfer.cpp
// (on Windows, reg_exe_windows.cpp says where they are); the program's in
// reg_show.cpp, reg_optimise.cpp, reg_restore.cpp and reg_preset.cpp.
int RunQuery(const CommandRun& run);
int RunAdd(const CommandRun& run);
int RunDelete(const CommandRun& run);
int RunCopy(const CommandRun& run);
int RunCompare(const CommandRun& run);
int RunExport(const CommandRun& run);
int RunImport(const CommandRun& run);
int RunShow(const CommandRun& run);
int RunOptimise(const CommandRun& run);
int RunVerify(const CommandRun& run);
int RunRestore(const CommandRun& run);
int RunPreset(const CommandRun& run);

// add's /t, /d and /s as the data that add stores (reg_add_data.cpp);
// query's search, /t and /se as what it shows (reg_query.cpp).
const char* CompleteAdd(const GivenOptions& given, RegCommand* command);
const char* CompleteQuery(const GivenOptions& given, RegCommand* command);

}  // namespace quorvane::tools
