#include "tools/utf16.h"

#include "store/registry_names.h"

namespace quorvane::tools {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point that starts at text[*at], moving *at past it.
char32_t NextCodePoint(std::string_view text, std::size_t* at) {
  const auto lead = static_cast<unsigned char>(text[(*at)++]);
  if (lead < 0x80) return lead;
  int length = 0;
  char32_t point = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 1;
    point = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 2;
    point = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 3;
    point = lead & 0x07;
  } else {
    return kReplacement;
  }
  for (int i = 0; i < length; ++i) {
    if (*at >= text.size() || (static_cast<unsigned char>(text[*at]) & 0xC0) != 0x80) {
      return kReplacement;
    }
    point = point << 6 | (static_cast<unsigned char>(text[(*at)++]) & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000)) {
    return kReplacement;
  }
  return point;
}

// Hands each UTF-16 unit of utf8 to append.
template <typename Append>
void ForEachUnit(std::string_view utf8, Append append) {
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t point = NextCodePoint(utf8, &at);
    if (point < 0x10000) {
      append(static_cast<char16_t>(point));
    } else {
      append(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
      append(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
    }
  }
}

}  // namespace

std::u16string Utf16Of(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  ForEachUnit(utf8, [&out](char16_t unit) { out += unit; });
  return out;
}

std::string Utf16LittleEndianOf(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() * 2);
  ForEachUnit(utf8, [&out](char16_t unit) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  });
  return out;
}

std::string Utf8Of(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char16_t unit = utf16[i];
    char32_t point = unit;
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] < 0xE000) {
      point = 0x10000 + ((unit - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (unit >= 0xD800 && unit < 0xE000) {
      point = kReplacement;
    }
    store::AppendUtf8(point, &out);
  }
  return out;
}

std::string Utf8OfWindows1252(std::string_view bytes) {
  // 0x80 to 0x9F; the rest of the code page is Latin-1, the code point of
  // the same number.
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
  };
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    store::AppendUtf8(byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : byte, &out);
  }
  return out;
}

std::string ValidUtf8(std::string_view text) { return Utf8Of(Utf16Of(text)); }

bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t from = at;
    // U+FFFD itself is valid: its three bytes.
    if (NextCodePoint(text, &at) == kReplacement &&
        text.substr(from, at - from) != "\xEF\xBF\xBD") {
      return false;
    }
  }
  return true;
}

std::vector<std::uint8_t> LittleEndianBytes(std::u16string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() * 2);
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

std::u16string FromLittleEndian(const std::vector<std::uint8_t>& bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
  }
  return text;
}

}  // namespace quorvane::tools
