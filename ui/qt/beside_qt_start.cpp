#include "ui/qt/beside_qt_start.h"

#include <cstdlib>

namespace quorvane::ui {

bool QtStartLeavesEnvironmentAlone() {
  for (const char* removed : {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"}) {
    if (std::getenv(removed) != nullptr) return false;
  }
  return true;
}

}  // namespace quorvane::ui
