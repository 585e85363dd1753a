#include "tools/reg_arguments.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "tools/reg_file.h"
#include "tools/reg_texts.h"
#include "tools/utf16.h"

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
    {"export", "EXPORT", RegOperation::Export},
    {"import", "IMPORT", RegOperation::Import},
};

// The names by which the one root may be given.
constexpr const char* kRootNames[] = {"HKLM", "HKEY_LOCAL_MACHINE"};

// The options, and which operations take them.
enum class Option { Value, DefaultValue, Type, Data, Force, View, Recurse, Separator };
struct OptionSpec {
  const char* name;  // without its / or -
  Option option;
  bool takesArgument;
  bool query, add, remove, exports, imports;
};
constexpr OptionSpec kOptions[] = {
    {"v", Option::Value, true, true, true, true, false, false},
    {"ve", Option::DefaultValue, false, true, true, true, false, false},
    {"t", Option::Type, true, false, true, false, false, false},
    {"d", Option::Data, true, false, true, false, false, false},
    {"f", Option::Force, false, false, true, true, false, false},
    {"y", Option::Force, false, false, false, false, true, false},
    {"s", Option::Recurse, false, true, false, false, false, false},
    {"s", Option::Separator, true, false, true, false, false, false},
    // The 32- or 64-bit view of the registry; the portable registry has one,
    // which both name. Given once at most, as one option.
    {"reg:32", Option::View, false, true, true, true, true, true},
    {"reg:64", Option::View, false, true, true, true, true, true},
};

bool Takes(const OptionSpec& spec, RegOperation operation) {
  switch (operation) {
    case RegOperation::Query:
      return spec.query;
    case RegOperation::Add:
      return spec.add;
    case RegOperation::Delete:
      return spec.remove;
    case RegOperation::Export:
      return spec.exports;
    case RegOperation::Import:
      return spec.imports;
  }
  return false;
}

// The positional arguments each operation takes: a key, then a file.
struct Positionals {
  RegOperation operation;
  bool key;
  bool file;
};
constexpr Positionals kPositionals[] = {
    {RegOperation::Query, true, false},  {RegOperation::Add, true, false},
    {RegOperation::Delete, true, false}, {RegOperation::Export, true, true},
    {RegOperation::Import, false, true},
};

struct TypeName {
  const char* name;
  store::ValueType type;
};
constexpr TypeName kTypes[] = {
    {"REG_SZ", store::kTypeText},
    {"REG_EXPAND_SZ", store::kTypeExpandableText},
    {"REG_MULTI_SZ", store::kTypeMultiText},
    {"REG_DWORD", store::kTypeNumber},
    {"REG_QWORD", store::kTypeNumber64},
    {"REG_BINARY", store::kTypeBinary},
    {"REG_NONE", store::kTypeNone},
};

RegParse Error(const char* what, const char* operation) {
  RegParse parse;
  parse.outcome = RegParse::Outcome::Error;
  parse.message = std::string(what) + "\n" + text::kUsageHintBefore +
                  (*operation != '\0' ? std::string(" ") + operation : std::string()) +
                  text::kUsageHintAfter;
  return parse;
}

// Names and data are text, which the registry holds in UTF-8 here (reg.exe
// gets UTF-16 from Windows, where no other bytes can arrive); a file's name
// is the system's and may be any bytes.
bool IsText(const std::string& arg) { return ValidUtf8(arg) == arg; }

bool IsOption(const std::string& arg) {
  return arg.size() >= 2 && (arg[0] == '/' || arg[0] == '-');
}

// A number as reg.exe takes it: decimal digits, or 0x and hex digits, that
// fit in bits bits unsigned.
std::optional<std::uint64_t> ParseNumber(const std::string& data, int bits) {
  int base = 10;
  std::size_t start = 0;
  if (data.size() > 2 && data[0] == '0' && (data[1] == 'x' || data[1] == 'X')) {
    base = 16;
    start = 2;
  }
  if (start == data.size()) return std::nullopt;
  const std::uint64_t largest = bits == 64 ? ~0ull : (1ull << bits) - 1;
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
    const auto step = static_cast<std::uint64_t>(base);
    if (value > (largest - static_cast<std::uint64_t>(digit)) / step) return std::nullopt;
    value = value * step + static_cast<std::uint64_t>(digit);
  }
  return value;
}

// Hex digits as bytes; an odd count reads as if a 0 led, as with reg.exe.
std::optional<std::vector<std::uint8_t>> ParseBinary(const std::string& data) {
  const std::string digits = (data.size() % 2 != 0 ? "0" : "") + data;
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    const auto byte = ParseNumber("0x" + digits.substr(i, 2), 8);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(*byte));
  }
  return bytes;
}

// The strings of a multi-string, each ended by its NUL, and the NUL that
// ends the list; none may be empty. The separator is \0 unless given.
std::optional<std::vector<std::uint8_t>> ParseMultiString(const std::string& data,
                                                          const std::string& separator) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t start = 0; start < data.size();) {
    const std::size_t end = std::min(data.find(separator, start), data.size());
    if (end == start) return std::nullopt;
    bytes.insert(bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(start),
                 data.begin() + static_cast<std::ptrdiff_t>(end));
    bytes.push_back(0);
    start = end == data.size() ? end : end + separator.size();
    if (start == data.size() && end != data.size()) return std::nullopt;  // ends in a separator
  }
  bytes.push_back(0);
  return bytes;
}

