// The five procedures against what only a scripted backend can do: a value
// that changes between the two queries of a read, and the exact sequence of
// registry calls that each procedure makes, failures included.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/registry.h"
#include "tests/support/recording_backend.h"
#include "tests/support/test_registry.h"

namespace quorvane::store {
namespace {

using testing::kTestArea;
using testing::RecordingBackend;
using testing::TestRegistry;

constexpr RootKey kRoot = RootKey::LocalMachine;

// One key holding one value whose content is scripted per query: the n-th
// query sees versions[n], the last version staying once reached. It counts
// the handles it gives out and takes back.
class ScriptedBackend : public RegistryBackend {
 public:
  struct Version {
    Status status = kSuccess;  // kNotFound: the value is gone at that moment
    ValueType type = kTypeText;
    std::string data;
    // What a size-only query reports, when it differs from the data's size
    // (Windows' A calls may report more than they then deliver).
    std::optional<std::uint32_t> reportedSize;
  };
  std::vector<Version> versions;
  int queries = 0;
  int open = 0;

  Status OpenKey(RootKey, const std::string&, KeyHandle* key) override { return Issue(key); }
  Status CreateKey(RootKey, const std::string&, KeyHandle* key) override { return Issue(key); }
  Status QueryValue(KeyHandle key, const std::string&, ValueType* type, std::uint8_t* data,
                    std::uint32_t* size) override {
    if (key == kNoKey) return kInvalidHandle;
    const Version& now = versions[std::min<std::size_t>(queries++, versions.size() - 1)];
    if (now.status != kSuccess) return now.status;
    if (type != nullptr) *type = now.type;
    const auto needed = static_cast<std::uint32_t>(now.data.size());
    if (data == nullptr) {
      *size = now.reportedSize.value_or(needed);
      return kSuccess;
    }
    if (*size < needed) {
      *size = needed;
      return kMoreData;
    }
    std::memcpy(data, now.data.data(), needed);
    *size = needed;
    return kSuccess;
  }
  Status SetValue(KeyHandle, const std::string&, ValueType, const std::uint8_t*,
                  std::uint32_t) override {
    return kSuccess;
  }
  Status DeleteValue(KeyHandle, const std::string&) override { return kSuccess; }
  Status CloseKey(KeyHandle key) override {
    if (key == kNoKey) return kInvalidHandle;
    --open;
    return kSuccess;
  }

 private:
  Status Issue(KeyHandle* key) {
    ++open;
    *key = 1;
    return kSuccess;
  }
};

using Version = ScriptedBackend::Version;
Version Text(std::string data, std::optional<std::uint32_t> reportedSize = std::nullopt) {
  return {kSuccess, kTypeText, std::move(data), reportedSize};
}
Version Number() { return {kSuccess, kTypeNumber, std::string(4, '\0'), std::nullopt}; }
Version Gone() { return {kNotFound, kTypeNone, "", std::nullopt}; }

std::string ReadScripted(std::vector<ScriptedBackend::Version> versions, int* queries = nullptr) {
  ScriptedBackend backend;
  backend.versions = std::move(versions);
  const std::string text = Registry(backend).ReadText(kRoot, kTestArea, "v", "default");
  EXPECT_EQ(backend.open, 0) << "a key was left open";
  if (queries != nullptr) *queries = backend.queries;
  return text;
}

TEST(ReadTextBetweenItsQueries, AValueThatGrewIsReadAgainWithItsNewSize) {
  int queries = 0;
  EXPECT_EQ(ReadScripted({Text("1500"), Text("1500000"), Text("150000000000")}, &queries),
            "150000000000");
  EXPECT_EQ(queries, 4);  // the size, then one read per version
}

TEST(ReadTextBetweenItsQueries, NoBlanksAreLeftWhenLessArrivesThanWasReported) {
  EXPECT_EQ(ReadScripted({Text("1500", 8u)}), "1500");
  EXPECT_EQ(ReadScripted({Text("1500000"), Text("64")}), "64");
  EXPECT_EQ(ReadScripted({Text("")}), "");  // no data at all: the empty text, not the default
}

TEST(ReadTextBetweenItsQueries, AValueThatWentAwayOrChangedTypeReadsAsTheDefault) {
  EXPECT_EQ(ReadScripted({Text("1500"), Gone()}), "default");
  EXPECT_EQ(ReadScripted({Text("1500"), Number()}), "default");
}

// The calls of each procedure, in order, on a real registry.

struct Sequence {
  const char* what;
  std::function<void(const Registry&)> run;
  std::vector<std::string> calls;
};

const std::string kKey = kTestArea + "\\Calls";

class ProcedureCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    Registry seed(test_.backend());
    ASSERT_TRUE(seed.WriteText(kRoot, kKey, "text", "1500"));
    ASSERT_TRUE(seed.WriteNumber(kRoot, kKey, "number", 1));
  }

