#include "ui/qt/program_icons.h"

#include <QIcon>
#include <QPixmap>

// The drawings, as XPM arrays: compiled in, so that no resource file has to
// be found or registered at run time.
#include "ui/icons/finished_icon_16.xpm"
#include "ui/icons/finished_icon_32.xpm"
#include "ui/icons/program_icon.xpm"

namespace quorvane::ui {

QIcon ProgramIcon() {
  // Read from its drawing once: the application, the main window and the
  // About window share it.
  static const QIcon icon{QPixmap(program_icon_xpm)};
  return icon;
}

QIcon FinishedIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap(finished_icon_32_xpm));
  icon.addPixmap(QPixmap(finished_icon_16_xpm));
  return icon;
}

}  // namespace quorvane::ui
