#include "ui/qt/program_icons.h"

#include <QIcon>
#include <QPixmap>

// The drawings, as XPM arrays: compiled in, so that no resource file has to
// be found or registered at run time.
#include "ui/icons/finished_icon_16.xpm"
#include "ui/icons/finished_icon_32.xpm"
#include "ui/icons/program_icon.xpm"

namespace quorvane::ui {

QIcon ProgramIcon() { return QIcon(QPixmap(program_icon_xpm)); }

QIcon FinishedIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap(finished_icon_32_xpm));
  icon.addPixmap(QPixmap(finished_icon_16_xpm));
  return icon;
}

}  // namespace quorvane::ui
