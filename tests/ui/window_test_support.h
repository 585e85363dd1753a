// What the Qt window tests share: the Qt main window over a fresh registry
// whose calls are recorded, with its message boxes answered by a script; a
// secondary window opened as the program opens it; a record of the web
// addresses opened; a way to act on a modal window once it has opened.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/registry_fixture.h"
#include "ui/control_names.h"
#include "ui/program_windows.h"
#include "ui/qt/open_web_address.h"
#include "ui/platform_toolkit.h"
#include "ui/qt/qt_window.h"

namespace quorvane::testing {

// The toolkit every test builds its windows with.
inline ui::PlatformToolkit& Toolkit() {
  static ui::PlatformToolkit toolkit;
  return toolkit;
}

// The Qt window of the main window.
inline QWidget& Widget(ui::MainWindow& window) { return ui::WidgetOf(window.host().core()); }

struct FormFixture : RegistryFixture {
  // Builds the main window, hidden, with its load step run.
  std::unique_ptr<ui::MainWindow> Open() {
    auto window = std::make_unique<ui::MainWindow>(Toolkit(), registry, dialogs);
    (void)window->Load();
    return window;
  }

  // Opens the window as at a later start: the first run done, nothing asked.
  std::unique_ptr<ui::MainWindow> OpenAfterFirstRun() {
    MarkFirstRunDone();
    return Open();
  }
};

// Records each web address handed to the platform, with the window that asked,
// for as long as it lives.
struct AddressRecorder {
  std::vector<std::pair<QWidget*, std::string>> opened;
  AddressRecorder() {
    ui::SetWebAddressOpenerForTesting(
        [this](QWidget* window, const std::string& address) { opened.emplace_back(window, address); });
  }
  ~AddressRecorder() { ui::SetWebAddressOpenerForTesting({}); }
  AddressRecorder(const AddressRecorder&) = delete;
  AddressRecorder& operator=(const AddressRecorder&) = delete;
};

// The window's control of that Id and kind; there must be one.
template <typename Control, typename Id>
Control* Get(const QWidget& window, Id id) {
  const char* name = ui::NameOf(id);
  auto* control = window.findChild<Control*>(QString::fromLatin1(name));
  if (!control) qFatal("no control %s", name);
  return control;
}

// Opens a secondary window as the program does, over a main window (hidden
// unless given one), and returns once it has been closed.
inline void OpenWindow(ui::ModalWindow window, ui::MainWindow* over = nullptr) {
  if (over) {
    ui::OpenProgramWindow(Toolkit(), window, over->host());
    return;
  }
  FormFixture f;
  const auto main = f.OpenAfterFirstRun();
  ui::OpenProgramWindow(Toolkit(), window, main->host());
}

// Runs act on the next modal window, once it is open; the caller then opens
// it (a modal window's loop runs until it is closed).
inline void WhenModalOpens(std::function<void(QWidget*)> act) {
  auto* poll = new QTimer;
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      poll->stop();
      poll->deleteLater();
      act(modal);
    }
  });
  poll->start();
}

}  // namespace quorvane::testing
