// The six registry operations that the settings store needs, and nothing more.
//
// Two implementations stand behind this interface: the real Windows registry
// (win_registry.h) and the portable registry in an SQLite file
// (sqlite_registry.h). Both follow the contract of the Win32 calls they are
// named after, so that code written against one behaves the same on the other:
//
//   OpenKey     RegOpenKeyA       an existing key only; never creates one
//   CreateKey   RegCreateKeyA     creates the key and any missing parents
//   QueryValue  RegQueryValueExA  type and size, and the data when a buffer
//                                 of the right size is given
//   SetValue    RegSetValueExA    one typed value per name, replaced whole
//   DeleteValue RegDeleteValueA   the value only; the key stays
//   CloseKey    RegCloseKey       also harmless on the empty handle
//
// Names of keys and values compare case-insensitively; the empty value name
// is the key's default value.
//
// The data of a string type (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) is its
// bytes as the registry holds them, terminating NUL included, as
// RegSetValueEx wants them: SetValue stores data that ends in a NUL as it
// is given, and data that does not (an empty text among them) with a NUL
// added, so that every reader, Windows' own export among them, sees the
// text whole; QueryValue answers the bytes stored. A text stored without
// its NUL, by an earlier version or by another program, answers without
// one, and one stored with more keeps them all: a copy made through the
// two calls neither doubles a NUL nor loses a character.
//
// Every call returns a Win32 status code; the compiler sees to it that no
// write's is dropped (a failed open or create may be, as the registry
// procedures' calls carry on against the empty handle it leaves).
#pragma once

#include <cstdint>
#include <string>

namespace quorvane::store {

// A predefined root key. Windows' own name for the only root the program
// uses is a macro in <windows.h>, so it is spelled as an enumerator here.
enum class RootKey : std::uint32_t {
  LocalMachine = 0x80000002u,  // HKEY_LOCAL_MACHINE
};

// An open key. Zero is the empty handle that a failed open or create leaves.
using KeyHandle = std::uintptr_t;
inline constexpr KeyHandle kNoKey = 0;

// Value type codes, as the registry stores them.
using ValueType = std::uint32_t;
inline constexpr ValueType kTypeNone = 0;            // REG_NONE
inline constexpr ValueType kTypeText = 1;            // REG_SZ
inline constexpr ValueType kTypeExpandableText = 2;  // REG_EXPAND_SZ
inline constexpr ValueType kTypeBinary = 3;          // REG_BINARY
inline constexpr ValueType kTypeNumber = 4;          // REG_DWORD
inline constexpr ValueType kTypeNumberBigEndian = 5; // REG_DWORD_BIG_ENDIAN
inline constexpr ValueType kTypeMultiText = 7;       // REG_MULTI_SZ
inline constexpr ValueType kTypeNumber64 = 11;       // REG_QWORD

// The types whose data is text, each string in it ended by a NUL.
constexpr bool IsStringType(ValueType type) {
  return type == kTypeText || type == kTypeExpandableText || type == kTypeMultiText;
}

// True when data of type is text that does not end in the NUL which the
// registry stores after it, and which SetValue therefore adds.
constexpr bool LacksTerminator(ValueType type, const std::uint8_t* data, std::uint32_t size) {
  return IsStringType(type) && (size == 0 || data[size - 1] != 0);
}

// Win32 status codes that the backends report: every status the store
// answers is one of these, defined here once.
using Status = long;
inline constexpr Status kSuccess = 0;         // ERROR_SUCCESS
inline constexpr Status kNotFound = 2;        // ERROR_FILE_NOT_FOUND
inline constexpr Status kAccessDenied = 5;    // ERROR_ACCESS_DENIED
inline constexpr Status kInvalidHandle = 6;   // ERROR_INVALID_HANDLE
inline constexpr Status kWriteProtected = 19; // ERROR_WRITE_PROTECT: the store can only be read
inline constexpr Status kInUse = 32;          // ERROR_SHARING_VIOLATION: another program holds it
inline constexpr Status kInvalidParameter = 87; // ERROR_INVALID_PARAMETER
inline constexpr Status kDiskFull = 112;      // ERROR_DISK_FULL
inline constexpr Status kBadPathname = 161;   // ERROR_BAD_PATHNAME: a key path, or the store's file name, that cannot name one
inline constexpr Status kAlreadyExists = 183; // ERROR_ALREADY_EXISTS: an older store holds two names that now compare as one
inline constexpr Status kMoreData = 234;      // ERROR_MORE_DATA
inline constexpr Status kBadDatabase = 1009;  // ERROR_BADDB
inline constexpr Status kRegistryCorrupt = 1015; // ERROR_REGISTRY_CORRUPT: the store is damaged
inline constexpr Status kWriteFault = 1016;   // ERROR_REGISTRY_IO_FAILED
inline constexpr Status kNoUnicodeTranslation = 1113;  // ERROR_NO_UNICODE_TRANSLATION: a text the code page cannot hold

class RegistryBackend {
 public:
  virtual ~RegistryBackend() = default;

  // On failure *key is left as kNoKey.
  virtual Status OpenKey(RootKey root, const std::string& path, KeyHandle* key) = 0;
  virtual Status CreateKey(RootKey root, const std::string& path, KeyHandle* key) = 0;

  // Reports the value's type in *type (when type is not null) and its size in
  // bytes in *size. With data null only the size is asked for. With a buffer
  // of *size bytes that is too small, answers kMoreData and the needed size.
  virtual Status QueryValue(KeyHandle key, const std::string& name, ValueType* type,
                            std::uint8_t* data, std::uint32_t* size) = 0;
  [[nodiscard]] virtual Status SetValue(KeyHandle key, const std::string& name, ValueType type,
                                        const std::uint8_t* data, std::uint32_t size) = 0;
  [[nodiscard]] virtual Status DeleteValue(KeyHandle key, const std::string& name) = 0;
  virtual Status CloseKey(KeyHandle key) = 0;

  // As QueryValue and SetValue, for a copy that must keep the value exactly
  // as the registry holds it: a backend whose own calls pass text through a
  // narrower code page (Windows' ANSI calls) answers these with calls that
  // lose no character. Text is UTF-8 here as everywhere.
  virtual Status QueryValueExactly(KeyHandle key, const std::string& name, ValueType* type,
                                   std::uint8_t* data, std::uint32_t* size) {
    return QueryValue(key, name, type, data, size);
  }
  [[nodiscard]] virtual Status SetValueExactly(KeyHandle key, const std::string& name,
                                               ValueType type, const std::uint8_t* data,
                                               std::uint32_t size) {
    return SetValue(key, name, type, data, size);
  }

  // Makes the calls up to EndWrite one change of the store, where the store
  // can: EndWrite(true) keeps all of them, EndWrite(false) none, and so does
  // a failed EndWrite. Where it cannot (the Windows registry), each call
  // stands alone and both answer kSuccess. A failed BeginWrite says why no
  // write can be made now; the calls are then not to be made.
  [[nodiscard]] virtual Status BeginWrite() { return kSuccess; }
  [[nodiscard]] virtual Status EndWrite(bool keep) {
    static_cast<void>(keep);
    return kSuccess;
  }
};

}  // namespace quorvane::store
