// On Windows the program runs on Windows' own registry, which is always there
// to be opened.
#include "store/platform_registry.h"
#include "store/win_registry.h"

namespace quorvane::store {

std::unique_ptr<RegistryBackend> OpenPlatformRegistry() { return std::make_unique<WinRegistry>(); }

}  // namespace quorvane::store
