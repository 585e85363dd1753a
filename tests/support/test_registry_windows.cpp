// On Windows (under Wine) the tests run on the real registry: every key that
// the program or the tests write is cleared before and after each test.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>

#include "store/win_registry.h"
#include "tests/support/test_registry.h"

namespace quorvane::testing {
namespace {

// Removed whole, with everything below them, besides kTestArea.
const std::array<const char*, 3> kProgramKeys = {
    "Software\\Tessamont",
    "SYSTEM\\CurrentControlSet\\Services\\Class\\NetTrans\\0000",
    "SYSTEM\\CurrentControlSet\\Services\\VxD",
};

// The task-offload flag lives in a key that Windows itself owns: only the
// value goes, the key stays.
constexpr const char* kTcpipKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr const char* kTaskOffload = "DisableTaskOffload";

void ClearKey(const char* path) {
  const LONG status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, path);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    ADD_FAILURE() << "cannot remove HKLM\\" << path << ": status " << status;
  }
}

void ClearValue(const char* path, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  const LONG status = RegDeleteValueA(key, name);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    ADD_FAILURE() << "cannot remove HKLM\\" << path << "\\" << name << ": status " << status;
  }
}

void ClearAll() {
  ClearKey(kTestArea.c_str());
  for (const char* path : kProgramKeys) ClearKey(path);
  ClearValue(kTcpipKey, kTaskOffload);
}

}  // namespace

struct TestRegistry::Place {
  Place() { ClearAll(); }
  ~Place() { ClearAll(); }
};

TestRegistry::TestRegistry()
    : place_(std::make_unique<Place>()),
      backend_(std::make_unique<store::WinRegistry>()),
      registry_(*backend_) {}

TestRegistry::~TestRegistry() = default;

}  // namespace quorvane::testing
