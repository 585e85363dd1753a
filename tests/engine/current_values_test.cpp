#include "engine/current_values.h"

#include "tests/engine/engine_test.h"

namespace quorvane::testing {
namespace {

const std::string kPrefix = "You Currently Have This Set To: ";

class CurrentValuesTest : public EngineTest {};

TEST_F(CurrentValuesTest, EmptySystemShowsHelpTextsAndDefaultFlags) {
  const engine::CurrentValues values = engine::ReadCurrentValues(registry_);
  EXPECT_EQ(
      values.captions.at(Id::MaxMtu),
      kPrefix + "The Default Value (576 for a Modem or 1500 for an Ethernet/Cable Connection)");
  EXPECT_EQ(values.captions.at(Id::DefaultRcvWindow),
            kPrefix +
                "The Default Value (3216 for a Modem, 64240 for Cable and 8192 for an "
                "Ethernet Connection)");
  EXPECT_EQ(values.captions.at(Id::DefaultTtl),
            kPrefix + "The Default Value (64 for a Modem or 128 for an Ethernet/Cable Connection)");
  EXPECT_EQ(values.captions.at(Id::SessionKeepAlive),
            kPrefix +
                "The Default Value (600000ms for a Modem or 300000ms for Ethernet/Cable "
                "Connection)");
  EXPECT_EQ(values.captions.at(Id::NdiCache),
            kPrefix +
                "The Default Value (16 for a Modem, 64 for Cable and 32 for an Ethernet "
                "Connection)");
  EXPECT_EQ(Boxes(values.flags), (std::vector<int>{1, 0, 0}));
  EXPECT_TRUE(values.enabled.at(Id::DisableTaskOffload));

  EXPECT_EQ(engine::ReadMtuCaptionForList(registry_),
            kPrefix + "The Default Value (576 for a Modem or 1500 for an Ethernet Connection)");
}

TEST_F(CurrentValuesTest, NineReadsInTheDisplayOrder) {
  SetLive(Id::MaxMtu, "1500");
  engine::ReadCurrentValues(registry_);
  EXPECT_EQ(Steps({"query"}),
            (std::vector<std::string>{"query MaxMTU", "query DefaultRcvWindow", "query DefaultTTL",
                                      "query SessionKeepAlive", "query ",
                                      "query PMTUBlackHoleDetect", "query PMTUDiscovery",
                                      "query DisableTaskOffload", "query SackOpts"}));
  EXPECT_TRUE(Calls({"create", "set", "delete"}).empty());
}

TEST_F(CurrentValuesTest, StoredTextsAreShownUnchanged) {
  SetLive(Id::MaxMtu, "1492");
  SetLive(Id::SessionKeepAlive, " 300000 ");
  SetLive(Id::NdiCache, "32");
  ASSERT_TRUE(direct().WriteText(store::kRoot, store::key::kNdiCache, "cachesize", "99"));
  const engine::CurrentValues values = engine::ReadCurrentValues(registry_);
  EXPECT_EQ(values.captions.at(Id::MaxMtu), kPrefix + "1492");
  EXPECT_EQ(values.captions.at(Id::SessionKeepAlive), kPrefix + " 300000 ");
  EXPECT_EQ(values.captions.at(Id::NdiCache), kPrefix + "32");
  EXPECT_EQ(engine::ReadMtuCaptionForList(registry_), kPrefix + "1492");
}

TEST_F(CurrentValuesTest, OnlyTheTextZeroClearsAFlag) {
  struct Case {
    const char* text;
    int box;
  };
  for (const Case& c : {Case{"0", 0}, Case{"00", 1}, Case{" 0", 1}, Case{"", 1}, Case{"1", 1}}) {
    SetLive(Id::PmtuDiscovery, c.text);
    SetLive(Id::PmtuBlackHoleDetect, c.text);
    SetLive(Id::SackOpts, c.text);
    EXPECT_EQ(Boxes(engine::ReadCurrentValues(registry_).flags),
              (std::vector<int>{c.box, c.box, c.box}))
        << '"' << c.text << '"';
  }
  // A flag stored as a number is absent to the display: its fallback shows.
  SetLiveNumber(Id::PmtuDiscovery, 0);
  SetLiveNumber(Id::PmtuBlackHoleDetect, 1);
  EXPECT_EQ(Boxes(engine::ReadCurrentValues(registry_).flags), (std::vector<int>{1, 0, 1}));
}

TEST_F(CurrentValuesTest, TaskOffloadIsEnabledOnlyForZero) {
  for (const std::int32_t number : {1, -1, 0}) {
    SetLiveNumber(Id::DisableTaskOffload, number);
    EXPECT_EQ(engine::ReadCurrentValues(registry_).enabled.at(Id::DisableTaskOffload), number == 0)
        << number;
  }
  SetLive(Id::DisableTaskOffload, "1");  // a text is not a number: the default 0
  EXPECT_TRUE(engine::ReadCurrentValues(registry_).enabled.at(Id::DisableTaskOffload));
}

}  // namespace
}  // namespace quorvane::testing
