// Text between the portable registry's view (UTF-8 bytes, the code page of
// its narrow calls) and the wide view that reg files and reg.exe use
// (UTF-16, little-endian in bytes). What is not valid becomes U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::tools {

std::u16string Utf16Of(std::string_view utf8);
std::string Utf8Of(std::u16string_view utf16);

// 8-bit text in Windows-1252, the ANSI code page of Western Windows (and of
// Wine under a UTF-8 locale), in UTF-8. The five bytes that the code page
// leaves unassigned become the control characters of the same number, as
// Windows converts them.
std::string Utf8OfWindows1252(std::string_view bytes);

// The text with every byte that is not valid UTF-8 replaced by U+FFFD.
std::string ValidUtf8(std::string_view text);

// True when text is valid UTF-8 (ValidUtf8 would leave it as it is), found
// without a copy.
bool IsValidUtf8(std::string_view text);

// UTF-8 text as UTF-16 bytes, low byte first, made at once: as
// LittleEndianBytes(Utf16Of(utf8)), without the units between.
std::string Utf16LittleEndianOf(std::string_view utf8);

// UTF-16 units as bytes, low byte first, and back; an odd last byte is
// dropped.
std::vector<std::uint8_t> LittleEndianBytes(std::u16string_view text);
std::u16string FromLittleEndian(const std::vector<std::uint8_t>& bytes);

}  // namespace quorvane::tools
