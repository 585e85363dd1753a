#include "tools/reg_arguments.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "tools/reg_texts.h"

namespace quorvane::tools {
namespace {

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

struct OperationName {
  const char* name;  // as typed, any letter case
  const char* shown; // in the usage hint
  RegOperation operation;
};
constexpr OperationName kOperations[] = {
    {"query", "QUERY", RegOperation::Query},
    {"add", "ADD", RegOperation::Add},
    {"delete", "DELETE", RegOperation::Delete},
};

// The names by which the one root may be given.
constexpr const char* kRootNames[] = {"HKLM", "HKEY_LOCAL_MACHINE"};

// The options, and which operations take them.
enum class Option { Value, DefaultValue, Type, Data, Force, View };
struct OptionSpec {
  const char* name;  // without its / or -
  Option option;
  bool takesArgument;
  bool query, add, remove;
};
constexpr OptionSpec kOptions[] = {
    {"v", Option::Value, true, true, true, true},
    {"ve", Option::DefaultValue, false, true, true, true},
    {"t", Option::Type, true, false, true, false},
    {"d", Option::Data, true, false, true, false},
    {"f", Option::Force, false, false, true, true},
    // The 32- or 64-bit view of the registry; the portable registry has one,
    // which both name. Given once at most, as one option.
    {"reg:32", Option::View, false, true, true, true},
    {"reg:64", Option::View, false, true, true, true},
};

struct TypeName {
  const char* name;
  store::ValueType type;
};
constexpr TypeName kTypes[] = {{"REG_SZ", store::kTypeText}, {"REG_DWORD", store::kTypeNumber}};

RegParse Error(const char* what, const char* operation) {
  RegParse parse;
  parse.outcome = RegParse::Outcome::Error;
  parse.message = std::string(what) + "\n" + text::kUsageHintBefore +
                  (*operation != '\0' ? std::string(" ") + operation : std::string()) +
                  text::kUsageHintAfter;
  return parse;
}

bool IsOption(const std::string& arg) {
  return arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-');
}

// A DWORD as reg.exe takes it: decimal digits, or 0x and hex digits, that
// fit in 32 bits unsigned.
std::optional<std::uint32_t> ParseDword(const std::string& data) {
  int base = 10;
  std::size_t start = 0;
  if (data.size() > 2 && data[0] == '0' && (data[1] == 'x' || data[1] == 'X')) {
    base = 16;
    start = 2;
  }
  if (start == data.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (std::size_t i = start; i < data.size(); ++i) {
    const int c = std::tolower(static_cast<unsigned char>(data[i]));
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return std::nullopt;
    }
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
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
  std::string shown = command->path;
  while (!shown.empty() && shown.back() == '\\') shown.pop_back();
  command->keyName = std::string(text::kRootName) + (shown.empty() ? "" : "\\" + shown);
  return true;
}

}  // namespace

RegParse ParseRegArguments(const std::vector<std::string>& args) {
  if (args.size() == 1 && (args[0] == "/?" || args[0] == "-?")) {
    return {RegParse::Outcome::Help, {}, {}};
  }
  const OperationName* operation = nullptr;
  if (!args.empty()) {
    for (const OperationName& known : kOperations) {
      if (SameLetters(args[0], known.name)) operation = &known;
    }
  }
  if (operation == nullptr) return Error(text::kInvalidSyntax, "");
  const char* shown = operation->shown;
  if (args.size() == 2 && (args[1] == "/?" || args[1] == "-?")) {
    return {RegParse::Outcome::Help, {}, {}};
  }

  RegParse parse;
  RegCommand& command = parse.command;
  command.operation = operation->operation;
  if (args.size() < 2 || IsOption(args[1])) return Error(text::kInvalidSyntax, shown);
  if (!ParseKey(args[1], &command)) return Error(text::kInvalidKeyName, shown);

  std::vector<Option> seen;
  std::optional<std::string> typeName;
  std::optional<std::string> data;
  for (std::size_t i = 2; i < args.size(); ++i) {
    if (!IsOption(args[i])) return Error(text::kInvalidSyntax, shown);
    const std::string name = args[i].substr(1);
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& known : kOptions) {
      if (SameLetters(name, known.name)) spec = &known;
    }
    const bool allowed = spec != nullptr && ((command.operation == RegOperation::Query && spec->query) ||
                                             (command.operation == RegOperation::Add && spec->add) ||
                                             (command.operation == RegOperation::Delete && spec->remove));
    if (!allowed || std::find(seen.begin(), seen.end(), spec->option) != seen.end()) {
      return Error(text::kInvalidSyntax, shown);
    }
    seen.push_back(spec->option);
    std::string argument;
    if (spec->takesArgument) {
      if (++i == args.size()) return Error(text::kInvalidSyntax, shown);
      argument = args[i];
    }
    switch (spec->option) {
      case Option::Value:
      case Option::DefaultValue:
        if (command.valueName) return Error(text::kInvalidSyntax, shown);  // both /v and /ve
        command.valueName = argument;
        break;
      case Option::Type:
        typeName = argument;
        break;
      case Option::Data:
        data = argument;
        break;
      case Option::Force:
        command.force = true;
        break;
      case Option::View:
        break;
    }
  }
  if (command.operation == RegOperation::Delete && !command.valueName) {
    return Error(text::kInvalidSyntax, shown);
  }

  if (command.operation == RegOperation::Add) {
    if (typeName) {
      const auto known = std::find_if(std::begin(kTypes), std::end(kTypes), [&](const TypeName& t) {
        return SameLetters(*typeName, t.name);
      });
      if (known == std::end(kTypes)) return Error(text::kInvalidSyntax, shown);
      command.type = known->type;
    }
    // A type or data without a name sets the default value; with neither,
    // only the key is made.
    if (!command.valueName && (typeName || data)) command.valueName = "";
    const std::string given = data.value_or("");
    if (command.type == store::kTypeNumber) {
      const auto number = data ? ParseDword(given) : std::optional<std::uint32_t>(0);
      if (!number) return Error(text::kInvalidNumber, shown);
      for (int shift = 0; shift < 32; shift += 8) {
        command.data.push_back(static_cast<std::uint8_t>(*number >> shift));  // little-endian
      }
    } else {
      command.data.assign(given.begin(), given.end());
    }
  }
  parse.outcome = RegParse::Outcome::Run;
  return parse;
}

}  // namespace quorvane::tools
