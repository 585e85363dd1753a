// The registry that the program runs on: Windows' own on Windows, the
// portable registry everywhere else. Choosing it is the platform's matter,
// kept here so that the program itself reads no environment.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "store/registry_backend.h"

namespace quorvane::store {

// Thrown when the registry cannot be opened; what() names the file (on the
// portable registry) and the reason, in words fit for a message box.
class RegistryOpenError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Opens the platform's registry. Throws RegistryOpenError.
std::unique_ptr<RegistryBackend> OpenPlatformRegistry();

}  // namespace quorvane::store
