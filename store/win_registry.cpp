#include "store/win_registry.h"

#include <windows.h>

#include <array>
#include <climits>
#include <cstring>
#include <string_view>
#include <type_traits>

namespace quorvane::store {
namespace {

// Text in code page `from` as UTF-16; false when it is not valid there.
bool Widen(std::string_view text, UINT from, std::wstring* wide) {
  wide->clear();
  if (text.empty()) return true;
  if (text.size() > static_cast<std::size_t>(INT_MAX)) return false;
  const int length = static_cast<int>(text.size());
  const int wideLength =
      MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (wideLength == 0) return false;
  wide->resize(static_cast<std::size_t>(wideLength));
  MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, text.data(), length, wide->data(), wideLength);
  return true;
}

// UTF-16 in code page `to`. False when `to` has no exact character for one
// of its characters (best-fit look-alikes count as missing: "Ā" must not
// become "A", nor some other character a backslash), or, for UTF-8, which
// has every character, when the UTF-16 is not valid (a lone surrogate).
bool Narrow(std::wstring_view wide, UINT to, std::string* out) {
  out->clear();
  if (wide.empty()) return true;
  if (wide.size() > static_cast<std::size_t>(INT_MAX)) return false;
  const int wideLength = static_cast<int>(wide.size());
  const bool utf8 = to == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL substituted = FALSE;
  BOOL* substitutedOut = utf8 ? nullptr : &substituted;
  const int outLength = WideCharToMultiByte(to, flags, wide.data(), wideLength, nullptr, 0,
                                            nullptr, substitutedOut);
  if (outLength == 0 || substituted) return false;
  out->resize(static_cast<std::size_t>(outLength));
  WideCharToMultiByte(to, flags, wide.data(), wideLength, out->data(), outLength, nullptr,
                      substitutedOut);
  return !substituted;
}

// Converts between two code pages through UTF-16, exactly or not at all.
bool Recode(std::string_view text, UINT from, UINT to, std::string* out) {
  std::wstring wide;
  return Widen(text, from, &wide) && Narrow(wide, to, out);
}

// UTF-8 to the ANSI code page; false when it cannot be done exactly.
bool ToAnsi(std::string_view utf8, std::string* ansi) {
  if (GetACP() == CP_UTF8) {
    std::string ignored;  // still refuse what is not UTF-8
    if (!Recode(utf8, CP_UTF8, CP_UTF8, &ignored)) return false;
    ansi->assign(utf8);
    return true;
  }
  return Recode(utf8, CP_UTF8, CP_ACP, ansi);
}

bool FromAnsi(std::string_view ansi, std::string* utf8) {
  if (GetACP() == CP_UTF8) {
    utf8->assign(ansi);
    return true;
  }
  return Recode(ansi, CP_ACP, CP_UTF8, utf8);
}

// A path or value name in ANSI, ready for the A calls.
Status AnsiName(const std::string& name, std::string* ansi) {
  if (name.find('\0') != std::string::npos) return ERROR_INVALID_PARAMETER;
  return ToAnsi(name, ansi) ? ERROR_SUCCESS : kNoUnicodeTranslation;
}

HKEY RootHandle(RootKey root) {
  switch (root) {
    case RootKey::LocalMachine:
      return HKEY_LOCAL_MACHINE;
  }
  return nullptr;
}

HKEY Handle(KeyHandle key) { return reinterpret_cast<HKEY>(key); }

// Reads a value whole, through the A or the W call as its name is given,
// starting with a buffer of `capacity` bytes and growing it for as long as
// the value outgrows it.
template <typename Char>
Status ReadWhole(HKEY key, const Char* name, DWORD capacity, DWORD* type, std::string* data) {
  for (;;) {
    data->resize(capacity);
    DWORD got = capacity;
    BYTE* buffer = capacity ? reinterpret_cast<BYTE*>(data->data()) : nullptr;
    LONG status;
    if constexpr (std::is_same_v<Char, wchar_t>) {
      status = RegQueryValueExW(key, name, nullptr, type, buffer, &got);
    } else {
      status = RegQueryValueExA(key, name, nullptr, type, buffer, &got);
    }
    // Without a buffer the call only tells the size: a value that is not
    // empty after all needs another round.
    const bool grown = status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && !buffer && got);
    if (grown) {
      capacity = got;
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    data->resize(got);
    return ERROR_SUCCESS;
  }
}

// Answers a query for a value whose type and bytes are known: its size
// alone when data is null, otherwise the bytes when *size leaves room for
// them, or ERROR_MORE_DATA and the size they need.
Status Answer(DWORD valueType, std::string_view payload, ValueType* type, std::uint8_t* data,
              std::uint32_t* size) {
  if (type) *type = valueType;
  const std::uint32_t needed = static_cast<std::uint32_t>(payload.size());
  if (!data) {
    if (size) *size = needed;
    return ERROR_SUCCESS;
  }
  if (*size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  if (needed) std::memcpy(data, payload.data(), needed);
  *size = needed;
  return ERROR_SUCCESS;
}

// A value name in UTF-16, ready for the W calls.
Status WideName(const std::string& name, std::wstring* wide) {
  if (name.find('\0') != std::string::npos) return ERROR_INVALID_PARAMETER;
  return Widen(name, CP_UTF8, wide) ? ERROR_SUCCESS : kNoUnicodeTranslation;
}

Status OpenOrCreate(LONG(WINAPI* call)(HKEY, LPCSTR, PHKEY), RootKey root,
                    const std::string& path, KeyHandle* key) {
  if (!key) return ERROR_INVALID_PARAMETER;
  *key = kNoKey;
  const HKEY rootHandle = RootHandle(root);
  if (!rootHandle) return ERROR_INVALID_HANDLE;
  std::string ansiPath;
  if (const Status status = AnsiName(path, &ansiPath); status != ERROR_SUCCESS) return status;
  HKEY opened = nullptr;
  const LONG status = call(rootHandle, ansiPath.c_str(), &opened);
  if (status == ERROR_SUCCESS) *key = reinterpret_cast<KeyHandle>(opened);
  return status;
}

}  // namespace

Status WinRegistry::OpenKey(RootKey root, const std::string& path, KeyHandle* key) {
  return OpenOrCreate(RegOpenKeyA, root, path, key);
}

Status WinRegistry::CreateKey(RootKey root, const std::string& path, KeyHandle* key) {
  return OpenOrCreate(RegCreateKeyA, root, path, key);
}

Status WinRegistry::QueryValue(KeyHandle key, const std::string& name, ValueType* type,
                               std::uint8_t* data, std::uint32_t* size) {
  if (data && !size) return ERROR_INVALID_PARAMETER;
  std::string ansiName;
  if (const Status status = AnsiName(name, &ansiName); status != ERROR_SUCCESS) return status;

  // The UTF-8 size of a text is known only from its ANSI bytes, so a question
  // for the size alone still reads the data, into a scratch buffer that
  // holds most values: one registry call instead of two.
  std::array<std::uint8_t, 256> scratch;
  std::uint8_t* buffer = data;
  DWORD got = data ? *size : 0;
  if (!data && size) {
    buffer = scratch.data();
    got = static_cast<DWORD>(scratch.size());
  }
  DWORD valueType = REG_NONE;
  LONG status = RegQueryValueExA(Handle(key), ansiName.c_str(), nullptr, &valueType, buffer,
                                 size ? &got : nullptr);
  const bool answered = status == ERROR_SUCCESS || status == ERROR_MORE_DATA;
  if (!answered || valueType != REG_SZ || !size) {
    // Not a text: exactly what the registry said, and only its size when
    // that was the question.
    if (type) *type = valueType;
    if (size) *size = got;
    if (!data && status == ERROR_MORE_DATA) return ERROR_SUCCESS;
    return status;
  }

  std::string ansi;
  if (status == ERROR_SUCCESS) {
    ansi.assign(reinterpret_cast<const char*>(buffer), got);
  } else {
    status = ReadWhole(Handle(key), ansiName.c_str(), got, &valueType, &ansi);
    if (status != ERROR_SUCCESS) return status;
  }
  std::string payload;
  if (valueType != REG_SZ) {
    payload = std::move(ansi);  // replaced by another type meanwhile
  } else if (!FromAnsi(ansi, &payload)) {
    return kNoUnicodeTranslation;
  }

  return Answer(valueType, payload, type, data, size);
}

Status WinRegistry::SetValue(KeyHandle key, const std::string& name, ValueType type,
                             const std::uint8_t* data, std::uint32_t size) {
  if (!data && size) return ERROR_INVALID_PARAMETER;
  std::string ansiName;
  if (const Status status = AnsiName(name, &ansiName); status != ERROR_SUCCESS) return status;
  if (!IsStringType(type)) {
    return RegSetValueExA(Handle(key), ansiName.c_str(), 0, type, data, size);
  }

  const std::string_view given(reinterpret_cast<const char*>(data), size);
  std::string bytes;
  if (type == REG_SZ) {
    if (!ToAnsi(given, &bytes)) return kNoUnicodeTranslation;
  } else {
    bytes.assign(given);
  }
  // The length counts the terminating NUL, as RegSetValueEx asks: without
  // it Windows stores the text as it is, or counts in a NUL that happens to
  // follow it in memory. The length is that of the converted text, never
  // its count of characters.
  if (LacksTerminator(type, data, size)) bytes.push_back('\0');
  return RegSetValueExA(Handle(key), ansiName.c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size()));
}

