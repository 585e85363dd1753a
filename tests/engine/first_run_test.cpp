#include "engine/first_run.h"

#include "engine/messages.h"

#include "tests/engine/engine_test.h"
#include "tests/engine/read_only_store.h"

namespace quorvane::testing {
namespace {

using engine::Answer;
using engine::StartOutcome;
namespace key = store::key;

class FirstRunTest : public EngineTest {
 protected:
  std::optional<std::string> Marker() const {
    return direct().QueryText(store::kRoot, key::kProgram, store::kFirstRunValue);
  }
  void SetMarker(const std::string& text) {
    ASSERT_TRUE(direct().WriteText(store::kRoot, key::kProgram, store::kFirstRunValue, text));
  }
  // The block as the load step runs it, its outcome told as the window
  // tells it.
  engine::FirstRunOutcome Run() {
    return Told(dialogs_, engine::RunFirstRunBlock(registry_, dialogs_));
  }
};

TEST_F(FirstRunTest, DisclaimerIsShownExactlyWithTheMarkerAlreadyDone) {
  std::optional<std::string> markerWhileAsked;
  dialogs_.whileShown = [&](const engine::Message&) { markerWhileAsked = Marker(); };
  dialogs_.answers = {Answer::Yes};

  const engine::FirstRunOutcome outcome = Run();
  EXPECT_EQ(outcome.start, StartOutcome::Continue);
  EXPECT_EQ(outcome.markedDone, store::kSuccess);
  EXPECT_EQ(outcome.disclaimer, Answer::Yes);
  EXPECT_EQ(outcome.markedPending, std::nullopt);

  ASSERT_EQ(dialogs_.shown.size(), 1u);
  ExpectBox(dialogs_.shown[0],
            "Welcome to Quorvane, we have backed up your settings as they were before you ran this "
            "program the first time. We recommend taking a full registry backup *before* running "
            "this program.\r\n"
            " If your tweak didn't help, or made things worse, first try clicking the Restore "
            "button at the bottom of the screen. If that doesn't help, then it's either your ISP "
            "or you and is entirely your problem.\r\n"
            "If you agree to this, please click Yes, otherwise click No and the program will "
            "exit. \r\n\r\n"
            "Dorrimer - Author and reciever of annoyed emails from people who should know better "
            "than to fiddle with settings without making backups.\r\n\r\n"
            "PS: Don't say I didn't warn you...",
            "Welcome to Quorvane", engine::Buttons::YesNo, engine::Icon::Error);
  EXPECT_EQ(dialogs_.shown[0].style, 20);  // Yes as the default button
  EXPECT_EQ(markerWhileAsked, "No");
  EXPECT_EQ(Marker(), "No");
}

TEST_F(FirstRunTest, EmptySystemIsBackedUpAsAbsentMarkers) {
  dialogs_.answers = {Answer::Yes};
  Run();
  for (const char* name : {"MaxMTU", "DefaultRcvWindow", "DefaultTTL", "SessionKeepAlive",
                           "cachesize", "PMTUBlackHoleDetect", "PMTUDiscovery", "SackOpts"}) {
    EXPECT_EQ(BackupText(name), "Not Set") << name;
  }
  EXPECT_EQ(BackupNumber("DisableTaskOffload"), 0);
}

TEST_F(FirstRunTest, LiveValuesAreCopiedAsTheyStand) {
  SetLive(Id::MaxMtu, " 1500");
  SetLive(Id::NdiCache, "64");
  SetLive(Id::PmtuDiscovery, "Not Set");
  SetLiveNumber(Id::DisableTaskOffload, 1);
  SetLive(Id::SackOpts, "1");
  // A value of another kind is copied with its kind.
  SetLiveNumber(Id::DefaultTtl, 128);

  const std::vector<engine::Step> steps = Run().backup;

  // Each step tells what it found and what it wrote into the backup key.
  ASSERT_EQ(steps.size(), 9u);
  EXPECT_EQ(steps[0].setting, Id::MaxMtu);
  EXPECT_EQ(steps[0].place, engine::Place::Backup);
  EXPECT_EQ(steps[0].found, engine::Found::Value);
  EXPECT_EQ(engine::TextOf(steps[0].before), " 1500");
  EXPECT_EQ(steps[0].written, steps[0].before);
  EXPECT_EQ(steps[1].found, engine::Found::Absent);
  EXPECT_EQ(steps[1].written, engine::TextValue("Not Set"));
  EXPECT_EQ(steps[6].setting, Id::DisableTaskOffload);
  EXPECT_EQ(steps[6].written, engine::NumberValue(1));

  EXPECT_EQ(BackupText("MaxMTU"), " 1500");
  EXPECT_EQ(BackupText("cachesize"), "64");
  EXPECT_EQ(BackupText("PMTUDiscovery"), "Not Set");
  EXPECT_EQ(BackupNumber("DefaultTTL"), 128);
  EXPECT_EQ(BackupNumber("DisableTaskOffload"), 1);
  EXPECT_EQ(BackupText("SackOpts"), "1");
  EXPECT_EQ(direct().QueryText(store::kRoot, key::kBackup, ""), std::nullopt);
}

TEST_F(FirstRunTest, EachSettingIsReadThenWrittenInTheBackupOrder) {
  dialogs_.answers = {Answer::Yes};
  Run();
  EXPECT_EQ(Calls({"open", "create", "set"}),
            (std::vector<std::string>{
                "open " + key::kProgram,
                "open " + key::kNetTrans, "create " + key::kBackup, "set MaxMTU",
                "open " + key::kMstcp, "create " + key::kBackup, "set DefaultRcvWindow",
                "open " + key::kMstcp, "create " + key::kBackup, "set DefaultTTL",
                "open " + key::kMstcp, "create " + key::kBackup, "set SessionKeepAlive",
                "open " + key::kNdiCache, "create " + key::kBackup, "set cachesize",
                "open " + key::kMstcp, "create " + key::kBackup, "set PMTUBlackHoleDetect",
                "open " + key::kTcpip, "create " + key::kBackup, "set DisableTaskOffload",
                "open " + key::kMstcp, "create " + key::kBackup, "set PMTUDiscovery",
                "open " + key::kMstcp, "create " + key::kBackup, "set SackOpts",
                "create " + key::kProgram, "set FirstRun"}));
}

TEST_F(FirstRunTest, DecliningEndsWithTheMarkerPendingAndTheBackupKept) {
  SetLive(Id::MaxMtu, "576");
  dialogs_.answers = {Answer::No};
  const engine::FirstRunOutcome declined = Run();
  EXPECT_EQ(declined.start, StartOutcome::Declined);
  EXPECT_EQ(declined.disclaimer, Answer::No);
  EXPECT_EQ(declined.markedPending, store::kSuccess);
  EXPECT_EQ(Marker(), "Yes");
  EXPECT_EQ(BackupText("MaxMTU"), "576");

  // The next start takes the backup again and asks again. Only Yes
  // accepts: an answer that is not Yes (as a box closed by Escape gives
  // back) declines as No does.
  SetLive(Id::MaxMtu, "1492");
  dialogs_.answers = {Answer::Ok};
  EXPECT_EQ(Run().start, StartOutcome::Declined);
  EXPECT_EQ(dialogs_.shown.size(), 2u);
  EXPECT_EQ(BackupText("MaxMTU"), "1492");
  EXPECT_EQ(Marker(), "Yes");
}

TEST_F(FirstRunTest, OnlyTheExactTextYesStartsTheBlock) {
  for (const char* marker : {"No", "yes", "YES", "Yes ", ""}) {
    SetMarker(marker);
    recorder_.calls.clear();
    const engine::FirstRunOutcome outcome = Run();
    EXPECT_EQ(outcome.start, StartOutcome::Continue) << marker;
    EXPECT_EQ(outcome.marker.state, engine::FirstRunMarker::State::Done) << marker;
    EXPECT_TRUE(Calls({"set"}).empty()) << marker;
  }
  EXPECT_TRUE(dialogs_.shown.empty());

  // A marker stored as a number reads as pending.
  ASSERT_TRUE(direct().WriteNumber(store::kRoot, key::kProgram, store::kFirstRunValue, 0));
  dialogs_.answers = {Answer::Yes};
  EXPECT_EQ(Run().start, StartOutcome::Continue);
  EXPECT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(Marker(), "No");
}

// The disclaimer says the settings are backed up: when they are not, the
// program tells the user how far it got and why, and ends; the next start
// tries again.
const std::string kBackupFailed =
    "Quorvane could not back up your current network settings, so nothing has been changed.";
const std::string kAdministrator = "Quorvane may need to be run with administrator rights.";
const std::string kBackedUpTwo =
    "Quorvane backed up only some of your current network settings (Max Transmission Unit, "
    "Recieve Window) and could not back up ";
const std::string kNoneChanged = ", so none of your network settings has been changed.";

void ExpectBackupFailedAndEnded(const ScriptedDialogs& dialogs,
                                const engine::FirstRunOutcome& outcome, const std::string& told) {
  EXPECT_EQ(outcome.start, StartOutcome::BackupFailed);
  ASSERT_FALSE(dialogs.shown.empty());
  ExpectBox(dialogs.shown.back(), told, "Quorvane", engine::Buttons::Ok, engine::Icon::Error);
}

TEST_F(FirstRunTest, FailedBackupWriteEndsBeforeTheMarkerIsWritten) {
  Refuse({"set DisableTaskOffload"});
  ExpectBackupFailedAndEnded(
      dialogs_, Run(),
      "Quorvane backed up only some of your current network settings (Max Transmission Unit, "
      "Recieve Window, Time To Live, Session Keep Alive, NDI Cache, Black Hole Detect) and could "
      "not back up Network Card CPU" + kNoneChanged + " " + kAdministrator);
  EXPECT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(Marker(), std::nullopt);
  const auto sets = Calls({"set"});
  EXPECT_EQ(sets.back(), "set DisableTaskOffload");
  EXPECT_EQ(sets.size(), 7u);
}

// Each failure tells its own reason; only a refusal speaks of rights. A live
// value that cannot be read is not taken for an absent one. A store in use
// is waited for once: the first run stops at the first such failure.
TEST_F(FirstRunTest, FailedBackupSaysHowFarItGotAndWhy) {
  struct Case {
    std::string call;
    store::Status status;
    std::string told;
  };
  const Case cases[] = {
      {"set MaxMTU", store::kWriteProtected,
       kBackupFailed + " The registry file can only be read."},
      {"create " + key::kBackup, store::kInUse,
       kBackupFailed + " Another program is using the registry."},
      {"set DefaultTTL", store::kDiskFull, kBackedUpTwo + "Time To Live" + kNoneChanged +
                                               " The disk is full."},
      {"query DefaultTTL", store::kBadDatabase, kBackedUpTwo + "Time To Live" + kNoneChanged +
                                                    " The registry file is damaged."},
      {"set MaxMTU", store::kInvalidParameter, kBackupFailed + " Windows reported error 87."},
  };
  SetLive(Id::DefaultTtl, "64");  // there to be read
  for (const Case& c : cases) {
    SCOPED_TRACE(c.call);
    Refuse({c.call}, c.status);
    recorder_.calls.clear();
    const engine::FirstRunOutcome outcome = Run();
    ExpectBackupFailedAndEnded(dialogs_, outcome, c.told);
    EXPECT_EQ(outcome.backup.back().status, c.status);
    EXPECT_EQ(outcome.markedDone, std::nullopt);
    EXPECT_EQ(Calls({c.call.substr(0, c.call.find(' ')).c_str()}).back(), c.call);
    Allow();
  }
  EXPECT_FALSE(dialogs_.busy);
}

// A marker that cannot be written ends the program like a failed backup,
// and the box says that the backup was made: "No" after the backup, before
// the disclaimer, and "Yes" after a decline, which leaves "No".
TEST_F(FirstRunTest, FailedMarkerWriteEndsTheProgramAndSaysWhatWasDone) {
  Refuse({"set FirstRun"}, store::kDiskFull);
  const engine::FirstRunOutcome notMarked = Run();
  EXPECT_EQ(notMarked.markedDone, store::kDiskFull);
  EXPECT_EQ(notMarked.disclaimer, std::nullopt);
  ExpectBackupFailedAndEnded(dialogs_, notMarked,
                             "Quorvane backed up your current network settings but could not "
                             "record that it did, so none of them has been changed and the next "
                             "start will back them up again. The disk is full.");
  EXPECT_EQ(dialogs_.shown.size(), 1u);
  EXPECT_EQ(Marker(), std::nullopt);

  Allow();
  dialogs_.answers = {Answer::No};
  dialogs_.whileShown = [&](const engine::Message&) { Refuse({"set FirstRun"}, store::kInUse); };
  const engine::FirstRunOutcome notSetBack = Run();
  EXPECT_EQ(notSetBack.markedPending, store::kInUse);
  ExpectBackupFailedAndEnded(dialogs_, notSetBack,
                             "Quorvane backed up your current network settings and changed none "
                             "of them, but could not record that you declined, so the next start "
                             "will not ask you again. Another program is using the registry.");
  EXPECT_EQ(dialogs_.shown.size(), 3u);  // the failure, the disclaimer, the failure
  EXPECT_EQ(Marker(), "No");
  EXPECT_EQ(BackupText("MaxMTU"), "Not Set");
}

// A marker that the registry cannot read may say "No": the backup already
// taken stays, and the program ends, saying why.
TEST_F(FirstRunTest, AMarkerThatCannotBeReadTakesNoBackup) {
  SetBackup("MaxMTU", "576");
  SetLive(Id::MaxMtu, "1500");
  const struct {
    std::string call;
    store::Status status;
    const char* reason;
  } cases[] = {
      {"open " + key::kProgram, store::kAccessDenied,
       "Quorvane may need to be run with administrator rights."},
      {"query FirstRun", store::kRegistryCorrupt, "The registry file is damaged."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    Refuse({c.call}, c.status);
    recorder_.calls.clear();
    dialogs_.shown.clear();
    const engine::FirstRunOutcome outcome = Run();
    EXPECT_EQ(outcome.marker.state, engine::FirstRunMarker::State::Unreadable);
    EXPECT_EQ(outcome.marker.status, c.status);
    EXPECT_TRUE(outcome.backup.empty());
    EXPECT_TRUE(Calls({"create", "set"}).empty());
    ExpectBackupFailedAndEnded(dialogs_, outcome,
                               "Quorvane could not read whether it has backed up your network "
                               "settings before, so nothing has been changed. " +
                                   std::string(c.reason));
    EXPECT_EQ(dialogs_.shown.size(), 1u);
    Allow();
  }
  EXPECT_EQ(BackupText("MaxMTU"), "576");
}

// Before the first run: a registry that cannot be opened is told in the
// same words as every other failure of its kind.
TEST(RegistryUnavailable, TheBoxNamesTheFileAndWhy) {
  using Detail = store::OpenFailure::Detail;
  const struct {
    store::OpenFailure failure;
    const char* text;
  } cases[] = {
      {{store::kInUse, "/r.sqlite3", Detail::None},
       "Quorvane cannot open its registry \"/r.sqlite3\". Another program is using the registry."},
      {{store::kBadDatabase, "/r.sqlite3", Detail::NotOurs},
       "Quorvane cannot open its registry \"/r.sqlite3\": the file is not a Quorvane registry."},
      {{store::kDiskFull, "/r.sqlite3", Detail::ChangesBeside},
       "Quorvane cannot open its registry \"/r.sqlite3\": its latest changes are in a file beside "
       "it that cannot be read now. The disk is full."},
      {{store::kBadPathname, "", Detail::NoHomeFolder},
       "Quorvane cannot open its registry: there is no home folder to keep it in. Set "
       "QUORVANE_REGISTRY to the file to use."},
  };
  for (const auto& c : cases) {
    const engine::Message box = engine::RegistryUnavailableMessage(c.failure);
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.title, "Quorvane");
    EXPECT_EQ(box.Style(), 16);  // OK and the stop icon
  }
}

#ifndef _WIN32
TEST(FirstRunReadOnly, BackupIntoAReadOnlyStoreEndsTheProgram) {
  ReadOnlyStore readOnly;
  ScriptedDialogs dialogs;
  EXPECT_EQ(Told(dialogs, engine::RunFirstRunBlock(readOnly.registry(), dialogs)).start,
            StartOutcome::BackupFailed);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            kBackupFailed + " The registry file can only be read.");
}
#endif

}  // namespace
}  // namespace quorvane::testing
