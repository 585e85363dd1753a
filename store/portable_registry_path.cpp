#include "store/portable_registry_path.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace quorvane::store {
namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::optional<std::string> AccountHome() {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
      found->pw_dir == nullptr || found->pw_dir[0] == '\0') {
    return std::nullopt;
  }
  return std::string(found->pw_dir);
}

bool IsAbsolute(const std::optional<std::string>& path) {
  return path && !path->empty() && path->front() == '/';
}

}  // namespace

RegistryEnvironment CurrentRegistryEnvironment() {
  RegistryEnvironment environment{Variable("QUORVANE_REGISTRY"), Variable("XDG_DATA_HOME"),
                                  Variable("HOME")};
  if (!environment.home || environment.home->empty()) environment.home = AccountHome();
  return environment;
}

std::optional<std::string> PortableRegistryPath(const RegistryEnvironment& environment) {
  if (environment.quorvaneRegistry && !environment.quorvaneRegistry->empty()) {
    return environment.quorvaneRegistry;
  }
  std::string dataHome;
  if (IsAbsolute(environment.xdgDataHome)) {
    dataHome = *environment.xdgDataHome;
  } else if (environment.home && !environment.home->empty()) {
    dataHome = *environment.home;
    if (dataHome.back() != '/') dataHome += '/';
    dataHome += ".local/share";
  } else {
    return std::nullopt;
  }
  if (dataHome.back() != '/') dataHome += '/';
  return dataHome + "quorvane/registry.sqlite3";
}

int CreatePrivateFolders(const std::string& folder, std::vector<std::string>* created) {
  if (folder.empty()) return 0;
  struct stat status {};
  if (stat(folder.c_str(), &status) == 0) return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;

  // Make each missing folder from the top down, so that every new one gets
  // mode 0700 rather than what a recursive helper's umask would allow.
  for (std::size_t slash = folder.find('/', 1); ; slash = folder.find('/', slash + 1)) {
    const std::string prefix = folder.substr(0, slash);
    if (!prefix.empty() && prefix.back() != '/') {
      if (mkdir(prefix.c_str(), 0700) == 0) {
        if (created != nullptr) created->push_back(prefix);
      } else if (errno != EEXIST) {
        return errno;
      }
    }
    if (slash == std::string::npos) break;
  }
  if (stat(folder.c_str(), &status) != 0) return errno;
  return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
}

}  // namespace quorvane::store
