// Quorvane's start on Windows: the main window is built hidden, its load
// step runs (and may end the program before the window is ever shown), then
// the program waits for the user. The program reads no command line.
#include <windows.h>

#include "app/exit_status.h"
#include "store/platform_registry.h"
#include "store/registry.h"
#include "ui/platform_toolkit.h"
#include "ui/program_windows.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/system_library.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // First of all, since the program runs with administrator rights: every
  // DLL that Windows or a system DLL loads on the program's behalf from now
  // on (the themes, the shell, input methods) comes from System32, never
  // from the program's folder, the working folder or PATH, where anyone may
  // have put a DLL of a system DLL's name. The program's own imports are
  // KnownDLLs, which Windows takes from System32 anyway.
  if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return quorvane::app::kUnsafeStart;
  // The themes (uxtheme) load msimg32 only as they first draw, through a
  // delayed import, which Wine resolves along the program's folder whatever
  // the default directories say. Loaded from System32 now, it is the one
  // that every later load by its name finds.
  quorvane::ui::win32::LoadSystemLibrary(L"msimg32.dll");

  // Windows' own registry, which is always there to be opened.
  const auto backend = quorvane::store::OpenPlatformRegistry();
  const quorvane::store::Registry registry(*backend);

  quorvane::ui::PlatformToolkit toolkit;
  quorvane::ui::MainWindow window(toolkit, registry);
  if (const auto status = quorvane::app::StatusBeforeShown(window.Load())) return *status;
  window.Show();
  return quorvane::ui::win32::RunMessageLoop([] { return false; }).value_or(quorvane::app::kEnded);
}
