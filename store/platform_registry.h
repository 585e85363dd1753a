// The registry that the program runs on: Windows' own on Windows, the
// portable registry everywhere else. Choosing it is the platform's matter,
// kept here so that the program itself reads no environment.
#pragma once

#include <memory>

#include "store/open_failure.h"
#include "store/registry_backend.h"

namespace quorvane::store {

// Opens the platform's registry. Throws RegistryOpenError.
std::unique_ptr<RegistryBackend> OpenPlatformRegistry();

}  // namespace quorvane::store
