#include "engine/setting_apply.h"

#include "tests/engine/engine_test.h"
#include "tests/engine/read_only_store.h"

namespace quorvane::testing {
namespace {

using engine::PathMtuFlags;

const std::string kPrefix = "You Currently Have This Set To: ";

struct PaneCase {
  store::SettingId setting;
  const char* fallback;  // what the read-back shows for an absent value
};

const PaneCase kPanes[] = {
    {store::SettingId::MaxMtu,
     "The Default Value (576 for a Modem or 1500 for an Ethernet Connection)"},
    {store::SettingId::DefaultRcvWindow,
     "The Default Value (3216 for a Modem, 64240 for Cable and 8192 for an Ethernet Connection)"},
    {store::SettingId::DefaultTtl,
     "The Default Value (64 for a Modem or 128 for an Ethernet/Cable Connection)"},
    {store::SettingId::SessionKeepAlive,
     "The Default Value (600000ms for a Modem or 300000ms for Ethernet/Cable Connection)"},
    {store::SettingId::NdiCache,
     "The Default Value (16 for a Modem, 64 for Cable and 32 for an Ethernet Connection)"},
};

class SettingApplyTest : public EngineTest {
 protected:
  // Each Apply as its pane's handler runs it, its outcome told as the window
  // tells it; each answers what the pane shows afterwards.
  std::string ApplyText(Id setting, const std::string& typed) {
    return Told(dialogs_, engine::ApplyTextPane(registry_, dialogs_, setting, typed)).shown;
  }
  PathMtuFlags ApplyFlags(const PathMtuFlags& boxes) {
    return Told(dialogs_, engine::ApplyPathMtu(registry_, dialogs_, boxes)).shown;
  }
  bool ApplyNumber(bool enabledSelected) {
    return Told(dialogs_, engine::ApplyNumberPane(registry_, dialogs_, Id::DisableTaskOffload,
                                                  enabledSelected))
        .shown;
  }
};

TEST_F(SettingApplyTest, TextIsStoredAndShownExactlyAsTyped) {
  for (const PaneCase& pane : kPanes) {
    for (const std::string typed : {"1500 ", "abc", ""}) {
      EXPECT_EQ(ApplyText(pane.setting, typed), kPrefix + typed);
      EXPECT_EQ(LiveText(pane.setting), typed);
    }
  }
  // The NDI cache is the key's default value, never a value named cachesize.
  EXPECT_EQ(direct().QueryText(store::kRoot, store::key::kNdiCache, "cachesize"), std::nullopt);
}

TEST_F(SettingApplyTest, ApplyingOnePaneLeavesTheOthers) {
  for (const PaneCase& pane : kPanes) SetLive(pane.setting, "before");
  EXPECT_EQ(ApplyText(Id::DefaultTtl, "128"),
            kPrefix + "128");
  for (const PaneCase& pane : kPanes) {
    if (pane.setting == store::SettingId::DefaultTtl) continue;
    EXPECT_EQ(LiveText(pane.setting), "before");
  }
}

// The read-back shows what the registry holds, and a box tells which
// setting was not changed and why, in the optimise's words.
TEST_F(SettingApplyTest, FailedWriteShowsWhatTheRegistryHoldsAndSaysWhy) {
  Refuse({"set MaxMTU", "set DefaultRcvWindow", "set DefaultTTL", "set SessionKeepAlive", "set "});
  SetLive(store::SettingId::DefaultTtl, "64");
  for (const PaneCase& pane : kPanes) {
    const std::string shown = ApplyText(pane.setting, "999");
    if (pane.setting == store::SettingId::DefaultTtl) {
      EXPECT_EQ(shown, kPrefix + "64");
    } else {
      EXPECT_EQ(shown, kPrefix + pane.fallback);
    }
  }
  ASSERT_EQ(dialogs_.shown.size(), 5u);
  ExpectBox(dialogs_.shown[2],
            "Quorvane could not change these settings: Time To Live. Quorvane may need to be run "
            "with administrator rights.",
            "Quorvane", engine::Buttons::Ok, engine::Icon::Error);
  EXPECT_EQ(dialogs_.shown[4].text.rfind("Quorvane could not change these settings: NDI Cache.", 0),
            0u);
}

// A store in use is waited for once per Apply: the other flags fail at once.
TEST_F(SettingApplyTest, PathMtuNamesEveryFlagNotChangedAndWaitsOnce) {
  Refuse({"set PMTUDiscovery", "set PMTUBlackHoleDetect", "set SackOpts"}, store::kInUse);
  const auto applied = Told(dialogs_, engine::ApplyPathMtu(registry_, dialogs_, Flags(1, 1, 1)));
  ASSERT_EQ(applied.steps.size(), 3u);  // in the order written, each with what and why
  EXPECT_EQ(applied.steps[1].setting, Id::PmtuDiscovery);
  EXPECT_EQ(applied.steps[1].written, engine::TextValue("1"));
  EXPECT_EQ(applied.steps[2].status, store::kInUse);
  EXPECT_EQ(Calls({"set"}), (std::vector<std::string>{"set PMTUBlackHoleDetect"}));
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].text,
            "Quorvane could not change these settings: Black Hole Detect, Auto Discovery, "
            "Selective Acknowledgements. Another program is using the registry.");
  EXPECT_EQ(dialogs_.busyCount, 1);
  EXPECT_FALSE(dialogs_.busy);
  Allow();
  ApplyFlags(Flags(1, 1, 1));  // the next Apply tries again
  EXPECT_EQ(LiveText(store::SettingId::SackOpts), "1");
  EXPECT_EQ(dialogs_.shown.size(), 1u);
}

