#include "store/registry_names.h"

#include <cstdint>

#include "store/letter_case.h"

namespace quorvane::store {
namespace {

// One decoded character: its code point and the bytes it took; a length of
// zero for a byte that starts no valid sequence.
struct Decoded {
  char32_t code;
  std::size_t length;  // 0: not valid UTF-8
};

Decoded Decode(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return {lead, 1};
  std::size_t length;
  char32_t code;
  char32_t smallest;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, smallest = 0x10000;
  } else {
    return {0, 0};
  }
  if (at + length > text.size()) return {0, 0};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return {0, 0};
    code = code << 6 | (byte(at + i) & 0x3F);
  }
  if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {0, 0};
  return {code, length};
}

}  // namespace

void AppendUtf8(char32_t code, std::string* out) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | code >> 6);
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    *out += static_cast<char>(0xE0 | code >> 12);
    *out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xF0 | code >> 18);
    *out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    *out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

namespace {

// Upper case by the registry's own table, one UTF-16 unit at a time: a
// character beyond the Basic Multilingual Plane is two surrogate units,
// which have no case.
char32_t Upper(char32_t code) {
  return code < 0x10000 ? UpperCaseUnit(static_cast<char16_t>(code)) : code;
}

template <typename UpperCase>
std::string Folded(std::string_view name, UpperCase upper) {
  // ASCII, which nearly every name is, in place; the rest from its first
  // byte beyond ASCII on.
  std::string folded(name);
  std::size_t at = 0;
  for (; at < folded.size() && static_cast<unsigned char>(folded[at]) < 0x80; ++at) {
    char& c = folded[at];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
  }
  if (at == folded.size()) return folded;
  folded.resize(at);
  while (at < name.size()) {
    const Decoded decoded = Decode(name, at);
    if (decoded.length == 0) {
      folded += name[at++];
    } else {
      AppendUtf8(decoded.code < 0x80 ? Upper(decoded.code) : upper(decoded.code), &folded);
      at += decoded.length;
    }
  }
  return folded;
}

}  // namespace

std::string FoldedName(std::string_view name) { return Folded(name, Upper); }

std::string FoldedNameBy(std::string_view name, char32_t (*upper)(char32_t)) {
  return Folded(name, upper);
}

std::size_t WindowsLength(std::string_view name) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < name.size();) {
    const Decoded decoded = Decode(name, at);
    at += decoded.length == 0 ? 1 : decoded.length;
    units += decoded.code >= 0x10000 ? 2 : 1;
  }
  return units;
}

namespace {

// The Win32 calls take C strings, which cannot hold a NUL; a name or path
// with one is refused rather than cut short, so that it never addresses
// another key or value than the one meant.
bool HoldsNul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

}  // namespace

Status SplitPath(const std::string& path, std::vector<std::string_view>* keys) {
  keys->clear();
  if (HoldsNul(path)) return kInvalidParameter;
  std::string_view rest = path;
  if (!rest.empty() && rest.front() == '\\') return kBadPathname;
  if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
  if (rest.empty()) return kSuccess;
  for (;;) {
    const std::size_t slash = rest.find('\\');
    const std::string_view key = rest.substr(0, slash);
    if (key.empty()) return kBadPathname;
    // No text has more UTF-16 units than bytes.
    if (key.size() > kMaxKeyNameLength && WindowsLength(key) > kMaxKeyNameLength) {
      return kInvalidParameter;
    }
    keys->push_back(key);
    if (keys->size() > kMaxKeyDepth) return kInvalidParameter;
    if (slash == std::string_view::npos) return kSuccess;
    rest.remove_prefix(slash + 1);
  }
}

Status CheckValueName(const std::string& name) {
  if (HoldsNul(name) ||
      (name.size() > kMaxValueNameLength && WindowsLength(name) > kMaxValueNameLength)) {
    return kInvalidParameter;
  }
  return kSuccess;
}

}  // namespace quorvane::store
