#include "tools/reg_value_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "engine/steps.h"
#include "store/registry_names.h"
#include "tools/reg_arguments.h"
#include "tools/reg_file.h"
#include "tools/reg_texts.h"

namespace quorvane::tools {
namespace {

struct TypeRow {
  store::ValueType type;
  const char* name;  // the first row of a type names it in a listing
  bool written;      // add writes it, and /t names it
};
constexpr TypeRow kTypes[] = {
    {store::kTypeNone, "REG_NONE", true},
    {store::kTypeText, "REG_SZ", true},
    {store::kTypeExpandableText, "REG_EXPAND_SZ", true},
    {store::kTypeBinary, "REG_BINARY", true},
    {store::kTypeNumber, "REG_DWORD", true},
    {store::kTypeNumber, "REG_DWORD_LITTLE_ENDIAN", true},
    {store::kTypeNumberBigEndian, "REG_DWORD_BIG_ENDIAN", true},
    {6, "REG_LINK", false},
    {store::kTypeMultiText, "REG_MULTI_SZ", true},
    {8, "REG_RESOURCE_LIST", false},
    {9, "REG_FULL_RESOURCE_DESCRIPTOR", false},
    {10, "REG_RESOURCE_REQUIREMENTS_LIST", false},
    {store::kTypeNumber64, "REG_QWORD", true},
};

std::string Hex(std::uint64_t number, bool prefix) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, prefix ? "0x%llx" : "%llX",
                static_cast<unsigned long long>(number));
  return buffer;
}

std::uint64_t LittleEndian(const std::vector<std::uint8_t>& data) {
  std::uint64_t number = 0;
  for (std::size_t i = data.size(); i-- > 0;) number = number << 8 | data[i];
  return number;
}

}  // namespace

std::optional<store::ValueType> TypeNamed(const std::string& name) {
  const auto row = std::find_if(std::begin(kTypes), std::end(kTypes), [&](const TypeRow& known) {
    return known.written && SameLetters(name, known.name);
  });
  if (row == std::end(kTypes)) return std::nullopt;
  return row->type;
}

std::string ShownType(store::ValueType type, bool number) {
  const auto row = std::find_if(std::begin(kTypes), std::end(kTypes),
                                [&](const TypeRow& known) { return known.type == type; });
  std::string shown = row != std::end(kTypes) ? row->name : Hex(type, true);
  if (number) shown += " (" + std::to_string(type) + ")";
  return shown;
}

std::string ShownData(store::ValueType type, const std::vector<std::uint8_t>& data,
                      const std::string& separator) {
  const std::string bytes(data.begin(), data.end());
  switch (type) {
    case store::kTypeText:
    case store::kTypeExpandableText:
      return bytes.substr(0, bytes.find('\0'));
    case store::kTypeMultiText: {
      std::string shown;
      std::size_t start = 0;
      while (start < bytes.size() && bytes[start] != '\0') {
        const std::size_t end = std::min(bytes.find('\0', start), bytes.size());
        if (start > 0) shown += separator;
        shown += bytes.substr(start, end - start);
        start = end + 1;
      }
      return shown;
    }
    // Windows writes REG_DWORD_BIG_ENDIAN's number as REG_DWORD's, low byte
    // first, and reg.exe shows both alike.
    case store::kTypeNumber:
    case store::kTypeNumberBigEndian:
    case store::kTypeNumber64:
      if (data.size() == (type == store::kTypeNumber64 ? 8u : 4u)) {
        return Hex(LittleEndian(data), true);
      }
      break;
    default:
      break;
  }
  std::string shown;
  for (const std::uint8_t byte : data) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", byte);
    shown += pair;
  }
  return shown;
}

std::string KeyShown(const std::string& path) { return PathBelow(text::kRootName, path); }

std::string NameShown(const std::string& name) {
  return name.empty() ? text::kDefaultName : name;
}

std::string ValueLine(const std::string& name, const std::string& type, const std::string& data) {
  return text::kColumnGap + NameShown(name) + text::kColumnGap + type + text::kColumnGap + data +
         "\n";
}

bool IsOneCharacter(const std::string& text) { return store::WindowsLength(text) == 1; }

// A number is told apart from a text by its quotes: a MaxMTU that another
// tool stored as the number 1500 shows as 1500, the pane's text as "1500".
std::string SettingValueText(const store::TypedValue& value) {
  if (const auto text = engine::TextOf(value)) return "\"" + *text + "\"";
  if (value.type == store::kTypeNumber && value.data.size() == sizeof(std::int32_t)) {
    std::int32_t number = 0;
    std::memcpy(&number, value.data.data(), sizeof number);
    return std::to_string(number);
  }
  return ShownType(value.type) + " " + ShownData(value.type, value.data);
}

}  // namespace quorvane::tools
