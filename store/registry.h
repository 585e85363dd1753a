// The program's only road to the registry: five forgiving procedures.
//
// Each call opens (or creates) its key, does one thing and closes the key
// again before it returns; nothing is cached, so every call sees the
// registry as it is at that moment. A read that cannot be satisfied (missing
// key, missing value, another type) yields the caller's default. The write
// procedures tell whether they succeeded; a caller may ignore that.
//
// Text is UTF-8 throughout the program; a backend converts it where the
// platform needs another code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "store/registry_backend.h"

namespace quorvane::store {

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

  // Creates the key (and its missing parents) when needed. True when the
  // value was stored.
  bool WriteText(RootKey root, const std::string& path, const std::string& name,
                 const std::string& data) const;
  bool WriteNumber(RootKey root, const std::string& path, const std::string& name,
                   std::int32_t data) const;
  // Never creates the key. True when the value is gone afterwards, which
  // includes a value, or a key, that was not there in the first place.
  bool RemoveValue(RootKey root, const std::string& path, const std::string& name) const;

 private:
  RegistryBackend& backend_;
};

}  // namespace quorvane::store
