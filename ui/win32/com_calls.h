// The calls of COM (ole32) and of automation's strings (oleaut32) that the
// program makes, for a screen reader's questions and for opening a web
// address through the desktop's shell: loaded from System32 at the first
// use (system_library.h), never linked, as the start needs none of them.
#pragma once

#include <windows.h>

// After windows.h, which they need.
#include <objbase.h>
#include <oleauto.h>

#include "ui/win32/system_library.h"

namespace quorvane::ui::win32 {

// Each call, or nullptr when System32 does not have it.
struct ComCalls {
  decltype(CoInitializeEx)* initialize =
      SystemProcedure<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
  decltype(CoUninitialize)* uninitialize =
      SystemProcedure<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize");
  decltype(CoCreateInstance)* createInstance =
      SystemProcedure<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
  decltype(SysAllocString)* allocString =
      SystemProcedure<decltype(SysAllocString)>(L"oleaut32.dll", "SysAllocString");
  decltype(SysFreeString)* freeString =
      SystemProcedure<decltype(SysFreeString)>(L"oleaut32.dll", "SysFreeString");

  bool Complete() const {
    return initialize && uninitialize && createInstance && allocString && freeString;
  }
};

// The calls, loaded at the first use and kept.
inline const ComCalls& Com() {
  static const ComCalls calls;
  return calls;
}

}  // namespace quorvane::ui::win32
