#include "tools/reg_shown.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/steps.h"

namespace quorvane::tools {
namespace {

struct TypeName {
  store::ValueType type;
  const char* name;
};
constexpr TypeName kTypeNames[] = {
    {0, "REG_NONE"},          {1, "REG_SZ"},
    {2, "REG_EXPAND_SZ"},     {3, "REG_BINARY"},
    {4, "REG_DWORD"},         {5, "REG_DWORD_BIG_ENDIAN"},
    {6, "REG_LINK"},          {7, "REG_MULTI_SZ"},
    {8, "REG_RESOURCE_LIST"}, {9, "REG_FULL_RESOURCE_DESCRIPTOR"},
    {10, "REG_RESOURCE_REQUIREMENTS_LIST"}, {11, "REG_QWORD"},
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

std::string TypeNameOf(store::ValueType type) {
  for (const TypeName& known : kTypeNames) {
    if (known.type == type) return known.name;
  }
  return Hex(type, true);
}

std::string Shown(store::ValueType type, const std::vector<std::uint8_t>& data) {
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
        if (!shown.empty()) shown += "\\0";
        shown += bytes.substr(start, end - start);
        start = end + 1;
      }
      return shown;
    }
    case store::kTypeNumber:
    case store::kTypeNumber64:
      if (data.size() == (type == store::kTypeNumber ? 4u : 8u)) {
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

// A number is told apart from a text by its quotes: a MaxMTU that another
// tool stored as the number 1500 shows as 1500, the pane's text as "1500".
std::string SettingValueText(const store::TypedValue& value) {
  if (const auto text = engine::TextOf(value)) return "\"" + *text + "\"";
  if (value.type == store::kTypeNumber && value.data.size() == sizeof(std::int32_t)) {
    std::int32_t number = 0;
    std::memcpy(&number, value.data.data(), sizeof number);
    return std::to_string(number);
  }
  return TypeNameOf(value.type) + " " + Shown(value.type, value.data);
}

}  // namespace quorvane::tools