// What add stores for data of type, or nullopt with *error set.
std::optional<std::vector<std::uint8_t>> AddData(store::ValueType type,
                                                 const std::optional<std::string>& data,
                                                 const std::string& separator,
                                                 const char** error) {
  const std::string given = data.value_or("");
  *error = text::kInvalidSyntax;
  switch (type) {
    case store::kTypeNumber:
    case store::kTypeNumber64: {
      *error = text::kInvalidNumber;
      const int bits = type == store::kTypeNumber ? 32 : 64;
      const auto number = data ? ParseNumber(given, bits) : std::optional<std::uint64_t>(0);
      if (!number) return std::nullopt;
      std::vector<std::uint8_t> bytes;
      for (int shift = 0; shift < bits; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(*number >> shift));  // little-endian
      }
      return bytes;
    }
    case store::kTypeBinary:
      return ParseBinary(given);
    case store::kTypeMultiText:
      return ParseMultiString(given, separator);
    case store::kTypeExpandableText: {
      std::vector<std::uint8_t> bytes(given.begin(), given.end());
      bytes.push_back(0);
      return bytes;
    }
    case store::kTypeNone: {  // reg.exe stores its text, NUL and all, in UTF-16
      std::vector<std::uint8_t> bytes = LittleEndianBytes(Utf16Of(given));
      bytes.insert(bytes.end(), {0, 0});
      return bytes;
    }
    default:
      return std::vector<std::uint8_t>(given.begin(), given.end());
  }
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

}  // namespace

RegParse ParseRegArguments(const std::vector<std::string>& args) {
  if (args.size() == 1 && (args[0] == "/?" || args[0] == "-?" || args[0] == "--help")) {
    return {RegParse::Outcome::Help, {}, {}};
  }
  if (args.size() == 1 && args[0] == "--version") return {RegParse::Outcome::Version, {}, {}};
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
  const Positionals& positionals = *std::find_if(
      std::begin(kPositionals), std::end(kPositionals),
      [&](const Positionals& known) { return known.operation == command.operation; });
  std::size_t next = 1;
  if (positionals.key) {
    if (args.size() <= next || IsOption(args[next])) return Error(text::kInvalidSyntax, shown);
    if (!IsText(args[next])) return Error(text::kInvalidText, shown);
    if (!ParseKey(args[next++], &command)) return Error(text::kInvalidKeyName, shown);
  }
  if (positionals.file) {
    // Any argument: a file's path may begin with / here.
    if (args.size() <= next) return Error(text::kInvalidSyntax, shown);
    command.file = args[next++];
  }

  std::vector<Option> seen;
  std::optional<std::string> typeName;
  std::optional<std::string> data;
  std::optional<std::string> separator;
  for (std::size_t i = next; i < args.size(); ++i) {
    if (!IsOption(args[i])) return Error(text::kInvalidSyntax, shown);
    const std::string name = args[i].substr(1);
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& known : kOptions) {
      if (SameLetters(name, known.name) && Takes(known, command.operation)) spec = &known;
    }
    if (spec == nullptr || std::find(seen.begin(), seen.end(), spec->option) != seen.end()) {
      return Error(text::kInvalidSyntax, shown);
    }
    seen.push_back(spec->option);
    std::string argument;
    if (spec->takesArgument) {
      if (++i == args.size()) return Error(text::kInvalidSyntax, shown);
      if (!IsText(args[i])) return Error(text::kInvalidText, shown);
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
      case Option::Recurse:
        command.recurse = true;
        break;
      case Option::Separator:
        separator = argument;
        break;
      case Option::View:
        break;
    }
  }
  // A search of the subtree for one value is not offered.
  if (command.recurse && command.valueName) return Error(text::kInvalidSyntax, shown);

  if (command.operation == RegOperation::Add) {
    if (typeName) {
      const auto known = std::find_if(std::begin(kTypes), std::end(kTypes), [&](const TypeName& t) {
        return SameLetters(*typeName, t.name);
      });
      if (known == std::end(kTypes)) return Error(text::kInvalidSyntax, shown);
      command.type = known->type;
    }
    // The separator is one character, and only for a multi-string.
    if (separator && (command.type != 7 || separator->size() != 1)) {
      return Error(text::kInvalidSyntax, shown);
    }
    // A type or data without a name sets the default value; with neither,
    // only the key is made.
    if (!command.valueName && (typeName || data)) command.valueName = "";
    const char* error = nullptr;
    auto bytes = AddData(command.type, data, separator.value_or("\\0"), &error);
    if (!bytes) return Error(error, shown);
    command.data = std::move(*bytes);
  }
  parse.outcome = RegParse::Outcome::Run;
  return parse;
}

}  // namespace quorvane::tools
