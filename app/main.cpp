// Quorvane's start: open the registry, build the main window (whose load
// step may end the program before it is ever shown), then wait for the
// user. The program reads no command line of its own.
//
// The font configuration and the registry need no application object: they
// load on threads of their own while Qt connects to the display.
#include <QApplication>
#include <QIcon>
#include <memory>

#include "app/application_on_display.h"
#include "app/exit_status.h"
#include "engine/messages.h"
#include "store/platform_registry.h"
#include "store/registry.h"
#include "ui/platform_toolkit.h"
#include "ui/program_windows.h"
#include "ui/qt/beside_qt_start.h"
#include "ui/qt/program_fonts.h"
#include "ui/qt/program_icons.h"

int main(int argc, char** argv) {
  auto fontConfiguration = quorvane::ui::StartBesideQt(quorvane::ui::LoadSystemFontConfiguration);
  auto openedRegistry = quorvane::ui::StartBesideQt(quorvane::store::OpenPlatformRegistry);

  // Qt sees the program's name only, never the user's arguments.
  int qtArgc = argc > 0 ? 1 : 0;
  const auto application = quorvane::app::ApplicationOnDisplay(qtArgc, argv);
  fontConfiguration.get();
  quorvane::ui::RegisterProgramFonts();
  QApplication::setWindowIcon(quorvane::ui::ProgramIcon());

  quorvane::ui::PlatformToolkit toolkit;
  std::unique_ptr<quorvane::store::RegistryBackend> backend;
  try {
    backend = openedRegistry.get();
  } catch (const quorvane::store::RegistryOpenError& error) {
    // Never run on a stand-in: tell why and stop with everything unchanged.
    toolkit.ShowMessage(quorvane::engine::RegistryUnavailableMessage(error.failure()), nullptr);
    return quorvane::app::kRegistryUnavailable;
  }

  const quorvane::store::Registry registry(*backend);
  quorvane::ui::MainWindow form(toolkit, registry);
  if (const auto status = quorvane::app::StatusBeforeShown(form.Load())) return *status;
  form.Show();
  return QApplication::exec();
}
