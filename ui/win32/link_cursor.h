// The pointer every link label shows, as a Win32 cursor: the program's one
// pointing hand (ui/link_pointer.h), 32 by 32, hot spot at the fingertip.
#pragma once

#include <windows.h>

namespace quorvane::ui::win32 {

// Made once, on first use; it lives as long as the program.
HCURSOR LinkCursor();

}  // namespace quorvane::ui::win32
