// Runs Optimise for one connection type on the registry of the computer it
// runs on (Wine's, in the tests), with no window shown, so that a test can
// set what it writes beside a preset file that reg.exe imported.
// Usage: optimise_preset CONNECTION_TYPE
#include <cstdio>

#include "engine/quick_optimise.h"
#include "store/platform_registry.h"

namespace {

// The optimise asks nothing.
class NoQuestions final : public quorvane::engine::Questions {
 public:
  quorvane::engine::Answer Ask(quorvane::engine::Question) override {
    return quorvane::engine::Answer::No;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: optimise_preset CONNECTION_TYPE\n", stderr);
    return 2;
  }
  auto backend = quorvane::store::OpenPlatformRegistry();
  const quorvane::store::Registry registry(*backend);
  NoQuestions questions;
  return quorvane::engine::QuickOptimise(registry, questions, argv[1]).Optimised() ? 0 : 1;
}
