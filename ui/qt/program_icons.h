// The program's icons, drawn for it: 32 by 32 pixels, 16 colours.
#pragma once

class QIcon;

namespace quorvane::ui {

// The main window's icon, also shown by the About window.
QIcon ProgramIcon();
// The Finished window's own icon, in 32 by 32 and 16 by 16 pixels.
QIcon FinishedIcon();

}  // namespace quorvane::ui
