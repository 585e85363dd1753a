// What every engine test stands on: a fresh registry, a recorder in front of
// it that the engine's calls pass through, and scripted dialogs. The helpers
// reach the registry past the recorder, so that the recorder holds the
// engine's calls alone.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/messages.h"
#include "engine/setting_apply.h"
#include "store/catalogue.h"
#include "store/registry.h"
#include "tests/engine/scripted_dialogs.h"
#include "tests/support/recording_backend.h"
#include "tests/support/test_registry.h"

namespace quorvane::testing {

// A message box as the user sees it: its words, its title bar, its buttons
// and its icon.
inline void ExpectBox(const ScriptedDialogs::Shown& box, const std::string& text,
                      const std::string& title, engine::Buttons buttons, engine::Icon icon) {
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.title, title);
  EXPECT_EQ(box.buttons, buttons);
  EXPECT_EQ(box.icon, icon);
}

// Tells an operation's outcome into the scripted dialogs as the windows
// tell it, and hands it on.
template <typename Outcome>
Outcome Told(ScriptedDialogs& dialogs, Outcome outcome) {
  engine::Tell(dialogs, engine::TellInWindow(outcome));
  return outcome;
}

// The three check boxes as {Auto Discovery, Black Hole Detect, Selective Acks}.
inline std::vector<int> Boxes(const engine::PathMtuFlags& flags) {
  using enum store::SettingId;
  return {flags.at(PmtuDiscovery), flags.at(PmtuBlackHoleDetect), flags.at(SackOpts)};
}
// The boxes the other way round: Flags(autoDiscovery, blackHoleDetect, selectiveAcks).
inline engine::PathMtuFlags Flags(int autoDiscovery, int blackHoleDetect, int selectiveAcks) {
  using enum store::SettingId;
  return {{PmtuDiscovery, autoDiscovery},
          {PmtuBlackHoleDetect, blackHoleDetect},
          {SackOpts, selectiveAcks}};
}

class EngineTest : public ::testing::Test {
 protected:
  using Id = store::SettingId;

  // The live value of a setting.
  void SetLive(Id id, const std::string& text) {
    const store::Setting& s = store::SettingOf(id);
    ASSERT_TRUE(direct().WriteText(store::kRoot, s.key, s.valueName, text));
  }
  void SetLiveNumber(Id id, std::int32_t number) {
    const store::Setting& s = store::SettingOf(id);
    ASSERT_TRUE(direct().WriteNumber(store::kRoot, s.key, s.valueName, number));
  }
  std::optional<std::string> LiveText(Id id) const {
    const store::Setting& s = store::SettingOf(id);
    return direct().QueryText(store::kRoot, s.key, s.valueName);
  }
  std::optional<std::int32_t> LiveNumber(Id id) const {
    const store::Setting& s = store::SettingOf(id);
    return direct().QueryNumber(store::kRoot, s.key, s.valueName);
  }

  // A value in the backup key, by its backup name.
  void SetBackup(const std::string& name, const std::string& text) {
    ASSERT_TRUE(direct().WriteText(store::kRoot, store::key::kBackup, name, text));
  }
  void SetBackupNumber(const std::string& name, std::int32_t number) {
    ASSERT_TRUE(direct().WriteNumber(store::kRoot, store::key::kBackup, name, number));
  }
  std::optional<std::string> BackupText(const std::string& name) const {
    return direct().QueryText(store::kRoot, store::key::kBackup, name);
  }
  std::optional<std::int32_t> BackupNumber(const std::string& name) const {
    return direct().QueryNumber(store::kRoot, store::key::kBackup, name);
  }

  // The engine's recorded calls of the given kinds ("open", "set", ...), in
  // order, each as the recorder wrote it.
  std::vector<std::string> Calls(std::initializer_list<const char*> kinds) const {
    std::vector<std::string> picked;
    for (const std::string& call : recorder_.calls) {
      for (const char* kind : kinds) {
        if (call.rfind(std::string(kind) + " ", 0) == 0) picked.push_back(call);
      }
    }
    return picked;
  }

  // As Calls, with each run of the same line written once: a text that is
  // there is asked for its size and then read, which is one read here.
  std::vector<std::string> Steps(std::initializer_list<const char*> kinds) const {
    std::vector<std::string> steps;
    for (std::string& call : Calls(kinds)) {
      if (steps.empty() || steps.back() != call) steps.push_back(std::move(call));
    }
    return steps;
  }

  // Makes every engine call whose line is one of these fail with status,
  // besides those refused before.
  void Refuse(const std::vector<std::string>& lines, store::Status status = store::kAccessDenied) {
    for (const std::string& line : lines) refused_[line] = status;
    recorder_.fail = [this](const std::string& call) { return refused_.count(call) > 0; };
    recorder_.refusal = [this](const std::string& call) { return refused_.at(call); };
  }
  // Lets every call through again.
  void Allow() { refused_.clear(); }

  const store::Registry& direct() const { return store_.registry(); }

  TestRegistry store_;
  RecordingBackend recorder_{store_.backend()};
  store::Registry registry_{recorder_};  // the registry the engine is given
  ScriptedDialogs dialogs_;

 private:
  std::map<std::string, store::Status> refused_;
};

}  // namespace quorvane::testing
