// quorvane-reg.exe: the program's operations (show, optimise, verify,
// restore) and its presets from the command line, on Windows' own registry;
// reg.exe's own commands are Windows' reg.exe's. Run with /? for its usage.
//
// An administrator or SYSTEM runs it, from wherever a start-up script or a
// management agent put it, so it trusts nothing around it: it takes no DLL
// from its folder, the working folder or PATH (it imports KnownDLLs alone,
// and restricts every later load to System32 before anything else), and its
// manifest asks for no elevation, so that it runs with the rights it was
// given and a write that they do not allow fails as Windows says.
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/reg_run.h"
#include "tools/utf16.h"

namespace {

// What the program ends with when it cannot restrict where DLLs come from.
constexpr int kUnsafeStart = 1;

// The command line as Windows gives it, in UTF-16, as the program's UTF-8.
std::vector<std::string> Arguments(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::wstring_view wide(argv[i]);
    args.push_back(quorvane::tools::Utf8Of(std::u16string(wide.begin(), wide.end())));
  }
  return args;
}

// A person answers where standard input is a console; not where it is a
// file, a pipe, or nothing at all (a service, a scheduled task).
bool InputIsConsole() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) return kUnsafeStart;
  return quorvane::tools::QuorvaneReg(Arguments(argc, argv), InputIsConsole(), std::cin,
                                      std::cout, std::cerr);
}
