#include "store/whole_value.h"

#include <utility>

namespace quorvane::store {

Status ReadWholeValue(RegistryBackend& backend, KeyHandle key, const std::string& name,
                      ValueCalls calls, bool textOnly, TypedValue* value) {
  const auto query = [&](ValueType* type, std::uint8_t* data, std::uint32_t* size) {
    return calls == ValueCalls::Exactly ? backend.QueryValueExactly(key, name, type, data, size)
                                        : backend.QueryValue(key, name, type, data, size);
  };
  TypedValue read;
  std::uint32_t size = 0;
  Status status = query(&read.type, nullptr, &size);
  if (status != kSuccess) return status;
  if (textOnly && read.type != kTypeText) return kNotFound;
  // The buffer starts out as blanks, as the registry's own readers fill it;
  // every byte is overwritten by the data.
  status = kMoreData;
  while (status == kMoreData) {
    read.data.assign(size, ' ');
    status = query(&read.type, read.data.data(), &size);
  }
  if (status != kSuccess) return status;
  if (textOnly && read.type != kTypeText) return kNotFound;  // replaced meanwhile
  read.data.resize(size);
  *value = std::move(read);
  return kSuccess;
}

}  // namespace quorvane::store
