// Text at the Windows boundary: the program speaks UTF-8, the W calls
// UTF-16 and the A calls (MessageBoxA, ShellExecuteA) the system's ANSI
// code page.
#pragma once

#include <string>
#include <string_view>

namespace quorvane::ui::win32 {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// Characters the ANSI code page cannot hold become its stand-in character.
std::string Utf8ToAnsi(std::string_view utf8);

}  // namespace quorvane::ui::win32
