// Runs Optimise for one connection type on the registry of the computer it
// runs on (Wine's, in the tests), with no window shown, so that a test can
// set what it writes beside a preset file that reg.exe imported.
// Usage: optimise_preset CONNECTION_TYPE
#include <cstdio>

#include "engine/quick_optimise.h"
#include "store/platform_registry.h"

namespace {

class NoDialogs final : public quorvane::engine::UserDialogs {
 public:
  quorvane::engine::Answer Show(const quorvane::engine::Message&) override {
    asked = true;
    return quorvane::engine::Answer::Ok;
  }
  void ShowFinished() override {}
  void ShowBusy(bool) override {}
  bool asked = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: optimise_preset CONNECTION_TYPE\n", stderr);
    return 2;
  }
  auto backend = quorvane::store::OpenPlatformRegistry();
  const quorvane::store::Registry registry(*backend);
  NoDialogs dialogs;
  quorvane::engine::QuickOptimise(registry, dialogs, argv[1]);
  return dialogs.asked ? 1 : 0;  // a message instead of the Finished window: no preset written
}
