// The real Windows registry, through advapi32's ANSI calls, and its wide
// calls for an exact copy.
//
// The program speaks UTF-8; the registry's A calls speak the system's ANSI
// code page. This backend converts at its boundary, and only there:
//
//   - paths and value names are converted before every call;
//   - the data of a text value (REG_SZ) is converted on the way in and out,
//     so sizes in and out of QueryValue and SetValue count UTF-8 bytes;
//   - every other type passes through byte for byte;
//   - a text of any string type is stored with its terminating NUL, the
//     length handed to RegSetValueEx counting it (see registry_backend.h).
//
// A path, name or text that the ANSI code page cannot hold, or that is not
// valid UTF-8, is refused with ERROR_NO_UNICODE_TRANSLATION and reaches no
// registry call: writing it with stand-in characters would address another
// key or store another text than the one asked for. A path or name holding
// a NUL is refused with ERROR_INVALID_PARAMETER, since the A calls would
// silently stop at it.
#pragma once

#include <string>

#include "store/registry_backend.h"

namespace quorvane::store {

class WinRegistry final : public RegistryBackend {
 public:
  Status OpenKey(RootKey root, const std::string& path, KeyHandle* key) override;
  Status CreateKey(RootKey root, const std::string& path, KeyHandle* key) override;
  // For a text value the size reported, and the one that the buffer must
  // have, is that of its UTF-8 form. When the value changes between the
  // calls that read it, the answer is that of the value as last read.
  Status QueryValue(KeyHandle key, const std::string& name, ValueType* type, std::uint8_t* data,
                    std::uint32_t* size) override;
  [[nodiscard]] Status SetValue(KeyHandle key, const std::string& name, ValueType type,
                                const std::uint8_t* data, std::uint32_t size) override;
  // Through the W calls: a text (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) comes
  // and goes as UTF-8 made exactly from the UTF-16 the registry holds, its
  // sizes counting UTF-8 bytes; other types pass byte for byte. A stored
  // text that is not valid UTF-16 answers ERROR_NO_UNICODE_TRANSLATION.
  Status QueryValueExactly(KeyHandle key, const std::string& name, ValueType* type,
                           std::uint8_t* data, std::uint32_t* size) override;
  [[nodiscard]] Status SetValueExactly(KeyHandle key, const std::string& name, ValueType type,
                                       const std::uint8_t* data, std::uint32_t size) override;
  [[nodiscard]] Status DeleteValue(KeyHandle key, const std::string& name) override;
  // Closing kNoKey answers ERROR_INVALID_HANDLE and touches nothing.
  Status CloseKey(KeyHandle key) override;
};

}  // namespace quorvane::store