  std::vector<std::string> CallsOf(const std::function<void(const Registry&)>& run) {
    RecordingBackend recording(test_.backend());
    run(Registry(recording));
    return recording.calls;
  }

  TestRegistry test_;
};

TEST_F(ProcedureCalls, EachProcedureOpensDoesOneThingAndCloses) {
  const std::string open = "open " + kKey;
  const std::string create = "create " + kKey;
  const std::string missing = "open " + kKey + "\\Missing";
  const Sequence sequences[] = {
      {"ReadText", [](const Registry& r) { r.ReadText(kRoot, kKey, "text", ""); },
       {open, "query text", "query text", "close"}},
      {"ReadText of a number", [](const Registry& r) { r.ReadText(kRoot, kKey, "number", ""); },
       {open, "query number", "close"}},
      {"ReadText, missing key",
       [](const Registry& r) { r.ReadText(kRoot, kKey + "\\Missing", "text", ""); },
       {missing, "query text", "close"}},
      {"ReadNumber", [](const Registry& r) { r.ReadNumber(kRoot, kKey, "number", 0); },
       {open, "query number", "close"}},
      {"WriteText", [](const Registry& r) { static_cast<void>(r.WriteText(kRoot, kKey, "text", "576")); },
       {create, "set text", "close"}},
      {"WriteNumber", [](const Registry& r) { static_cast<void>(r.WriteNumber(kRoot, kKey, "number", 0)); },
       {create, "set number", "close"}},
      {"RemoveValue", [](const Registry& r) { static_cast<void>(r.RemoveValue(kRoot, kKey, "text")); },
       {open, "delete text", "close"}},
      {"RemoveValue, missing key",
       [](const Registry& r) { static_cast<void>(r.RemoveValue(kRoot, kKey + "\\Missing", "text")); },
       {missing, "delete text", "close"}},
      {"QueryValue",
       [](const Registry& r) { TypedValue v; (void)r.QueryValue(kRoot, kKey, "number", &v); },
       {open, "query number", "query number", "close"}},
  };
  for (const Sequence& sequence : sequences) {
    EXPECT_EQ(CallsOf(sequence.run), sequence.calls) << sequence.what;
  }
}

TEST_F(ProcedureCalls, AFailedOpenOrCreateStillRunsTheCallAndCloses) {
  RecordingBackend recording(test_.backend());
  recording.fail = [](const std::string& call) {
    return call.rfind("open ", 0) == 0 || call.rfind("create ", 0) == 0;
  };
  const Registry registry(recording);

  EXPECT_EQ(registry.ReadText(kRoot, kKey, "text", "default"), "default");
  EXPECT_EQ(registry.ReadNumber(kRoot, kKey, "number", 7), 7);
  // The create's refusal says why, not the set against the empty handle.
  EXPECT_EQ(registry.WriteText(kRoot, kKey, "text", "576").status, kAccessDenied);
  EXPECT_FALSE(registry.WriteNumber(kRoot, kKey, "number", 0));
  EXPECT_EQ(recording.calls,
            (std::vector<std::string>{"open " + kKey, "query text", "close",
                                      "open " + kKey, "query number", "close",
                                      "create " + kKey, "set text", "close",
                                      "create " + kKey, "set number", "close"}));
  // Nothing was written.
  EXPECT_EQ(test_.registry().ReadText(kRoot, kKey, "text", "default"), "1500");
  EXPECT_EQ(test_.registry().ReadNumber(kRoot, kKey, "number", 7), 1);
}

TEST_F(ProcedureCalls, FailedSetsAndDeletesAreReportedAndChangeNothing) {
  RecordingBackend recording(test_.backend());
  recording.fail = [](const std::string& call) {
    return call.rfind("set ", 0) == 0 || call.rfind("delete ", 0) == 0;
  };
  recording.refusal = [](const std::string&) { return kDiskFull; };
  const Registry registry(recording);

  EXPECT_EQ(registry.WriteText(kRoot, kKey, "text", "576").status, kDiskFull);
  EXPECT_EQ(registry.WriteNumber(kRoot, kKey, "number", 0).status, kDiskFull);
  EXPECT_EQ(registry.RemoveValue(kRoot, kKey, "text").status, kDiskFull);
  EXPECT_EQ(std::count(recording.calls.begin(), recording.calls.end(), "close"), 3);
  EXPECT_EQ(test_.registry().ReadText(kRoot, kKey, "text", "default"), "1500");
  EXPECT_EQ(test_.registry().ReadNumber(kRoot, kKey, "number", 7), 1);
}

}  // namespace
}  // namespace quorvane::store
