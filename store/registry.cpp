#include "store/registry.h"

#include <cstring>
#include <utility>
#include <vector>

#include "store/scoped_key.h"
#include "store/whole_value.h"

namespace quorvane::store {

std::optional<std::string> Registry::QueryText(RootKey root, const std::string& path,
                                               const std::string& name) const {
  ScopedKey key(backend_);
  backend_.OpenKey(root, path, key.receive());
  TypedValue read;
  if (ReadWholeValue(backend_, key.get(), name, ValueCalls::Own, true, &read) != kSuccess) {
    return std::nullopt;
  }
  const auto* begin = reinterpret_cast<const char*>(read.data.data());
  // An empty value leaves no buffer at all, and memchr must not see null.
  const void* nul = read.data.empty() ? nullptr : std::memchr(begin, '\0', read.data.size());
  const std::size_t length =
      nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - begin) : read.data.size();
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

Status Registry::QueryValue(RootKey root, const std::string& path, const std::string& name,
                           TypedValue* value) const {
  ScopedKey key(backend_);
  if (const Status opened = backend_.OpenKey(root, path, key.receive()); opened != kSuccess) {
    return opened;
  }
  return ReadWholeValue(backend_, key.get(), name, ValueCalls::Exactly, false, value);
}

WriteResult Registry::Write(RootKey root, const std::string& path, const std::string& name,
                            ValueType type, const std::uint8_t* data, std::uint32_t size,
                            bool exactly) const {
  // One change of the store, where it can make one: a set that fails takes
  // back the keys its create made. As in every procedure here, a failed
  // create leaves the empty handle and the set that follows fails against
  // it; the call sequence stays the same, and the create's status is the
  // one that says why.
  if (const Status begun = backend_.BeginWrite(); begun != kSuccess) return {begun};
  Status status;
  {
    ScopedKey key(backend_);
    const Status created = backend_.CreateKey(root, path, key.receive());
    const Status set = exactly ? backend_.SetValueExactly(key.get(), name, type, data, size)
                               : backend_.SetValue(key.get(), name, type, data, size);
    status = created != kSuccess ? created : set;
  }
  const Status ended = backend_.EndWrite(status == kSuccess);
  return {status != kSuccess ? status : ended};
}

WriteResult Registry::WriteText(RootKey root, const std::string& path, const std::string& name,
                                const std::string& data) const {
  // The text's bytes alone: the backend stores its terminating NUL.
  return Write(root, path, name, kTypeText, reinterpret_cast<const std::uint8_t*>(data.data()),
               static_cast<std::uint32_t>(data.size()), false);
}

WriteResult Registry::WriteNumber(RootKey root, const std::string& path, const std::string& name,
                                  std::int32_t data) const {
  std::uint8_t bytes[4];
  std::memcpy(bytes, &data, sizeof bytes);
  return Write(root, path, name, kTypeNumber, bytes, sizeof bytes, false);
}

WriteResult Registry::WriteValue(RootKey root, const std::string& path, const std::string& name,
                                 const TypedValue& value) const {
  return Write(root, path, name, value.type, value.data.data(),
               static_cast<std::uint32_t>(value.data.size()), true);
}

WriteResult Registry::RemoveValue(RootKey root, const std::string& path,
                                  const std::string& name) const {
  ScopedKey key(backend_);
  const Status opened = backend_.OpenKey(root, path, key.receive());
  const Status deleted = backend_.DeleteValue(key.get(), name);
  if (opened == kNotFound) return {};  // no key, so no value either
  if (opened != kSuccess) return {opened};
  return {deleted == kNotFound ? kSuccess : deleted};
}

}  // namespace quorvane::store
