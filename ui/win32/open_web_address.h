// The one way the program opens a web address on Windows, as the user who
// is logged on (web_address_route.h): running elevated, through the
// desktop's shell (its ShellExecute with "open", the address, empty
// parameters, the executable's folder and SW_SHOWNORMAL); not elevated, or
// when no desktop shell answers, through ShellExecuteA with "Open", the
// address in the ANSI code page, empty parameters, the executable's folder
// and SW_SHOWNORMAL. The shell's answer is ignored and the calling window
// stays open.
#pragma once

#include <windows.h>

#include <string>

namespace quorvane::ui::win32 {

void OpenWebAddress(HWND window, const std::string& address);

// The folder that holds the running executable, without a trailing
// separator unless it is a drive's root ("C:\"), in the ANSI code page.
std::string ExecutableFolder();

// Tests put a recorder with ShellExecuteA's signature in its place, which
// then takes every address, elevated or not; nullptr puts shell32's
// ShellExecuteA, and the desktop's shell, back.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
void SetShellExecuteForTesting(ShellExecuteFunction function);

}  // namespace quorvane::ui::win32
