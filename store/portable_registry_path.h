// Where the portable registry lives, and making room for it.
//
// The store is the file named by QUORVANE_REGISTRY when that is set and not
// empty; otherwise $XDG_DATA_HOME/quorvane/registry.sqlite3, where an unset,
// empty or relative XDG_DATA_HOME counts as ~/.local/share (the XDG Base
// Directory rules).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvane::store {

// The environment that decides the location; nullopt stands for an unset
// variable.
struct RegistryEnvironment {
  std::optional<std::string> quorvaneRegistry;  // QUORVANE_REGISTRY
  std::optional<std::string> xdgDataHome;       // XDG_DATA_HOME
  std::optional<std::string> home;              // HOME, or the account's home folder
};

// The environment of this process. HOME falls back to the home folder of the
// account when unset.
RegistryEnvironment CurrentRegistryEnvironment();

// The store's file for that environment, or nullopt when the default location
// is needed and there is no home folder to put it in.
std::optional<std::string> PortableRegistryPath(const RegistryEnvironment& environment);

// Creates folder and its missing parents, each new one readable, writable and
// searchable by its owner only (0700); existing folders are left as they are.
// Returns 0, or the errno of the step that failed. When created is given,
// the folders it made are appended to it, the outermost first.
int CreatePrivateFolders(const std::string& folder, std::vector<std::string>* created = nullptr);

}  // namespace quorvane::store
