#include "ui/program_version.h"

#include <cstddef>
#include <cstdint>

#include "quorvane_version.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorvane::ui {

namespace {

// The numbers of the build, from the project() line of the top CMakeLists.txt.
constexpr ProgramVersion kBuiltVersion{QUORVANE_VERSION_MAJOR, QUORVANE_VERSION_MINOR,
                                       QUORVANE_VERSION_REVISION};

// A version resource (VS_VERSIONINFO) begins with its header: its length,
// the length of its value and its type, three 16-bit numbers; the key
// "VS_VERSION_INFO" in UTF-16 with its terminating zero; zeros up to a
// multiple of four bytes; then its value, the fixed file information
// (VS_FIXEDFILEINFO): the signature 0xFEEF04BD, the structure's version,
// then the file version as two 32-bit numbers, major and minor in the high
// one, build and revision in the low one. All of it is little-endian.
constexpr char16_t kVersionInfoKey[] = u"VS_VERSION_INFO";
constexpr std::size_t kKeyOffset = 6;
constexpr std::size_t kFixedInfoOffset = 40;  // 6 + 32, rounded up to four
constexpr std::size_t kFixedInfoSize = 52;
constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;

std::uint32_t LittleEndianAt(std::span<const unsigned char> bytes, std::size_t offset,
                             std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) value = value << 8 | bytes[offset + i];
  return value;
}

#ifdef _WIN32
// The running executable's version resource, read with kernel32's resource
// calls (version.dll, which reads it too, is not one of the DLLs the program
// may load); empty when it has none.
std::span<const unsigned char> ExecutableVersionResource() {
  const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO),
                                    MAKEINTRESOURCEW(16));  // RT_VERSION
  if (!found) return {};
  const HGLOBAL loaded = LoadResource(nullptr, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const unsigned char*>(bytes), SizeofResource(nullptr, found)};
}
#endif

}  // namespace

std::optional<ProgramVersion> FileVersionOfVersionResource(
    std::span<const unsigned char> resource) {
  if (resource.size() < kFixedInfoOffset + kFixedInfoSize) return std::nullopt;
  const std::uint32_t length = LittleEndianAt(resource, 0, 2);
  const std::uint32_t valueLength = LittleEndianAt(resource, 2, 2);
  if (length < kFixedInfoOffset + kFixedInfoSize || length > resource.size() ||
      valueLength != kFixedInfoSize) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < std::size(kVersionInfoKey); ++i) {  // the zero too
    if (LittleEndianAt(resource, kKeyOffset + 2 * i, 2) != kVersionInfoKey[i]) return std::nullopt;
  }
  const auto fixed = resource.subspan(kFixedInfoOffset, kFixedInfoSize);
  if (LittleEndianAt(fixed, 0, 4) != kFixedInfoSignature) return std::nullopt;
  const std::uint32_t high = LittleEndianAt(fixed, 8, 4);
  const std::uint32_t low = LittleEndianAt(fixed, 12, 4);
  return ProgramVersion{static_cast<int>(high >> 16), static_cast<int>(high & 0xFFFF),
                        static_cast<int>(low & 0xFFFF)};
}

ProgramVersion RunningProgramVersion() {
#ifdef _WIN32
  // Read once: the executable does not change while it runs.
  static const ProgramVersion version =
      FileVersionOfVersionResource(ExecutableVersionResource()).value_or(kBuiltVersion);
  return version;
#else
  return kBuiltVersion;
#endif
}

std::string MainWindowCaption(const ProgramVersion& version) {
  return std::string(kMainWindowDesignCaption) + " " + std::to_string(version.revision);
}

std::string VersionLine(const ProgramVersion& version) {
  return "Version: " + std::to_string(version.major) + "." + std::to_string(version.minor) +
         " - Build " + std::to_string(version.revision);
}

}  // namespace quorvane::ui
