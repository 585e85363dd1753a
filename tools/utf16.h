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

// UTF-16 units as bytes, low byte first, and back; an odd last byte is
// dropped.
std::vector<std::uint8_t> LittleEndianBytes(std::u16string_view text);
std::u16string FromLittleEndian(const std::vector<std::uint8_t>& bytes);

}  // namespace quorvane::tools
