// The one way the program opens a web address on Windows: ShellExecuteA
// with "Open", the address in the ANSI code page, empty parameters, the
// executable's folder and SW_SHOWNORMAL. The shell's answer is ignored and
// the calling window stays open.
#pragma once

#include <windows.h>

#include <string>

namespace quorvane::ui::win32 {

void OpenWebAddress(HWND window, const std::string& address);

// The folder that holds the running executable, without a trailing
// separator unless it is a drive's root ("C:\"), in the ANSI code page.
std::string ExecutableFolder();

// Tests put a recorder with ShellExecuteA's signature in its place;
// nullptr puts shell32's ShellExecuteA back.
using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
void SetShellExecuteForTesting(ShellExecuteFunction function);

}  // namespace quorvane::ui::win32
