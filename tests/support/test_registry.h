// A registry for one test, holding none of the program's keys and nothing
// below kTestArea. Natively it is a new portable registry in a temporary
// folder; on Windows (under Wine) it is the real registry, with those keys
// removed before and after the test.
#pragma once

#include <memory>
#include <string>

#include "store/registry.h"
#include "store/registry_backend.h"

namespace quorvane::testing {

// A key that belongs to the tests alone.
inline const std::string kTestArea = "Software\\QuorvaneTest";

class TestRegistry {
 public:
  TestRegistry();
  ~TestRegistry();
  TestRegistry(const TestRegistry&) = delete;
  TestRegistry& operator=(const TestRegistry&) = delete;

  store::RegistryBackend& backend() { return *backend_; }
  const store::Registry& registry() const { return registry_; }

 private:
  struct Place;  // where the registry lives, per platform
  std::unique_ptr<Place> place_;
  std::unique_ptr<store::RegistryBackend> backend_;
  store::Registry registry_;
};

}  // namespace quorvane::testing
