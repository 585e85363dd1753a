// Windows' own DLLs that the program loads itself. quorvane.exe runs with
// administrator rights, and anyone may have written a DLL of a system DLL's
// name into the folder it was started from (a Downloads folder), the working
// folder or a folder on PATH; so the program takes every DLL it loads from
// System32 alone, by these two calls and never by LoadLibrary.
#pragma once

#include <windows.h>

namespace quorvane::ui::win32 {

// The system DLL `name` ("shell32.dll", a file name without a folder),
// loaded from System32 and kept loaded for the rest of the program's life;
// nullptr when System32 has no such DLL or it cannot be loaded.
inline HMODULE LoadSystemLibrary(const wchar_t* name) {
  return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// The procedure `name` of the system DLL `library`, typed as the Windows
// headers declare it, Function being that declaration's type:
//   SystemProcedure<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA")
// nullptr when the DLL or the procedure is missing.
template <typename Function>
Function* SystemProcedure(const wchar_t* library, const char* name) {
  const HMODULE module = LoadSystemLibrary(library);
  if (!module) return nullptr;
  // Through void*: GetProcAddress's FARPROC fits no function type as it is.
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace quorvane::ui::win32
