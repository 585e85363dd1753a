// The program's own version numbers, as the running executable carries
// them, and the two texts built from them.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace quorvane::ui {

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;

  friend bool operator==(const ProgramVersion&, const ProgramVersion&) = default;
};

// On Windows, read from the running executable's version resource (file
// version major.minor.0.revision); elsewhere, and on Windows should the
// resource be missing or malformed, the numbers compiled in from the build.
ProgramVersion RunningProgramVersion();

// The file version that a version resource's bytes carry (major.minor.0.
// revision), as the resource compiler writes the resource; nullopt unless
// the bytes hold the whole header and fixed file information, with their
// key and signature.
std::optional<ProgramVersion> FileVersionOfVersionResource(std::span<const unsigned char> resource);

// The main window's caption as designed, before the load step extends it.
inline constexpr const char* kMainWindowDesignCaption = "Quorvane Version 1.3 Final - Build";

// The main window's caption: the design caption, a blank and the revision.
std::string MainWindowCaption(const ProgramVersion& version);

// The About window's version line: "Version: 1.3 - Build 0".
std::string VersionLine(const ProgramVersion& version);

}  // namespace quorvane::ui