// The W calls hand text over as the registry holds it, in UTF-16, whatever
// the ANSI code page; here it becomes UTF-8 and back, every character kept.
Status WinRegistry::QueryValueExactly(KeyHandle key, const std::string& name, ValueType* type,
                                      std::uint8_t* data, std::uint32_t* size) {
  if (data && !size) return ERROR_INVALID_PARAMETER;
  std::wstring wideName;
  if (const Status status = WideName(name, &wideName); status != ERROR_SUCCESS) return status;

  // Read whole, however it grows meanwhile, so that the size answered is
  // that of the UTF-8 form of the value read.
  DWORD valueType = REG_NONE;
  std::string stored;
  if (const Status status = ReadWhole(Handle(key), wideName.c_str(), 0, &valueType, &stored);
      status != ERROR_SUCCESS) {
    return status;
  }
  if (!IsStringType(valueType)) return Answer(valueType, stored, type, data, size);
  if (stored.size() % sizeof(wchar_t) != 0) return kNoUnicodeTranslation;
  std::wstring wide(stored.size() / sizeof(wchar_t), L'\0');
  if (!wide.empty()) std::memcpy(wide.data(), stored.data(), stored.size());
  std::string utf8;
  if (!Narrow(wide, CP_UTF8, &utf8)) return kNoUnicodeTranslation;
  return Answer(valueType, utf8, type, data, size);
}

