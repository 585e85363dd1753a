// What the Qt window tests share: the Qt main window over a fresh registry
// whose calls are recorded, with its message boxes answered by a script; a
// record of the web addresses opened; a way to act on a modal window once it
// has opened.
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
#include "ui/qt/open_web_address.h"
#include "ui/qt/program_windows.h"

namespace quorvane::testing {

struct FormFixture : RegistryFixture {
  // Builds the main window, hidden, with its load step run.
  std::unique_ptr<ui::MainWindow> Open() {
    return std::make_unique<ui::MainWindow>(registry, dialogs);
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
