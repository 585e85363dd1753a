// Writes registry files as reg.exe does: the same escapes, the same hex
// lines folded at the same places, the same blank lines.
#include <algorithm>
#include <cstdio>

#include "store/letter_case.h"
#include "store/registry_names.h"
#include "tools/reg_file.h"
#include "tools/utf16.h"

namespace quorvane::tools {
namespace {

constexpr const char* kHeader = "Windows Registry Editor Version 5.00";
constexpr const char* kRootName = "HKEY_LOCAL_MACHINE";
// A hex line is folded once it has reached this many characters.
constexpr std::size_t kFoldAt = 77;

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

std::string HexEntry(std::string lead, store::ValueType type,
                     const std::vector<std::uint8_t>& bytes) {
  char prefix[24];
  if (type == store::kTypeBinary) {
    std::snprintf(prefix, sizeof prefix, "hex:");
  } else {
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(type));
  }
  std::size_t lineLength = store::WindowsLength(lead) + std::string_view(prefix).size();
  std::string entry = std::move(lead) + prefix;
  // Made once, at its size: a value's data may be as big as the store's.
  entry.reserve(entry.size() + bytes.size() * 3 + bytes.size() / 24 * 5 + 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
    entry += pair;
    if (i + 1 == bytes.size()) break;
    entry += ',';
    lineLength += 3;
    if (lineLength >= kFoldAt) {
      entry += "\\\r\n  ";
      lineLength = 2;
    }
  }
  entry += "\r\n";
  return entry;
}

}  // namespace

std::string RegFileValueText(const RegFileValue& value) {
  // Built by appending: GCC 12 at -O3 wrongly warns (-Wrestrict) of an
  // overlapping copy when a quote is put before a temporary string.
  std::string lead = value.name.empty() ? "@=" : "\"";
  if (!value.name.empty()) lead += Escaped(value.name) + "\"=";
  if (value.remove) return lead + "-\r\n";
  // In quotes without the NUL that ends it, as reg.exe writes a text; one
  // that an earlier version stored without is written alike. Quotes hold
  // no other NUL: a text with one is written as its bytes.
  std::string_view text(reinterpret_cast<const char*>(value.data.data()), value.data.size());
  if (text.ends_with('\0')) text.remove_suffix(1);
  if (value.type == store::kTypeText && text.find('\0') == std::string_view::npos) {
    return lead + "\"" + Escaped(text) + "\"\r\n";
  }
  if (value.type == store::kTypeNumber && value.data.size() == 4) {
    char number[16];
    std::snprintf(number, sizeof number, "dword:%08x",
                  static_cast<unsigned>(value.data[0] | value.data[1] << 8 |
                                        value.data[2] << 16 |
                                        static_cast<unsigned>(value.data[3]) << 24));
    return lead + number + "\r\n";
  }
  return HexEntry(std::move(lead), value.type, WideData(value.type, value.data));
}

std::vector<std::uint8_t> WideData(store::ValueType type, const std::vector<std::uint8_t>& data) {
  if (!store::IsStringType(type)) return data;
  return LittleEndianBytes(Utf16Of(std::string_view(reinterpret_cast<const char*>(data.data()),
                                                    data.size())));
}

std::vector<std::uint8_t> NarrowData(store::ValueType type,
                                     const std::vector<std::uint8_t>& data) {
  if (!store::IsStringType(type)) return data;
  const std::string text = Utf8Of(FromLittleEndian(data));
  return {text.begin(), text.end()};
}

bool RegExeOrder(std::string_view a, std::string_view b) {
  const std::u16string left = Utf16Of(a);
  const std::u16string right = Utf16Of(b);
  for (std::size_t i = 0; i < left.size() && i < right.size(); ++i) {
    const char16_t l = store::LowerCaseUnit(left[i]);
    const char16_t r = store::LowerCaseUnit(right[i]);
    if (l != r) return l < r;
  }
  return left.size() < right.size();
}

const RegFileKey* UnwritableKey(const std::vector<RegFileKey>& keys) {
  const auto found = std::find_if(keys.begin(), keys.end(),
                                  [](const RegFileKey& key) { return HoldsLineBreak(key.path); });
  return found == keys.end() ? nullptr : &*found;
}

std::string RegFileHeaderText() { return std::string(kHeader) + "\r\n"; }

std::string RegFileKeyText(const RegFileKey& key) {
  std::string text = std::string("\r\n[") + (key.remove ? "-" : "") + kRootName +
                     (key.path.empty() ? "" : "\\" + key.path);
  // A reader takes one backslash off the end of a key's path: a path that
  // ends in one gets another.
  if (key.path.ends_with('\\')) text += '\\';
  text += "]\r\n";
  if (!key.remove) {
    for (const RegFileValue& value : key.values) text += RegFileValueText(value);
  }
  return text;
}

std::string RegFileEndText() { return "\r\n"; }

std::string WriteRegFile(const std::vector<RegFileKey>& keys) {
  std::string text = RegFileHeaderText();
  for (const RegFileKey& key : keys) text += RegFileKeyText(key);
  text += RegFileEndText();
  return std::string(kUtf16Mark) + Utf16LittleEndianOf(text);
}

}  // namespace quorvane::tools
