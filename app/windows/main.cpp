// Quorvane's start on Windows: the main window is built hidden, its load
// step runs (and may end the program before the window is ever shown), then
// the program waits for the user. The program reads no command line.
#include <windows.h>

#include "app/exit_status.h"
#include "store/platform_registry.h"
#include "store/registry.h"
#include "ui/program_windows.h"
#include "ui/win32/message_loop.h"
#include "ui/platform_toolkit.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Windows' own registry, which is always there to be opened.
  const auto backend = quorvane::store::OpenPlatformRegistry();
  const quorvane::store::Registry registry(*backend);

  quorvane::ui::PlatformToolkit toolkit;
  quorvane::ui::MainWindow window(toolkit, registry);
  if (const auto status = quorvane::app::StatusBeforeShown(window.Load())) return *status;
  window.Show();
  return quorvane::ui::win32::RunMessageLoop([] { return false; }).value_or(quorvane::app::kEnded);
}