TEST_F(SettingApplyTest, PathMtuWritesThenReadsBackInItsOwnOrders) {
  // Auto Discovery greyed, Black Hole Detect cleared, Selective Acks ticked.
  const PathMtuFlags shown = ApplyFlags(Flags(2, 0, 1));
  EXPECT_EQ(LiveText(store::SettingId::PmtuDiscovery), "1");
  EXPECT_EQ(LiveText(store::SettingId::PmtuBlackHoleDetect), "0");
  EXPECT_EQ(LiveText(store::SettingId::SackOpts), "1");
  EXPECT_EQ(Boxes(shown), (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(Steps({"set", "query"}),
            (std::vector<std::string>{"set PMTUBlackHoleDetect", "set PMTUDiscovery",
                                      "set SackOpts", "query PMTUBlackHoleDetect", "query SackOpts",
                                      "query PMTUDiscovery"}));
}

TEST_F(SettingApplyTest, PathMtuFailedWritesShowTheFallbacks) {
  Refuse({"set PMTUDiscovery", "set PMTUBlackHoleDetect", "set SackOpts"});
  EXPECT_EQ(Boxes(ApplyFlags(Flags(0, 1, 1))),
            (std::vector<int>{1, 0, 0}));
}

TEST_F(SettingApplyTest, TaskOffloadIsZeroOnlyForEnabledAndShowsWhatIsStored) {
  EXPECT_FALSE(ApplyNumber(false));
  EXPECT_EQ(LiveNumber(store::SettingId::DisableTaskOffload), 1);
  EXPECT_TRUE(ApplyNumber(true));
  EXPECT_EQ(LiveNumber(store::SettingId::DisableTaskOffload), 0);
  // A refused write shows the stored choice, not the one clicked.
  SetLiveNumber(store::SettingId::DisableTaskOffload, 1);
  Refuse({"set DisableTaskOffload"}, store::kDiskFull);
  EXPECT_FALSE(ApplyNumber(true));
  ASSERT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(dialogs_.shown[0].text,
            "Quorvane could not change these settings: Network Card CPU. The disk is full.");
}

#ifndef _WIN32
TEST(SettingApplyReadOnly, ReadOnlyStoreShowsTheStoredValue) {
  const ReadOnlyStore readOnly([](const store::Registry& registry) {
    EXPECT_TRUE(registry.WriteText(store::kRoot, store::key::kMstcp, "SessionKeepAlive", "300000"));
  });
  ScriptedDialogs dialogs;
  EXPECT_EQ(
      Told(dialogs, engine::ApplyTextPane(readOnly.registry(), dialogs,
                                          store::SettingId::SessionKeepAlive, "1"))
          .shown,
      kPrefix + "300000");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "Quorvane could not change these settings: Session Keep Alive. The registry file can "
            "only be read.");
}
#endif

}  // namespace
}  // namespace quorvane::testing
