// ReplaceFileWhole on Windows, with the wide calls: paths are UTF-8 here, as
// every text of the program, and reach Windows as the UTF-16 they are.
#include <windows.h>

#include <algorithm>
#include <string>

#include "store/status_words.h"
#include "tools/replace_file.h"
#include "tools/utf16.h"

namespace quorvane::tools {
namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string wide = Utf16Of(utf8);
  return std::wstring(wide.begin(), wide.end());
}

// The path made absolute, as ReplaceFileW wants it (Wine's takes no
// relative one); as it is where it cannot be.
std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

// Closes a handle when it goes, keeping the last error as it was.
struct Handle {
  HANDLE handle = INVALID_HANDLE_VALUE;
  ~Handle() {
    if (handle == INVALID_HANDLE_VALUE) return;
    const DWORD kept = GetLastError();
    CloseHandle(handle);
    SetLastError(kept);
  }
};

int LastError() { return static_cast<int>(GetLastError()); }

// Writes all of bytes to file; 0 or the error.
int WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return LastError();
    bytes.remove_prefix(written);
  }
  return 0;
}

// A name for the new file beside target that nothing holds yet, opened.
HANDLE OpenBeside(const std::wstring& target, std::wstring* name) {
  const std::size_t slash = target.find_last_of(L"\\/:");
  const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
  const std::wstring base = target.substr(folder.size());
  for (unsigned attempt = 0; attempt < 1000; ++attempt) {
    *name = folder + L"." + base + L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
            std::to_wstring(attempt) + L".tmp";
    const HANDLE file = CreateFileW(name->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return INVALID_HANDLE_VALUE;
}

}  // namespace

// A file that is there is replaced by ReplaceFileW, which keeps its
// permissions (its security descriptor) and attributes, as the portable
// version keeps a file's mode; a new one is moved into place, the move on
// the disk before it returns.
Replacement ReplaceFileWhole(const std::string& path, std::string_view bytes) {
  if (path.empty()) return {ERROR_PATH_NOT_FOUND};
  const std::wstring target = FullPath(Wide(path));
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {ERROR_DIRECTORY};
  // A file that cannot be written is not replaced behind its back.
  if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return {ERROR_ACCESS_DENIED};

  std::wstring temporary;
  Handle file{OpenBeside(target, &temporary)};
  if (file.handle == INVALID_HANDLE_VALUE) return {LastError()};
  const auto failed = [&](int why) {
    if (file.handle != INVALID_HANDLE_VALUE) CloseHandle(file.handle);
    file.handle = INVALID_HANDLE_VALUE;
    DeleteFileW(temporary.c_str());
    return Replacement{why};
  };
  if (const int why = WriteAll(file.handle, bytes); why != 0) return failed(why);
  if (!FlushFileBuffers(file.handle)) return failed(LastError());
  const HANDLE written = file.handle;
  file.handle = INVALID_HANDLE_VALUE;
  if (!CloseHandle(written)) return failed(LastError());

  const bool moved =
      exists ? ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr)
             : MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
  if (!moved) return failed(LastError());
  return {0, true};
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ErrorText(int error) {
  wchar_t* words = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
  std::u16string text(words, words + length);
  LocalFree(words);
  while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' ||
                           text.back() == u' ' || text.back() == u'.')) {
    text.pop_back();
  }
  if (text.empty()) return store::StatusNumberWords(error);
  return Utf8Of(text);
}

}  // namespace quorvane::tools
