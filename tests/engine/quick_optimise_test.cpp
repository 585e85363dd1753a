#include "engine/quick_optimise.h"

#include <chrono>

#include "tests/engine/engine_test.h"
#include "tests/engine/read_only_store.h"

namespace quorvane::testing {
namespace {

class QuickOptimiseTest : public EngineTest {
 protected:
  engine::OptimiseOutcome Optimise(const std::string& selected) {
    return Told(dialogs_, engine::QuickOptimise(registry_, dialogs_, selected));
  }
};

struct Preset {
  const char* type;
  const char* mtu;
  const char* receiveWindow;
  const char* ttl;
  const char* keepAlive;
  const char* ndiCache;
};

TEST_F(QuickOptimiseTest, EachTypeWritesItsSixValuesInOrderAndShowsFinished) {
  const Preset presets[] = {
      {"Modem", "576", "3216", "64", "600000", "16"},
      {"ADSL Modem", "1492", "64240", "128", "300000", "64"},
      {"Cable Modem", "1500", "64240", "128", "300000", "64"},
      {"LAN Connection", "1500", "8192", "128", "300000", "32"},
  };
  SetLive(Id::PmtuDiscovery, "0");
  SetLive(Id::PmtuBlackHoleDetect, "1");
  SetLiveNumber(Id::DisableTaskOffload, 1);

  int finished = 0;
  const char* mtuBefore = nullptr;
  for (const Preset& preset : presets) {
    recorder_.calls.clear();
    const engine::OptimiseOutcome outcome = Optimise(preset.type);
    EXPECT_TRUE(outcome.Optimised());
    // Each write tells the value it replaced, read just before it.
    ASSERT_EQ(outcome.steps.size(), 6u);
    EXPECT_EQ(outcome.steps[0].setting, Id::MaxMtu);
    EXPECT_EQ(outcome.steps[0].written, engine::TextValue(preset.mtu));
    EXPECT_EQ(outcome.steps[5].setting, Id::SackOpts);
    if (!mtuBefore) {
      EXPECT_EQ(outcome.steps[0].found, engine::Found::Absent);
    } else {
      EXPECT_EQ(engine::TextOf(outcome.steps[0].before), mtuBefore);
      EXPECT_EQ(Steps({"query", "set"}),
                (std::vector<std::string>{"query MaxMTU", "set MaxMTU", "query DefaultRcvWindow",
                                          "set DefaultRcvWindow", "query DefaultTTL",
                                          "set DefaultTTL", "query SessionKeepAlive",
                                          "set SessionKeepAlive", "query ", "set ",
                                          "query SackOpts", "set SackOpts"}));
    }
    mtuBefore = preset.mtu;
    EXPECT_EQ(LiveText(Id::MaxMtu), preset.mtu) << preset.type;
    EXPECT_EQ(LiveText(Id::DefaultRcvWindow), preset.receiveWindow) << preset.type;
    EXPECT_EQ(LiveText(Id::DefaultTtl), preset.ttl) << preset.type;
    EXPECT_EQ(LiveText(Id::SessionKeepAlive), preset.keepAlive) << preset.type;
    EXPECT_EQ(LiveText(Id::NdiCache), preset.ndiCache) << preset.type;
    EXPECT_EQ(LiveText(Id::SackOpts), "1") << preset.type;
    EXPECT_EQ(Calls({"create", "set"}),
              (std::vector<std::string>{
                  "create " + store::key::kNetTrans, "set MaxMTU",
                  "create " + store::key::kMstcp, "set DefaultRcvWindow",
                  "create " + store::key::kMstcp, "set DefaultTTL",
                  "create " + store::key::kMstcp, "set SessionKeepAlive",
                  "create " + store::key::kNdiCache, "set ",  // the key's default value
                  "create " + store::key::kMstcp, "set SackOpts"}));
    EXPECT_EQ(dialogs_.finishedCount, ++finished);
  }
  EXPECT_TRUE(dialogs_.shown.empty());
  EXPECT_EQ(LiveText(Id::PmtuDiscovery), "0");
  EXPECT_EQ(LiveText(Id::PmtuBlackHoleDetect), "1");
  EXPECT_EQ(LiveNumber(Id::DisableTaskOffload), 1);
  EXPECT_EQ(direct().QueryText(store::kRoot, store::key::kNdiCache, "cachesize"), std::nullopt);
}

TEST_F(QuickOptimiseTest, NothingSelectedOnlyAsks) {
  EXPECT_EQ(Optimise("").choice, engine::TypeChoice::NothingSelected);
  EXPECT_TRUE(Calls({"create", "set"}).empty());
  EXPECT_EQ(dialogs_.finishedCount, 0);
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  ExpectBox(dialogs_.shown[0], "Please select your Connection Type from the list opposite.",
            "Quorvane", engine::Buttons::Ok, engine::Icon::Information);
  EXPECT_EQ(dialogs_.shown[0].style, 64);
}

// A name that is none of the four, exactly, is refused: nothing is
// written, and nothing tells of an optimise. The window's list never
// offers one; the window would ask for a type from its list.
TEST_F(QuickOptimiseTest, NamesAreComparedExactlyAndAnyOtherIsRefused) {
  for (const char* near : {"modem", " Modem", "Modem ", "Cable modem", "LAN"}) {
    const engine::OptimiseOutcome outcome = Optimise(near);
    EXPECT_EQ(outcome.choice, engine::TypeChoice::NoPreset) << near;
    EXPECT_FALSE(outcome.Optimised()) << near;
    EXPECT_TRUE(outcome.steps.empty()) << near;
  }
  EXPECT_TRUE(Calls({"set"}).empty());
  EXPECT_EQ(LiveText(Id::MaxMtu), std::nullopt);
  EXPECT_EQ(dialogs_.finishedCount, 0);
  ASSERT_EQ(dialogs_.shown.size(), 5u);
  EXPECT_EQ(dialogs_.shown[4].text, "Please select your Connection Type from the list opposite.");
}

// The box names what could not be written, then why: the reason given, or,
// when none is given, whatever the store reported.
void ExpectFailureNamed(const ScriptedDialogs& dialogs, const std::string& names,
                        const std::string& reason = "") {
  EXPECT_EQ(dialogs.finishedCount, 0);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  const std::string text = "Quorvane could not change these settings: " + names +
                           ". Your settings are not fully optimised. " + reason;
  const ScriptedDialogs::Shown& box = dialogs.shown[0];
  EXPECT_EQ(reason.empty() ? box.text.substr(0, text.size()) : box.text, text);
  EXPECT_EQ(box.title, "Quorvane");
  EXPECT_EQ(box.style, 16);  // OK and the stop icon
}

TEST_F(QuickOptimiseTest, FailedWritesAreNamedAfterAllSixAreTried) {
  Refuse({"set DefaultTTL", "set "}, store::kWriteProtected);
  const engine::OptimiseOutcome outcome = Optimise("ADSL Modem");
  EXPECT_FALSE(outcome.Optimised());
  EXPECT_EQ(outcome.steps[2].status, store::kWriteProtected);
  EXPECT_EQ(outcome.steps[3].status, store::kSuccess);
  EXPECT_EQ(Calls({"set"}).size(), 6u);
  EXPECT_EQ(LiveText(Id::MaxMtu), "1492");
  EXPECT_EQ(LiveText(Id::SackOpts), "1");
  ExpectFailureNamed(dialogs_, "Time To Live, NDI Cache", "The registry file can only be read.");
}

// A store that another program holds is waited for once: after the first
// write has failed, the other five fail at once, and the box names all six.
TEST_F(QuickOptimiseTest, AStoreInUseIsWaitedForOnce) {
  Refuse({"set MaxMTU", "set DefaultRcvWindow", "set DefaultTTL", "set SessionKeepAlive", "set ",
          "set SackOpts"},
         store::kInUse);
  Optimise("Modem");
  EXPECT_EQ(Calls({"set"}), (std::vector<std::string>{"set MaxMTU"}));
  ExpectFailureNamed(dialogs_,
                     "Max Transmission Unit, Recieve Window, Time To Live, Session Keep Alive, "
                     "NDI Cache, Selective Acknowledgements",
                     "Another program is using the registry.");
  EXPECT_EQ(dialogs_.busyCount, 1);
}

#ifndef _WIN32
// A store that another program holds: one wait, not six, and the box names
// all six.
TEST(QuickOptimiseLocked, LockedStoreIsWaitedForOnce) {
  LockedStore locked;
  ScriptedDialogs dialogs;
  const auto start = std::chrono::steady_clock::now();
  Told(dialogs, engine::QuickOptimise(locked.registry(), dialogs, "Cable Modem"));
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_LT(waited, std::chrono::seconds(30));  // one write's wait is 10 s
  ExpectFailureNamed(dialogs,
                     "Max Transmission Unit, Recieve Window, Time To Live, Session Keep Alive, "
                     "NDI Cache, Selective Acknowledgements",
                     "Another program is using the registry.");
  EXPECT_EQ(dialogs.busyCount, 1);
}

TEST(QuickOptimiseReadOnly, ReadOnlyStoreNamesAllSix) {
  ReadOnlyStore readOnly;
  ScriptedDialogs dialogs;
  Told(dialogs, engine::QuickOptimise(readOnly.registry(), dialogs, "Modem"));
  ExpectFailureNamed(dialogs,
                     "Max Transmission Unit, Recieve Window, Time To Live, Session Keep Alive, "
                     "NDI Cache, Selective Acknowledgements");
}
#endif

}  // namespace
}  // namespace quorvane::testing
