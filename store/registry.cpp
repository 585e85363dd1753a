#include "store/registry.h"

#include <cstring>
#include <vector>

#include "store/scoped_key.h"

namespace quorvane::store {

std::optional<std::string> Registry::QueryText(RootKey root, const std::string& path,
                                               const std::string& name) const {
  ScopedKey key(backend_);
  backend_.OpenKey(root, path, key.receive());

  ValueType type = kTypeNone;
  std::uint32_t size = 0;
  if (backend_.QueryValue(key.get(), name, &type, nullptr, &size) != kSuccess ||
      type != kTypeText) {
    return std::nullopt;
  }
  // Another program may make the value longer between the size query and the
  // read; ask again with the size it now needs rather than return a buffer of
  // blanks.
  std::vector<std::uint8_t> buffer;
  Status status = kMoreData;
  while (status == kMoreData) {
    buffer.assign(size, ' ');
    status = backend_.QueryValue(key.get(), name, &type, buffer.data(), &size);
  }
  if (status != kSuccess || type != kTypeText) return std::nullopt;
  buffer.resize(size);

  const auto* begin = reinterpret_cast<const char*>(buffer.data());
  // An empty value leaves no buffer at all, and memchr must not see null.
  const void* nul = buffer.empty() ? nullptr : std::memchr(begin, '\0', buffer.size());
  const std::size_t length =
      nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - begin) : buffer.size();
  return std::string(begin, length);
}

std::optional<std::int32_t> Registry::QueryNumber(RootKey root, const std::string& path,
                                                  const std::string& name) const {
  ScopedKey key(backend_);
  backend_.OpenKey(root, path, key.receive());

  ValueType type = kTypeNone;
  std::uint8_t data[4] = {0, 0, 0, 0};
  std::uint32_t size = sizeof data;
  // A shorter number fills the low bytes of a buffer that starts at zero; a
  // longer value does not fit and counts as absent.
  if (backend_.QueryValue(key.get(), name, &type, data, &size) != kSuccess ||
      type != kTypeNumber) {
    return std::nullopt;
  }
  std::int32_t number;
  std::memcpy(&number, data, sizeof number);  // REG_DWORD is little-endian, as is every host we build for
  return number;
}

std::string Registry::ReadText(RootKey root, const std::string& path, const std::string& name,
                               const std::string& fallback) const {
  return QueryText(root, path, name).value_or(fallback);
}

std::int32_t Registry::ReadNumber(RootKey root, const std::string& path, const std::string& name,
                                  std::int32_t fallback) const {
  return QueryNumber(root, path, name).value_or(fallback);
}

bool Registry::WriteText(RootKey root, const std::string& path, const std::string& name,
                         const std::string& data) const {
  // As in every procedure here, a failed create leaves the empty handle and
  // the set that follows fails against it; the call sequence stays the same.
  ScopedKey key(backend_);
  backend_.CreateKey(root, path, key.receive());
  // The length is the text's byte count: no terminating NUL is stored.
  return backend_.SetValue(key.get(), name, kTypeText,
                           reinterpret_cast<const std::uint8_t*>(data.data()),
                           static_cast<std::uint32_t>(data.size())) == kSuccess;
}

bool Registry::WriteNumber(RootKey root, const std::string& path, const std::string& name,
                           std::int32_t data) const {
  ScopedKey key(backend_);
  backend_.CreateKey(root, path, key.receive());
  std::uint8_t bytes[4];
  std::memcpy(bytes, &data, sizeof bytes);
  return backend_.SetValue(key.get(), name, kTypeNumber, bytes, sizeof bytes) == kSuccess;
}

bool Registry::RemoveValue(RootKey root, const std::string& path, const std::string& name) const {
  ScopedKey key(backend_);
  const Status opened = backend_.OpenKey(root, path, key.receive());
  const Status deleted = backend_.DeleteValue(key.get(), name);
  if (opened == kNotFound) return true;  // no key, so no value either
  return deleted == kSuccess || deleted == kNotFound;
}

}  // namespace quorvane::store
