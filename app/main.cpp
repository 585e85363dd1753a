// Quorvane's start: open the registry, build the main window (whose load
// step may end the program before it is ever shown), then wait for the
// user. The program reads no command line of its own.
#include <QApplication>
#include <QMessageBox>
#include <memory>

#include "engine/user_dialogs.h"
#include "store/platform_registry.h"
#include "store/registry.h"
#include "ui/program_fonts.h"
#include "ui/program_icons.h"
#include "ui/qt_user_dialogs.h"
#include "ui/quorvane_form.h"

namespace {

// Exit statuses.
constexpr int kEnded = 0;
constexpr int kRegistryUnavailable = 1;
constexpr int kBackupFailed = 1;

constexpr const char* kRegistryUnavailableLead = "Quorvane cannot open its registry:\n\n";

}  // namespace

int main(int argc, char** argv) {
  // Qt sees the program's name only, never the user's arguments.
  int qtArgc = argc > 0 ? 1 : 0;
  QApplication application(qtArgc, argv);
  quorvane::ui::RegisterProgramFonts();
  QApplication::setWindowIcon(quorvane::ui::ProgramIcon());

  std::unique_ptr<quorvane::store::RegistryBackend> backend;
  try {
    backend = quorvane::store::OpenPlatformRegistry();
  } catch (const quorvane::store::RegistryOpenError& error) {
    // Never run on a stand-in: tell why and stop with everything unchanged.
    QMessageBox::critical(nullptr, QString::fromUtf8(quorvane::engine::kProgramTitle),
                          QString::fromUtf8(kRegistryUnavailableLead) +
                              QString::fromUtf8(error.what()));
    return kRegistryUnavailable;
  }

  const quorvane::store::Registry registry(*backend);
  quorvane::ui::QtUserDialogs dialogs;
  quorvane::ui::QuorvaneForm form(registry, dialogs);
  switch (form.startOutcome()) {
    case quorvane::engine::StartOutcome::Continue:
      break;
    case quorvane::engine::StartOutcome::Declined:
      return kEnded;
    case quorvane::engine::StartOutcome::BackupFailed:
      return kBackupFailed;
  }
  form.show();
  return QApplication::exec();
}