Status WinRegistry::SetValueExactly(KeyHandle key, const std::string& name, ValueType type,
                                    const std::uint8_t* data, std::uint32_t size) {
  if (!data && size) return ERROR_INVALID_PARAMETER;
  std::wstring wideName;
  if (const Status status = WideName(name, &wideName); status != ERROR_SUCCESS) return status;
  if (!IsStringType(type)) {
    return RegSetValueExW(Handle(key), wideName.c_str(), 0, type, data, size);
  }
  std::wstring wide;
  if (!Widen(std::string_view(reinterpret_cast<const char*>(data), size), CP_UTF8, &wide)) {
    return kNoUnicodeTranslation;
  }
  // The terminating NUL counted in, as with the A call.
  if (LacksTerminator(type, data, size)) wide.push_back(L'\0');
  return RegSetValueExW(Handle(key), wideName.c_str(), 0, type,
                        reinterpret_cast<const BYTE*>(wide.data()),
                        static_cast<DWORD>(wide.size() * sizeof(wchar_t)));
}

Status WinRegistry::DeleteValue(KeyHandle key, const std::string& name) {
  std::string ansiName;
  if (const Status status = AnsiName(name, &ansiName); status != ERROR_SUCCESS) return status;
  return RegDeleteValueA(Handle(key), ansiName.c_str());
}

Status WinRegistry::CloseKey(KeyHandle key) {
  if (key == kNoKey) return ERROR_INVALID_HANDLE;
  return RegCloseKey(Handle(key));
}

}  // namespace quorvane::store
