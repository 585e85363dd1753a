#include "tools/reg_arguments.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "tools/reg_commands.h"
#include "tools/reg_file.h"
#include "tools/reg_texts.h"
#include "tools/utf16.h"

namespace quorvane::tools {
namespace {

// The names by which the one root may be given.
constexpr const char* kRootNames[] = {"HKLM", "HKEY_LOCAL_MACHINE"};

// The arguments that ask for the whole tool's help, alone, and for a
// command's after its name.
constexpr const char* kToolHelp[] = {"/?", "-?", "--help"};
constexpr const char* kCommandHelp[] = {"/?", "-?"};

bool IsOneOf(const std::string& arg, std::span<const char* const> words) {
  return std::any_of(words.begin(), words.end(), [&](const char* word) { return arg == word; });
}

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
bool IsText(const std::string& arg) { return ValidUtf8(arg) == arg; }

bool IsOption(const std::string& arg) {
  return arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-');
}

// Splits KEY into the shown name and the path below the root; false when
// the root is not HKEY_LOCAL_MACHINE.
bool ParseKey(const std::string& key, RegCommand* command) {
  const std::size_t slash = key.find('\\');
  const std::string root = key.substr(0, slash);
  if (std::none_of(std::begin(kRootNames), std::end(kRootNames),
                   [&](const char* name) { return SameLetters(root, name); })) {
    return false;
  }
  command->path = slash == std::string::npos ? "" : key.substr(slash + 1);
  const std::string shown = WithoutTrailingBackslashes(command->path);
  command->keyName = std::string(text::kRootName) + (shown.empty() ? "" : "\\" + shown);
  return true;
}

// Reads the positional argument at *next into command: null, or the text of
// the error.
const char* ReadPositional(Positional positional, const std::vector<std::string>& args,
                           std::size_t* next, RegCommand* command) {
  if (*next == args.size()) return text::kInvalidSyntax;
  const std::string& arg = args[(*next)++];
  switch (positional) {
    case Positional::Key:
      if (IsOption(arg)) return text::kInvalidSyntax;
      if (!IsText(arg)) return text::kInvalidText;
      return ParseKey(arg, command) ? nullptr : text::kInvalidKeyName;
    case Positional::File:
      command->file = arg;
      return nullptr;
    case Positional::Connection:
      command->connection = arg;
      return nullptr;
  }
  return text::kInvalidSyntax;
}

// Stores what option says: false when it cannot stand beside what the
// options before it said.
bool Store(Option option, const std::string& argument, RegCommand* command,
           GivenOptions* given) {
  switch (option) {
    case Option::Value:
    case Option::DefaultValue:
      if (command->valueName) return false;  // both /v and /ve
      command->valueName = argument;
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
    case Option::Force:
      command->force = true;
      return true;
    case Option::Recurse:
      command->recurse = true;
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
  if (row == nullptr) return Error(text::kInvalidSyntax, "");
  const std::string shown = ShownName(*row);
  if (row->family == Family::RegExe && !kRegExeCommandsRun) {
    return {RegParse::Outcome::Error, {},
            text::kRegExeCommandBefore + shown + text::kRegExeCommandMiddle + shown +
                text::kRegExeCommandAfter};
  }
  if (args.size() == 2 && IsOneOf(args[1], kCommandHelp)) {
    return {RegParse::Outcome::Help, {}, HelpOf(*row)};
  }

  RegParse parse;
  RegCommand& command = parse.command;
  command.operation = row->operation;
  std::size_t next = 1;
  for (const Positional positional : row->positionals) {
    if (const char* error = ReadPositional(positional, args, &next, &command)) {
      return Error(error, shown);
    }
  }

  if (row->withArgument != nullptr && next < args.size() && !IsOption(args[next])) {
    return {RegParse::Outcome::Error, {}, row->withArgument};
  }

  std::vector<Option> seen;
  GivenOptions given;
  for (std::size_t i = next; i < args.size(); ++i) {
    if (!IsOption(args[i])) return Error(text::kInvalidSyntax, shown);
    const std::string name = args[i].substr(1);
    const auto spec = std::find_if(row->options.begin(), row->options.end(),
                                   [&](const OptionRow& known) {
                                     return SameLetters(name, known.name);
                                   });
    if (spec == row->options.end() ||
        std::find(seen.begin(), seen.end(), spec->option) != seen.end()) {
      return Error(text::kInvalidSyntax, shown);
    }
    seen.push_back(spec->option);
    std::string argument;
    if (spec->takesArgument) {
      if (++i == args.size()) return Error(text::kInvalidSyntax, shown);
      if (!IsText(args[i])) return Error(text::kInvalidText, shown);
      argument = args[i];
    }
    if (!Store(spec->option, argument, &command, &given)) {
      return Error(text::kInvalidSyntax, shown);
    }
  }
  if (row->complete != nullptr) {
    if (const char* error = row->complete(given, &command)) return Error(error, shown);
  }
  parse.outcome = RegParse::Outcome::Run;
  return parse;
}

}  // namespace quorvane::tools
