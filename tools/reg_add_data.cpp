// What add stores for its /t, /d and /s: the value's type by reg.exe's name
// and its data as the portable registry holds it.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/reg_commands.h"
#include "tools/reg_texts.h"
#include "tools/reg_value_text.h"
#include "tools/utf16.h"

namespace quorvane::tools {
namespace {

// A number as reg.exe takes it: decimal digits, or 0x and hex digits, that
// fit in bits bits unsigned. Decimal digits after a minus sign stand for
// the number's two's complement in 64 bits, which only a REG_QWORD holds
// (-1 is 0xFFFFFFFFFFFFFFFF).
std::optional<std::uint64_t> ParseNumber(const std::string& data, int bits) {
  if (data.size() > 1 && data[0] == '-' &&
      std::all_of(data.begin() + 1, data.end(),
                  [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
    const auto magnitude = ParseNumber(data.substr(1), 64);
    if (!magnitude) return std::nullopt;
    return ParseNumber(std::to_string(0 - *magnitude), bits);
  }
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
// ends the list, as reg.exe makes them: a separator may end the data, and
// none may begin it or follow another, except that the separator alone is
// one empty string. The separator is \0 unless given.
std::optional<std::vector<std::uint8_t>> ParseMultiString(std::string data,
                                                          const std::string& separator) {
  std::vector<std::uint8_t> bytes;
  if (data == separator) {
    data.clear();
    bytes.push_back(0);
  } else if (data.ends_with(separator)) {
    data.resize(data.size() - separator.size());
    if (data.ends_with(separator)) return std::nullopt;
  }
  for (std::size_t start = 0; start < data.size();) {
    const std::size_t end = std::min(data.find(separator, start), data.size());
    if (end == start) return std::nullopt;
    bytes.insert(bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(start),
                 data.begin() + static_cast<std::ptrdiff_t>(end));
    bytes.push_back(0);
    start = end == data.size() ? end : end + separator.size();
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
    // Either REG_DWORD is written low byte first, as Windows writes them.
    case store::kTypeNumber:
    case store::kTypeNumberBigEndian:
    case store::kTypeNumber64: {
      *error = text::kInvalidNumber;
      const int bits = type == store::kTypeNumber64 ? 64 : 32;
      // A REG_QWORD without data is 0; a REG_DWORD needs its number.
      if (!data && bits != 64) return std::nullopt;
      const std::optional<std::uint64_t> parsed = data ? ParseNumber(given, bits) : 0;
      if (!parsed) return std::nullopt;
      const std::uint64_t number = *parsed;
      std::vector<std::uint8_t> bytes;
      for (int shift = 0; shift < bits; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(number >> shift));  // little-endian
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

}  // namespace

const char* CompleteAdd(const GivenOptions& given, RegCommand* command) {
  if (given.type) {
    const auto type = TypeNamed(*given.type);
    if (!type) return text::kInvalidSyntax;
    command->type = *type;
  }
  // The separator is one character, and only for a multi-string.
  if (given.separator &&
      (command->type != store::kTypeMultiText || !IsOneCharacter(*given.separator))) {
    return text::kInvalidSyntax;
  }
  // Without a name, add sets the default value: to an empty REG_SZ when
  // given neither a type nor data, as reg.exe does.
  if (!command->valueName) command->valueName = "";
  const char* error = nullptr;
  auto bytes = AddData(command->type, given.data, given.separator.value_or("\\0"), &error);
  if (!bytes) return error;
  command->data = std::move(*bytes);
  return nullptr;
}

}  // namespace quorvane::tools
