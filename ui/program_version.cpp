#include "ui/program_version.h"

#include "quorvane_version.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace quorvane::ui {

namespace {

// The numbers of the build, from the project() line of the top CMakeLists.txt.
constexpr ProgramVersion kBuiltVersion{QUORVANE_VERSION_MAJOR, QUORVANE_VERSION_MINOR,
                                       QUORVANE_VERSION_REVISION};

#ifdef _WIN32
// The file version of the running executable's version resource, the way
// Windows Explorer shows it: major.minor.0.revision. False, with version
// untouched, when the executable carries no readable version resource.
bool ReadExecutableFileVersion(ProgramVersion& version) {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return false;
    if (length < path.size()) break;
    path.resize(path.size() * 2);  // cut short: try a longer buffer
  }
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.data(), &ignored);
  if (size == 0) return false;
  std::vector<unsigned char> info(size);
  if (!GetFileVersionInfoW(path.data(), 0, size, info.data())) return false;
  void* block = nullptr;
  UINT block_size = 0;
  if (!VerQueryValueW(info.data(), L"\\", &block, &block_size) ||
      block_size < sizeof(VS_FIXEDFILEINFO)) {
    return false;
  }
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(block);
  if (fixed->dwSignature != VS_FFI_SIGNATURE) return false;
  version.major = HIWORD(fixed->dwFileVersionMS);
  version.minor = LOWORD(fixed->dwFileVersionMS);
  version.revision = LOWORD(fixed->dwFileVersionLS);
  return true;
}
#endif

}  // namespace

ProgramVersion RunningProgramVersion() {
#ifdef _WIN32
  // Read once: the executable does not change while it runs.
  static const ProgramVersion version = [] {
    ProgramVersion read;
    return ReadExecutableFileVersion(read) ? read : kBuiltVersion;
  }();
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
