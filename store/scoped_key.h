// An open registry key that is closed when it goes out of scope, so that no
// handle outlives the call that opened it.
#pragma once

#include "store/registry_backend.h"

namespace quorvane::store {

class ScopedKey {
 public:
  explicit ScopedKey(RegistryBackend& backend) : backend_(backend) {}
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  // Also closes the empty handle that a failed open leaves, which the
  // backends accept as the Win32 call does.
  ~ScopedKey() { backend_.CloseKey(key_); }

  // Where an open or create call puts the handle.
  KeyHandle* receive() { return &key_; }
  KeyHandle get() const { return key_; }

 private:
  RegistryBackend& backend_;
  KeyHandle key_ = kNoKey;
};

}  // namespace quorvane::store
