#include "ui/win32/open_web_address.h"

#include <vector>

#include "ui/win32/system_library.h"
#include "ui/win32/text_codes.h"

namespace quorvane::ui::win32 {
namespace {

// The shell is loaded at the first click of a link, not when the program
// starts: it is a large library that the start does not need.
HINSTANCE WINAPI ShellExecuteFromShell(HWND window, LPCSTR operation, LPCSTR file,
                                       LPCSTR parameters, LPCSTR directory, INT show) {
  static const auto shellExecute =
      SystemProcedure<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA");
  if (!shellExecute) return nullptr;  // nothing is reported, as for any refusal
  return shellExecute(window, operation, file, parameters, directory, show);
}

ShellExecuteFunction& ShellExecuteInUse() {
  static ShellExecuteFunction function = ShellExecuteFromShell;
  return function;
}

}  // namespace

std::string ExecutableFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // cut short: try a longer buffer
  }
  std::wstring folder(path.begin(), path.end());
  folder.erase(folder.find_last_of(L"\\/") + 1);  // keeps "C:\" for a drive's root
  if (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return Utf8ToAnsi(WideToUtf8(folder));
}

void OpenWebAddress(HWND window, const std::string& address) {
  const std::string file = Utf8ToAnsi(address);
  const std::string folder = ExecutableFolder();
  ShellExecuteInUse()(window, "Open", file.c_str(), "", folder.c_str(), SW_SHOWNORMAL);
}

void SetShellExecuteForTesting(ShellExecuteFunction function) {
  ShellExecuteInUse() = function ? function : ShellExecuteFromShell;
}

}  // namespace quorvane::ui::win32
