// What the main window's tests share, whatever draws the window: a fresh
// registry whose calls are recorded, and message boxes answered by a script.
#pragma once

#include <string>

#include "store/catalogue.h"
#include "store/registry.h"
#include "tests/engine/scripted_dialogs.h"
#include "tests/support/recording_backend.h"
#include "tests/support/test_registry.h"

namespace quorvane::testing {

struct RegistryFixture {
  TestRegistry test;
  RecordingBackend recording{test.backend()};
  store::Registry registry{recording};
  ScriptedDialogs dialogs;

  // As at a later start: the first run done, nothing asked.
  void MarkFirstRunDone() {
    EXPECT_TRUE(registry.WriteText(store::kRoot, store::key::kProgram, "FirstRun", "No"));
  }

  std::string Text(const std::string& path, const std::string& name) const {
    return registry.QueryText(store::kRoot, path, name).value_or("<absent>");
  }
};

}  // namespace quorvane::testing
