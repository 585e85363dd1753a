// The program's only road to the registry: forgiving reads, writes that
// answer how they went, and an exact copy of a value whatever its type.
//
// Each call opens (or creates) its key, does one thing and closes the key
// again before it returns; nothing is cached, so every call sees the
// registry as it is at that moment. A read that cannot be satisfied (missing
// key, missing value, another type) yields the caller's default. The write
// procedures answer the status that says whether they succeeded and, when
// not, why.
//
// Text is UTF-8 throughout the program; a backend converts it where the
// platform needs another code page. A text is stored with its terminating
// NUL, as Windows' own tools read it (see registry_backend.h); it is read
// up to its first NUL, so that one stored without, by an earlier version,
// reads the same.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/registry_backend.h"

namespace quorvane::store {

// What a write or a removal came to: kSuccess, or the status of the platform
// call that failed, which tells why (kAccessDenied, kDiskFull, ...). Tests
// true exactly when it succeeded. A caller that drops one is told by the
// compiler.
struct [[nodiscard]] WriteResult {
  Status status = kSuccess;
  explicit operator bool() const { return status == kSuccess; }
};

// A value exactly as the registry holds it: its type code and its bytes
// (a text's bytes in UTF-8, as everywhere in the program, with the NULs
// the registry holds).
struct TypedValue {
  ValueType type = kTypeNone;
  std::vector<std::uint8_t> data;
  bool operator==(const TypedValue&) const = default;
};

class Registry {
 public:
  explicit Registry(RegistryBackend& backend) : backend_(backend) {}

  // The text value at (root, path, name) up to its first NUL, or nullopt when
  // the key or value is missing or the value is not of type text.
  std::optional<std::string> QueryText(RootKey root, const std::string& path,
                                       const std::string& name) const;
  // The 32-bit number at (root, path, name), or nullopt when the key or value
  // is missing or the value is not a four-byte number.
  std::optional<std::int32_t> QueryNumber(RootKey root, const std::string& path,
                                          const std::string& name) const;

  std::string ReadText(RootKey root, const std::string& path, const std::string& name,
                       const std::string& fallback) const;
  std::int32_t ReadNumber(RootKey root, const std::string& path, const std::string& name,
                          std::int32_t fallback) const;

  // Creates the key (and its missing parents) when needed. Succeeds when the
  // value was stored; a failed create is reported by its own status, not by
  // that of the set which then fails against the empty handle.
  WriteResult WriteText(RootKey root, const std::string& path, const std::string& name,
                        const std::string& data) const;
  WriteResult WriteNumber(RootKey root, const std::string& path, const std::string& name,
                          std::int32_t data) const;
  // Never creates the key. Succeeds when the value is gone afterwards, which
  // includes a value, or a key, that was not there in the first place.
  WriteResult RemoveValue(RootKey root, const std::string& path, const std::string& name) const;

  // The value at (root, path, name) whatever its type, for copying it
  // exactly: every character of a text, also those that the text
  // procedures' code page lacks. kNotFound when the key or the value is
  // missing; any other failure is the status of the call that failed.
  // *value is set only on kSuccess.
  [[nodiscard]] Status QueryValue(RootKey root, const std::string& path, const std::string& name,
                                  TypedValue* value) const;
  // Stores value with its own type and bytes, as WriteText stores a text:
  // a text that lacks its terminating NUL gets one, and only then.
  WriteResult WriteValue(RootKey root, const std::string& path, const std::string& name,
                         const TypedValue& value) const;

 private:
  WriteResult Write(RootKey root, const std::string& path, const std::string& name,
                    ValueType type, const std::uint8_t* data, std::uint32_t size,
                    bool exactly) const;

  RegistryBackend& backend_;
};

}  // namespace quorvane::store
