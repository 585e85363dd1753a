#include "ui/win32/open_web_address.h"

#include <exdisp.h>
#include <oleauto.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <vector>

#include "ui/web_address_route.h"
#include "ui/win32/com_calls.h"
#include "ui/win32/system_library.h"
#include "ui/win32/text_codes.h"

namespace quorvane::ui::win32 {
namespace {

using Microsoft::WRL::ComPtr;

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

// The folder that holds the running executable, without a trailing
// separator unless it is a drive's root.
std::wstring ExecutableFolderWide() {
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
  return folder;
}

// COM on this thread, in a single-threaded apartment as a window's thread
// wants it, for as long as the object lives.
class ComApartment {
 public:
  ComApartment()
      : entered_(SUCCEEDED(
            Com().initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (entered_) Com().uninitialize();
  }

 private:
  // False when the thread was in another apartment already: COM still
  // serves it, and it is not this object's to leave.
  bool entered_;
};

// A text argument of an automation call: a BSTR in a VARIANT, freed with it.
class TextArgument {
 public:
  explicit TextArgument(const std::wstring& text) {
    value_.vt = VT_BSTR;
    value_.bstrVal = Com().allocString(text.c_str());
  }
  TextArgument(const TextArgument&) = delete;
  TextArgument& operator=(const TextArgument&) = delete;
  ~TextArgument() { Com().freeString(value_.bstrVal); }

  bool Made() const { return value_.bstrVal != nullptr; }
  const VARIANT& Variant() const { return value_; }

 private:
  VARIANT value_{};
};

// The automation object of the desktop's own shell, which runs as the user
// who is logged on: the desktop's folder view, found among the shell's
// windows, leads to it. nullptr when a step finds nothing: no desktop shell
// answers. COM must be entered on the thread.
ComPtr<IShellDispatch2> DesktopShell() {
  ComPtr<IShellWindows> windows;
  if (FAILED(Com().createInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                  IID_PPV_ARGS(&windows)))) {
    return nullptr;
  }
  VARIANT desktop{};
  desktop.vt = VT_I4;
  desktop.lVal = CSIDL_DESKTOP;
  VARIANT noRoot{};
  long desktopWindow = 0;
  ComPtr<IDispatch> found;
  // S_FALSE: there is no desktop window.
  if (windows->FindWindowSW(&desktop, &noRoot, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH,
                            &found) != S_OK ||
      !found) {
    return nullptr;
  }
  ComPtr<IServiceProvider> services;
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  ComPtr<IDispatch> background;
  ComPtr<IShellFolderViewDual> folderView;
  ComPtr<IDispatch> application;
  ComPtr<IShellDispatch2> shell;
  if (FAILED(found.As(&services)) ||
      FAILED(services->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(&browser))) ||
      FAILED(browser->QueryActiveShellView(&view)) || !view ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(&background))) ||
      FAILED(background.As(&folderView)) || FAILED(folderView->get_Application(&application)) ||
      !application || FAILED(application.As(&shell))) {
    return nullptr;
  }
  return shell;
}

// Hands the address to the desktop's shell, whose ShellExecute starts the
// program that opens it from the desktop shell's process, as the user who
// is logged on. False when no desktop shell answers.
bool ShellExecuteOnDesktop(const std::wstring& address, const std::wstring& folder) {
  if (!Com().Complete()) return false;
  const ComApartment apartment;
  const ComPtr<IShellDispatch2> shell = DesktopShell();
  if (!shell) return false;
  const TextArgument file(address), parameters(L""), directory(folder), operation(L"open");
  if (!file.Made() || !parameters.Made() || !directory.Made() || !operation.Made()) return false;
  VARIANT show{};
  show.vt = VT_I4;
  show.lVal = SW_SHOWNORMAL;
  // The shell's answer is ignored, as ShellExecuteA's is.
  shell->ShellExecute(file.Variant().bstrVal, parameters.Variant(), directory.Variant(),
                      operation.Variant(), show);
  return true;
}

bool RunsElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return true;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool told =
      GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) != 0;
  CloseHandle(token);
  return !told || elevation.TokenIsElevated != 0;
}

// The two ways to the shell from the window whose link was clicked.
class WindowShells final : public WebAddressShells {
 public:
  explicit WindowShells(HWND window) : window_(window) {}

  bool Elevated() const override { return RunsElevated(); }

  bool OpenThroughDesktopShell(const std::string& address) override {
    // A test's stand-in for the shell takes every address.
    if (ShellExecuteInUse() != ShellExecuteFromShell) return false;
    return ShellExecuteOnDesktop(Utf8ToWide(address), ExecutableFolderWide());
  }

  void OpenThroughProgramShell(const std::string& address) override {
    const std::string file = Utf8ToAnsi(address);
    const std::string folder = ExecutableFolder();
    ShellExecuteInUse()(window_, "Open", file.c_str(), "", folder.c_str(), SW_SHOWNORMAL);
  }

 private:
  HWND window_;
};

}  // namespace

std::string ExecutableFolder() { return Utf8ToAnsi(WideToUtf8(ExecutableFolderWide())); }

void OpenWebAddress(HWND window, const std::string& address) {
  WindowShells shells(window);
  OpenAsLoggedOnUser(shells, address);
}

void SetShellExecuteForTesting(ShellExecuteFunction function) {
  ShellExecuteInUse() = function ? function : ShellExecuteFromShell;
}

}  // namespace quorvane::ui::win32
