// The program's one road to a DLL it loads while it runs: System32's copy,
// never one found beside the program or on the search path, since the
// program runs elevated and trusts nothing around it.
#pragma once

#include <windows.h>

namespace quorvane::ui::win32 {

// The DLL of that name from System32, kept loaded for the program's life;
// nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of such a DLL, as the type of its declaration; nullptr when
// the DLL or the function is missing.
template <typename Function>
Function* SystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = LoadSystemLibrary(library);
  return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace quorvane::ui::win32
