#include "tools/reg_arguments.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "tools/reg_commands.h"
#include "tools/reg_file.h"
#include "tools/reg_texts.h"
#include "tools/reg_value_text.h"
#include "tools/utf16.h"

namespace quorvane::tools {
namespace {

// The names by which the one root may be given.
constexpr const char* kRootNames[] = {"HKLM", "HKEY_LOCAL_MACHINE"};

// The arguments that ask for the whole tool's help, alone, and for a
// command's after its name, in any letter case.
constexpr const char* kToolHelp[] = {"/?", "-?", "/h", "-h", "--help"};
constexpr const char* kCommandHelp[] = {"/?", "-?", "/h", "-h"};

bool IsOneOf(const std::string& arg, std::span<const char* const> words) {
  return std::any_of(words.begin(), words.end(),
                     [&](const char* word) { return SameLetters(arg, word); });
}

// A command refused with one line and no usage: what the portable registry
// has no meaning for, or on Windows what Windows' reg.exe does.
RegParse Refused(std::string what) { return {RegParse::Outcome::Error, {}, std::move(what)}; }

RegParse Error(const char* what, const std::string& command) {
  RegParse parse;
  parse.outcome = RegParse::Outcome::Error;
  parse.message = std::string(what) + "\n" + text::kUsageHintBefore +
                  (command.empty() ? std::string() : " " + command) + text::kUsageHintAfter;
  return parse;
}

// Names and data are text, which the registry holds in UTF-8 here (reg.exe
// gets UTF-16 from Windows, where no other bytes can arrive); a file's name
// is the system's and may be any bytes.
bool IsText(const std::string& arg) { return IsValidUtf8(arg); }

bool IsOption(const std::string& arg) {
  return arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-');
}

// Splits KEY into the shown name and the path below the root: null, or
// the text of the error. The root alone is a key; its name and a backslash
// alone are not, nor is a path that ends in two backslashes.
const char* ParseKey(const std::string& key, std::string* shown, std::string* path) {
  const std::size_t slash = key.find('\\');
  const std::string root = key.substr(0, slash);
  if (std::none_of(std::begin(kRootNames), std::end(kRootNames),
                   [&](const char* name) { return SameLetters(root, name); })) {
    return text::kInvalidKeyName;
  }
  *path = slash == std::string::npos ? "" : key.substr(slash + 1);
  if (slash != std::string::npos && path->empty()) return text::kInvalidSystemKey;
  if (path->ends_with("\\\\")) return text::kInvalidKeyName;
  const std::string below = WithoutTrailingBackslashes(*path);
  *shown = KeyShown(below);
  return nullptr;
}

bool IsKey(Positional positional) {
  return positional == Positional::Key || positional == Positional::SecondKey;
}

// Reads the positional argument at *next into command: null, or the text of
// the error.
const char* ReadPositional(Positional positional, const std::vector<std::string>& args,
                           std::size_t* next, RegCommand* command) {
  if (*next == args.size()) return text::kInvalidSyntax;
  const std::string& arg = args[(*next)++];
  if (IsKey(positional)) {
    if (IsOption(arg)) return text::kInvalidSyntax;
    if (!IsText(arg)) return text::kInvalidText;
  }
  switch (positional) {
    case Positional::Key:
      return ParseKey(arg, &command->keyName, &command->path);
    case Positional::SecondKey:
      return ParseKey(arg, &command->secondKeyName, &command->secondPath);
    case Positional::File:
      command->file = arg;
      return nullptr;
    case Positional::Connection:
      command->connection = arg;
      return nullptr;
  }
  return text::kInvalidSyntax;
}

// The option of row that arg names, or null.
const OptionRow* OptionNamed(const CommandRow& row, const std::string& arg) {
  if (!IsOption(arg)) return nullptr;
  const std::string name = arg.substr(1);
  const auto spec = std::find_if(row.options.begin(), row.options.end(),
                                 [&](const OptionRow& known) {
                                   return SameLetters(name, known.name);
                                 });
  return spec == row.options.end() ? nullptr : &*spec;
}

// Stores what option says, with its argument when it took one: false when
// it cannot stand beside what the options before it said.
bool Store(const OptionRow& spec, const std::optional<std::string>& argument,
           RegCommand* command, GivenOptions* given) {
  switch (spec.option) {
    case Option::Value:
      if (!argument) {  // query's, with /f: a search of value names
        given->valueNames = true;
        return true;
      }
      [[fallthrough]];
    case Option::DefaultValue:
      if (command->valueName || command->allValues) return false;  // /v, /ve, /va: one
      command->valueName = argument.value_or("");
      return true;
    case Option::AllValues:
      if (command->valueName) return false;
      command->allValues = true;
      return true;
    case Option::Type:
      given->type = argument;
      return true;
    case Option::Data:
      given->data = argument;
      return true;
    case Option::Separator:
      given->separator = argument;
      return true;
    case Option::Find:
      given->find = argument;
      return true;
    case Option::Force:
      command->force = true;
      return true;
    case Option::Recurse:
      command->recurse = true;
      return true;
    case Option::InKeyNames:
      given->inKeyNames = true;
      return true;
    case Option::InData:
      given->inData = true;
      return true;
    case Option::CaseSensitive:
      given->caseSensitive = true;
      return true;
    case Option::Exact:
      given->exact = true;
      return true;
    case Option::TypeNumbers:
      command->typeNumbers = true;
      return true;
    case Option::Output:
      given->output = spec.name;
      return true;
    case Option::View:
      return true;
  }
  return false;
}

}  // namespace

bool SameLetters(const std::string& a, const char* b) {
  const std::size_t length = std::strlen(b);
  if (a.size() != length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

RegParse ParseRegArguments(const std::vector<std::string>& args) {
  if (args.size() == 1 && IsOneOf(args[0], kToolHelp)) {
    return {RegParse::Outcome::Help, {}, Usage()};
  }
  if (args.size() == 1 && args[0] == "--version") return {RegParse::Outcome::Version, {}, {}};
  const CommandRow* row = args.empty() ? nullptr : CommandNamed(args[0]);
  // reg.exe's operations on hive files, and its restore of a key, which the
  // program's restore (no key) is not.
  const bool hive = !args.empty() && IsHiveOperation(args[0]) &&
                    (row == nullptr || (args.size() > 1 && !IsOption(args[1])));
  if (row == nullptr && !hive) return Error(text::kInvalidSyntax, "");
  const std::string shown = ShownName(args[0]);
  // On Windows reg.exe's commands, those on hive files among them, are
  // Windows' own reg.exe's.
  if (!kRegExeCommandsRun && (hive || row->family == Family::RegExe)) {
    return Refused(text::kRegExeCommandBefore + shown + text::kRegExeCommandMiddle + shown +
                   text::kRegExeCommandAfter);
  }
  if (hive) return Refused(text::kHiveOperationBefore + shown + text::kHiveOperationAfter);
  if (args.size() == 2 && IsOneOf(args[1], kCommandHelp)) {
    return {RegParse::Outcome::Help, {}, HelpOf(*row)};
  }

  RegParse parse;
  RegCommand& command = parse.command;
  command.operation = row->operation;
  std::size_t next = 1;
  for (const Positional positional : row->positionals) {
    if (IsKey(positional) && next < args.size() && args[next].starts_with("\\\\")) {
      return Refused(text::kRemoteComputer);
    }
    if (const char* error = ReadPositional(positional, args, &next, &command)) {
      return Error(error, shown);
    }
  }

  std::vector<Option> seen;
  GivenOptions given;
  for (std::size_t i = next; i < args.size(); ++i) {
    const OptionRow* spec = OptionNamed(*row, args[i]);
    if (spec == nullptr || std::find(seen.begin(), seen.end(), spec->option) != seen.end()) {
      return Error(text::kInvalidSyntax, shown);
    }
    seen.push_back(spec->option);
    std::optional<std::string> argument;
    if (spec->takesArgument) {
      const bool follows = i + 1 < args.size() &&
                           !(spec->argumentOptional && OptionNamed(*row, args[i + 1]));
      if (follows) {
        if (!IsText(args[++i])) return Error(text::kInvalidText, shown);
        argument = args[i];
      } else if (!spec->argumentOptional) {
        return Error(text::kInvalidSyntax, shown);
      }
    }
    if (!Store(*spec, argument, &command, &given)) return Error(text::kInvalidSyntax, shown);
  }
  if (row->complete != nullptr) {
    if (const char* error = row->complete(given, &command)) return Error(error, shown);
  }
  parse.outcome = RegParse::Outcome::Run;
  return parse;
}

}  // namespace quorvane::tools
