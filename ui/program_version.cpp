#include "ui/program_version.h"

namespace quorvane::ui {

ProgramVersion RunningProgramVersion() {
  return {QUORVANE_VERSION_MAJOR, QUORVANE_VERSION_MINOR, QUORVANE_VERSION_REVISION};
}

std::string MainWindowCaption(const ProgramVersion& version) {
  return "Quorvane Version 1.3 Final - Build " + std::to_string(version.revision);
}

std::string VersionLine(const ProgramVersion& version) {
  return "Version: " + std::to_string(version.major) + "." + std::to_string(version.minor) +
         " - Build " + std::to_string(version.revision);
}

}  // namespace quorvane::ui
