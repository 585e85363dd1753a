// The program's own version numbers, as the running executable carries
// them, and the two texts built from them.
#pragma once

#include <string>

namespace quorvane::ui {

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// On Windows, read from the executable's version resource (file version
// major.minor.0.revision); elsewhere compiled in from the build.
ProgramVersion RunningProgramVersion();

// The main window's caption: the design caption, a blank and the revision.
std::string MainWindowCaption(const ProgramVersion& version);

// The About window's version line: "Version: 1.3 - Build 0".
std::string VersionLine(const ProgramVersion& version);

}  // namespace quorvane::ui
