// Quorvane's start on Windows: the main window is built hidden, its load
// step runs (and may end the program before the window is ever shown), then
// the program waits for the user. The program reads no command line.
#include <windows.h>

#include "engine/first_run.h"
#include "store/platform_registry.h"
#include "store/registry.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/quorvane_windows_win32.h"

namespace {

// Exit statuses, as on the other platforms.
constexpr int kEnded = 0;
constexpr int kBackupFailed = 1;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Windows' own registry, which is always there to be opened.
  const auto backend = quorvane::store::OpenPlatformRegistry();
  const quorvane::store::Registry registry(*backend);

  quorvane::ui::win32::QuorvaneMainWindow window(registry);
  switch (window.Load()) {
    case quorvane::engine::StartOutcome::Continue:
      break;
    case quorvane::engine::StartOutcome::Declined:
      return kEnded;
    case quorvane::engine::StartOutcome::BackupFailed:
      return kBackupFailed;
  }
  window.Show();
  return quorvane::ui::win32::RunMessageLoop([] { return false; }).value_or(kEnded);
}
