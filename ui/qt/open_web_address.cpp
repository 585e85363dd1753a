#include "ui/qt/open_web_address.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <utility>

namespace quorvane::ui {
namespace {

WebAddressOpener& OpenerForTesting() {
  static WebAddressOpener opener;
  return opener;
}

// The desktop's opener, started directly (no shell sees the address) and
// left to run on its own.
void OpenOnPlatform(QWidget*, const std::string& address) {
#ifdef __APPLE__
  const QString opener = QStringLiteral("open");
#else
  const QString opener = QStringLiteral("xdg-open");
#endif
  QProcess::startDetached(opener, QStringList{QString::fromStdString(address)});
}

}  // namespace

void OpenWebAddress(QWidget* window, const std::string& address) {
  if (const WebAddressOpener& opener = OpenerForTesting()) {
    opener(window, address);
    return;
  }
  OpenOnPlatform(window, address);
}

void SetWebAddressOpenerForTesting(WebAddressOpener opener) {
  OpenerForTesting() = std::move(opener);
}

}  // namespace quorvane::ui
