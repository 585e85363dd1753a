#include "ui/open_web_address.h"

#include <QCoreApplication>
#include <QDir>
#include <QWidget>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#else
#include <QProcess>
#include <QString>
#include <QStringList>
#endif

namespace quorvane::ui {
namespace {

WebAddressOpener& OpenerForTesting() {
  static WebAddressOpener opener;
  return opener;
}

#ifdef _WIN32
// UTF-8 to the system's ANSI code page, as the shell's A entry point takes it.
std::string ToAnsi(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                             nullptr, 0);
  std::wstring wide(static_cast<size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                      wideLength);
  const int ansiLength = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0,
                                             nullptr, nullptr);
  std::string ansi(static_cast<size_t>(ansiLength), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), ansiLength, nullptr,
                      nullptr);
  return ansi;
}

// The executable's folder, without a trailing separator unless it is a
// drive's root ("C:\").
std::string ExecutableFolder() {
  QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
  if (folder.size() > 3 && folder.endsWith(QLatin1Char('\\'))) folder.chop(1);
  return ToAnsi(folder.toStdString());
}

void OpenOnPlatform(QWidget* window, const std::string& address) {
  HWND handle = window ? reinterpret_cast<HWND>(window->winId()) : nullptr;
  const std::string file = ToAnsi(address);
  const std::string directory = ExecutableFolder();
  ShellExecuteA(handle, "Open", file.c_str(), "", directory.c_str(), SW_SHOWNORMAL);
}
#else
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
#endif

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
