#include "engine/restore.h"

#include "engine/first_run.h"
#include "engine/quick_optimise.h"
#include "engine/show_settings.h"
#include "engine/verify_preset.h"
#include "tests/engine/engine_test.h"
#include "tests/engine/read_only_store.h"

namespace quorvane::testing {
namespace {

using engine::Answer;
namespace key = store::key;

const std::string kDone = "Restore Complete. Please Reboot your Computer.";

class RestoreTest : public EngineTest {
 protected:
  // A backup as the first run leaves it on a machine where some settings
  // were absent.
  void SetMixedBackup() {
    SetBackup("MaxMTU", "576");
    SetBackup("DefaultRcvWindow", "Not Set");
    SetBackup("DefaultTTL", "64");
    SetBackup("SessionKeepAlive", "Not Set");
    SetBackup("cachesize", "16");
    SetBackup("PMTUBlackHoleDetect", "Not Set");
    SetBackupNumber("DisableTaskOffload", 1);
    SetBackup("PMTUDiscovery", "0");
    SetBackup("SackOpts", "0");
  }
  // Live values that differ from every backed-up one.
  void SetLiveValues() {
    for (Id id : {Id::MaxMtu, Id::DefaultRcvWindow, Id::DefaultTtl, Id::SessionKeepAlive,
                  Id::NdiCache, Id::PmtuBlackHoleDetect, Id::PmtuDiscovery, Id::SackOpts}) {
      SetLive(id, "live");
    }
    SetLiveNumber(Id::DisableTaskOffload, 7);
  }
  engine::RestoreOutcome Restore(Answer answer = Answer::Yes) {
    dialogs_.answers = {answer};
    return Told(dialogs_, engine::RestoreFromBackup(registry_, dialogs_));
  }
  const ScriptedDialogs::Shown& ClosingBox() const { return dialogs_.shown.at(1); }
};

TEST_F(RestoreTest, AskingFirstAndNoChangesNothing) {
  SetMixedBackup();
  const engine::RestoreOutcome declined = Restore(Answer::No);
  EXPECT_EQ(declined.confirmation, Answer::No);
  EXPECT_TRUE(declined.steps.empty());
  EXPECT_FALSE(declined.NoBackup());
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  ExpectBox(dialogs_.shown[0],
            "When you first ran this program, we stored your old settings as they were in the "
            "registry. These have not been modified since. If you would like to revert to how "
            "your machine was before, click Yes. If not Click No. Anything not working right "
            "after this is entirely your own doing!",
            "Quorvane Settings Restore", engine::Buttons::YesNo, engine::Icon::Information);
  EXPECT_EQ(dialogs_.shown[0].style, 68);
  EXPECT_TRUE(recorder_.calls.empty());
}

TEST_F(RestoreTest, BackedUpValuesReturnAndAbsentOnesAreRemoved) {
  SetMixedBackup();
  SetLiveValues();
  const engine::RestoreOutcome outcome = Restore();

  // Each step tells the copy it read and what it did with it.
  ASSERT_EQ(outcome.steps.size(), 9u);
  EXPECT_EQ(outcome.steps[0].action, engine::Action::Write);
  EXPECT_EQ(outcome.steps[0].written, engine::TextValue("576"));
  EXPECT_EQ(outcome.steps[1].setting, Id::DefaultRcvWindow);
  EXPECT_EQ(outcome.steps[1].action, engine::Action::Remove);
  EXPECT_EQ(engine::TextOf(outcome.steps[1].before), "Not Set");
  EXPECT_EQ(outcome.steps[6].written, engine::NumberValue(1));
  EXPECT_FALSE(outcome.NoBackup());

  EXPECT_EQ(LiveText(Id::MaxMtu), "576");
  EXPECT_EQ(LiveText(Id::DefaultRcvWindow), std::nullopt);
  EXPECT_EQ(LiveText(Id::DefaultTtl), "64");
  EXPECT_EQ(LiveText(Id::SessionKeepAlive), std::nullopt);
  EXPECT_EQ(LiveText(Id::NdiCache), "16");
  EXPECT_EQ(LiveText(Id::PmtuBlackHoleDetect), std::nullopt);
  EXPECT_EQ(LiveNumber(Id::DisableTaskOffload), 1);
  EXPECT_EQ(LiveText(Id::PmtuDiscovery), "0");
  EXPECT_EQ(LiveText(Id::SackOpts), "0");
  EXPECT_EQ(direct().QueryText(store::kRoot, key::kNdiCache, "cachesize"), std::nullopt);
  EXPECT_EQ(BackupText("MaxMTU"), "576");  // the backup stays

  ASSERT_EQ(dialogs_.shown.size(), 2u);
  ExpectBox(ClosingBox(), kDone, "Quorvane", engine::Buttons::Ok, engine::Icon::None);
  EXPECT_EQ(ClosingBox().style, 0);
}

TEST_F(RestoreTest, EachStepReadsItsBackupThenActsInTheBackupOrder) {
  SetMixedBackup();
  Restore();
  EXPECT_EQ(Steps({"open", "create", "set", "delete"}),
            (std::vector<std::string>{
                "open " + key::kBackup, "create " + key::kNetTrans, "set MaxMTU",
                "open " + key::kBackup, "open " + key::kMstcp, "delete DefaultRcvWindow",
                "open " + key::kBackup, "create " + key::kMstcp, "set DefaultTTL",
                "open " + key::kBackup, "open " + key::kMstcp, "delete SessionKeepAlive",
                "open " + key::kBackup, "create " + key::kNdiCache, "set ",
                "open " + key::kBackup, "open " + key::kMstcp, "delete PMTUBlackHoleDetect",
                "open " + key::kBackup, "create " + key::kTcpip, "set DisableTaskOffload",
                "open " + key::kBackup, "create " + key::kMstcp, "set PMTUDiscovery",
                "open " + key::kBackup, "create " + key::kMstcp, "set SackOpts"}));
}

// A marker is the whole value: text after a NUL makes it a value of its
// own, written back; a NUL that ends the text is its terminator.
TEST_F(RestoreTest, OnlyTheWholeTextNotSetIsAMarker) {
  const std::string withTail("Not Set\0x\0", 10);
  SetBackup("MaxMTU", withTail);
  SetBackup("DefaultTTL", std::string("Not Set\0", 8));
  SetBackup("SessionKeepAlive", "Not Set ");
  SetLiveValues();
  Restore();
  EXPECT_EQ(LiveText(Id::MaxMtu), "Not Set");  // read up to its NUL; all of it is there
  store::TypedValue mtu;
  ASSERT_EQ(direct().QueryValue(store::kRoot, key::kNetTrans, "MaxMTU", &mtu), store::kSuccess);
  EXPECT_EQ(mtu.data, std::vector<std::uint8_t>(withTail.begin(), withTail.end()));
  EXPECT_EQ(LiveText(Id::DefaultTtl), std::nullopt);
  EXPECT_EQ(LiveText(Id::SessionKeepAlive), "Not Set ");
}

// Text beyond the ANSI code page comes back exactly, on Windows as well
// (ended by its NUL, as the registry holds a text).
TEST_F(RestoreTest, TextBeyondTheAnsiCodePageComesBackExactly) {
  const std::string text("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xC3\xBC\xE2\x82\xAC\xCE\xA9", 17);
  const store::TypedValue value{store::kTypeText, {text.begin(), text.end()}};
  ASSERT_TRUE(direct().WriteValue(store::kRoot, key::kMstcp, "DefaultTTL", value));
  dialogs_.answers = {Answer::Yes};
  ASSERT_EQ(engine::RunFirstRunBlock(registry_, dialogs_).start, engine::StartOutcome::Continue);
  SetLive(Id::DefaultTtl, "128");
  Restore();
  store::TypedValue back;
  ASSERT_EQ(direct().QueryValue(store::kRoot, key::kMstcp, "DefaultTTL", &back), store::kSuccess);
  EXPECT_EQ(back, value);
  EXPECT_EQ(dialogs_.shown.back().text, kDone);
}

// A store in use is waited for once: every later step fails at once.
TEST_F(RestoreTest, AStoreInUseIsWaitedForOnceAndEveryStepNamed) {
  SetMixedBackup();
  Refuse({"create " + key::kNetTrans}, store::kInUse);
  const engine::RestoreOutcome outcome = Restore();
  EXPECT_EQ(outcome.steps[0].status, store::kInUse);
  EXPECT_EQ(outcome.steps[8].status, store::kInUse);
  EXPECT_EQ(Steps({"open", "create", "query"}),
            (std::vector<std::string>{"open " + key::kBackup, "query MaxMTU",
                                      "create " + key::kNetTrans}));
  EXPECT_EQ(ClosingBox().text,
            "Quorvane could not restore these settings: Max Transmission Unit, Recieve Window, "
            "Time To Live, Session Keep Alive, NDI Cache, Black Hole Detect, Network Card CPU, "
            "Auto Discovery, Selective Acknowledgements. Another program is using the registry.");
  EXPECT_EQ(dialogs_.busyCount, 1);
}

TEST_F(RestoreTest, TaskOffloadBackedUpAsZeroIsRemovedNotWritten) {
  SetBackupNumber("DisableTaskOffload", 0);
  SetLiveNumber(Id::DisableTaskOffload, 1);
  Restore();
  EXPECT_EQ(LiveNumber(Id::DisableTaskOffload), std::nullopt);
  EXPECT_TRUE(Calls({"set"}).empty());
}

TEST_F(RestoreTest, RunningTwiceGivesTheSameState) {
  SetMixedBackup();
  SetLiveValues();
  Restore();
  Restore();
  EXPECT_EQ(LiveText(Id::MaxMtu), "576");
  EXPECT_EQ(LiveText(Id::DefaultRcvWindow), std::nullopt);
  EXPECT_EQ(LiveNumber(Id::DisableTaskOffload), 1);
  EXPECT_EQ(dialogs_.shown.back().text, kDone);
}

// A setting that has no copy in the backup key was never recorded: removing
// it would lose a value the user had. The closing box names it. Backups of
// earlier versions hold no SackOpts.
TEST_F(RestoreTest, SettingWithoutBackupValueIsLeftAsItIsAndNamed) {
  SetLiveValues();
  SetBackup("MaxMTU", "1500");
  const engine::RestoreOutcome outcome = Restore();
  EXPECT_FALSE(outcome.NoBackup());
  EXPECT_EQ(outcome.steps[1].found, engine::Found::Absent);
  EXPECT_EQ(outcome.steps[1].action, engine::Action::None);
  EXPECT_EQ(LiveText(Id::MaxMtu), "1500");
  EXPECT_EQ(LiveText(Id::DefaultTtl), "live");
  EXPECT_EQ(LiveText(Id::SackOpts), "live");
  EXPECT_EQ(LiveNumber(Id::DisableTaskOffload), 7);
  ExpectBox(ClosingBox(),
            "Quorvane restored your other settings. These settings had no backup and were left as "
            "they are: Recieve Window, Time To Live, Session Keep Alive, NDI Cache, Black Hole "
            "Detect, Network Card CPU, Auto Discovery, Selective Acknowledgements. Please Reboot "
            "your Computer.",
            "Quorvane", engine::Buttons::Ok, engine::Icon::Information);
}

// After the first run, an optimise and applies, all nine settings are back
// as they were, each with its own type and bytes.
TEST_F(RestoreTest, EverySettingComesBackExactlyAfterTheFirstRun) {
  SetLiveNumber(Id::MaxMtu, 1500);
  SetLive(Id::DisableTaskOffload, "1");
  ASSERT_TRUE(direct().WriteValue(store::kRoot, key::kMstcp, "DefaultTTL",
                                  {store::kTypeText, {'6', '4', '\0'}}));
  SetLive(Id::SackOpts, "0");
  const auto all = [this] {
    std::vector<std::optional<store::TypedValue>> values;
    for (const store::Setting& s : store::kSettings) {
      store::TypedValue v;
      const store::Status read = direct().QueryValue(store::kRoot, s.key, s.valueName, &v);
      values.push_back(read == store::kSuccess ? std::optional(v) : std::nullopt);
    }
    return values;
  };
  const auto before = all();

  dialogs_.answers = {Answer::Yes};
  ASSERT_EQ(engine::RunFirstRunBlock(registry_, dialogs_).start, engine::StartOutcome::Continue);
  EXPECT_TRUE(engine::QuickOptimise(registry_, dialogs_, "Modem").Optimised());
  EXPECT_FALSE(
      engine::ApplyNumberPane(registry_, dialogs_, Id::DisableTaskOffload, false).shown);
  Restore();
  EXPECT_EQ(all(), before);
  EXPECT_EQ(dialogs_.shown.back().text, kDone);
}

// An administrator's route: show and verify read only; the first run keeps
// the computer's own values; verify then finds the preset live, a second
// optimise finds each value already written, and restore gives every
// original back.
TEST_F(RestoreTest, AnAdministratorsRouteKeepsTheOriginals) {
  using State = engine::FirstRunMarker::State;
  SetLive(Id::MaxMtu, "576");
  SetLive(Id::DefaultTtl, "32");
  SetLive(Id::DefaultRcvWindow, "8760");
  engine::ShownSettings shown = engine::ShowSettings(registry_);
  EXPECT_EQ(shown.firstRun.state, State::Pending);
  EXPECT_FALSE(shown.AnyBackup());
  ASSERT_EQ(shown.settings.size(), 9u);
  EXPECT_EQ(engine::TextOf(shown.settings[0].live.value), "576");
  EXPECT_EQ(shown.settings[3].live.value, std::nullopt);
  EXPECT_STREQ(store::SettingOf(shown.settings[6].setting).pane, "Path MTU");

  EXPECT_EQ(engine::VerifyPreset(registry_, "Cable modem").choice, engine::TypeChoice::NoPreset);
  const engine::VerifyOutcome before = engine::VerifyPreset(registry_, "Cable Modem");
  EXPECT_FALSE(before.AllLive());
  ASSERT_EQ(before.notLive.size(), 6u);
  EXPECT_STREQ(before.notLive[0].preset, "1500");
  EXPECT_EQ(engine::TextOf(before.notLive[0].live.value), "576");
  EXPECT_TRUE(Calls({"create", "set", "delete"}).empty());

  dialogs_.answers = {Answer::Yes};
  ASSERT_EQ(engine::RunFirstRunBlock(registry_, dialogs_).start, engine::StartOutcome::Continue);
  EXPECT_TRUE(engine::QuickOptimise(registry_, dialogs_, "Cable Modem").Optimised());
  EXPECT_TRUE(engine::VerifyPreset(registry_, "Cable Modem").AllLive());
  shown = engine::ShowSettings(registry_);
  EXPECT_EQ(shown.firstRun.state, State::Done);
  EXPECT_EQ(engine::TextOf(shown.settings[0].backup.value), "576");
  EXPECT_EQ(engine::TextOf(shown.settings[0].live.value), "1500");
  for (const engine::Step& step : engine::QuickOptimise(registry_, dialogs_, "Cable Modem").steps) {
    EXPECT_EQ(step.before, step.written);
  }

  Restore();
  EXPECT_EQ(LiveText(Id::MaxMtu), "576");
  EXPECT_EQ(LiveText(Id::DefaultTtl), "32");
  EXPECT_EQ(LiveText(Id::DefaultRcvWindow), "8760");
  EXPECT_EQ(LiveText(Id::SessionKeepAlive), std::nullopt);
  EXPECT_EQ(LiveText(Id::SackOpts), std::nullopt);
  EXPECT_EQ(engine::VerifyPreset(registry_, "Cable Modem").notLive.size(), 6u);
}

TEST_F(RestoreTest, NoBackupAtAllChangesNothingAndSaysSo) {
  SetLiveValues();
  EXPECT_TRUE(Restore().NoBackup());
  EXPECT_TRUE(Calls({"create", "set", "delete"}).empty());
  EXPECT_EQ(LiveText(Id::MaxMtu), "live");
  EXPECT_EQ(LiveNumber(Id::DisableTaskOffload), 7);
  ASSERT_EQ(dialogs_.shown.size(), 2u);
  ExpectBox(ClosingBox(),
            "No backup of your original settings was found, so nothing has been restored.",
            "Quorvane", engine::Buttons::Ok, engine::Icon::Information);
}

// The failure box names the failed steps with their reasons, each reason
// once, then the settings without a backup value, then, since others were
// restored, the reboot reminder.
TEST_F(RestoreTest, FailedStepsAreNamedWithWhyAndTheOthersStillRun) {
  SetMixedBackup();
  ASSERT_TRUE(direct().RemoveValue(store::kRoot, key::kBackup, "SackOpts"));
  SetLiveValues();
  Refuse({"set MaxMTU", "set DefaultTTL"}, store::kDiskFull);
  Refuse({"delete PMTUBlackHoleDetect"});
  Restore();
  EXPECT_EQ(LiveText(Id::PmtuDiscovery), "0");
  EXPECT_EQ(LiveText(Id::DefaultTtl), "live");
  ExpectBox(ClosingBox(),
            "Quorvane could not restore these settings: Max Transmission Unit, Time To Live, Black "
            "Hole Detect. The disk is full. Quorvane may need to be run with administrator rights. "
            "These settings had no backup and were left as they are: Selective Acknowledgements. "
            "Please Reboot your Computer.",
            "Quorvane", engine::Buttons::Ok, engine::Icon::Error);
}

#ifndef _WIN32
TEST(RestoreReadOnly, ReadOnlyStoreNamesEveryStep) {
  const ReadOnlyStore readOnly([](const store::Registry& registry) {
    for (const char* name : {"MaxMTU", "DefaultRcvWindow", "DefaultTTL", "SessionKeepAlive",
                             "cachesize", "PMTUBlackHoleDetect", "PMTUDiscovery"}) {
      EXPECT_TRUE(registry.WriteText(store::kRoot, key::kBackup, name, "1"));
    }
    EXPECT_TRUE(registry.WriteNumber(store::kRoot, key::kBackup, "DisableTaskOffload", 0));
    EXPECT_TRUE(registry.WriteNumber(store::kRoot, key::kTcpip, "DisableTaskOffload", 1));
  });
  ScriptedDialogs dialogs;
  dialogs.answers = {Answer::Yes};
  Told(dialogs, engine::RestoreFromBackup(readOnly.registry(), dialogs));
  // Then the store's reason; nothing was restored, so no reboot is asked for.
  const std::string& text = dialogs.shown.at(1).text;
  EXPECT_EQ(text.rfind("Quorvane could not restore these settings: Max Transmission Unit, Recieve "
                       "Window, Time To Live, Session Keep Alive, NDI Cache, Black Hole Detect, "
                       "Network Card CPU, Auto Discovery. ", 0),
            0u);
  EXPECT_EQ(text.find("Reboot"), std::string::npos);
}
#endif

}  // namespace
}  // namespace quorvane::testing
