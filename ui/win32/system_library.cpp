#include "ui/win32/system_library.h"

namespace quorvane::ui::win32 {

HMODULE LoadSystemLibrary(const wchar_t* name) {
  // Never freed: a second load finds the module loaded and counts it once
  // more.
  return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace quorvane::ui::win32
