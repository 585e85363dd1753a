#include "ui/win32/text_codes.h"

#include <windows.h>

namespace quorvane::ui::win32 {
namespace {

// The text in the code page's bytes, measured first and then converted.
std::string FromWide(UINT codePage, std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string WideToUtf8(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }

std::string Utf8ToAnsi(std::string_view utf8) { return FromWide(CP_ACP, Utf8ToWide(utf8)); }

}  // namespace quorvane::ui::win32
