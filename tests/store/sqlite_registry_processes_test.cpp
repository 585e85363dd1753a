// The portable registry with other processes: one killed in the middle of
// its writes, and several writing at once.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "store/registry.h"
#include "store/sqlite_registry.h"
#include "tests/store/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_registry.h"

namespace quorvane::store {
namespace {

using testing::ChildProcess;
using testing::kTestArea;
using testing::TempFolder;

const std::string kWriter = QUORVANE_REGISTRY_WRITER;

std::string IntegrityOf(const std::string& file) {
  sqlite3* db = nullptr;
  std::string answer = "cannot open";
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
      answer = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return answer;
}

// Where registry_writer puts its value number i.
std::string KeyOf(const std::string& key, int i) {
  return kTestArea + "\\" + key + "\\K" + std::to_string(i % 5);
}

// Every number in reported is stored under key and name.
void ExpectAllThere(const Registry& registry, const std::string& key, const std::string& name,
                    const std::set<int>& reported) {
  for (const int i : reported) {
    EXPECT_EQ(registry.ReadText(RootKey::LocalMachine, KeyOf(key, i), name + std::to_string(i),
                                "missing"),
              std::to_string(i))
        << name << i;
  }
}

TEST(SqliteRegistryProcesses, AWriterKilledMidStreamLeavesASoundStoreWithEveryReturnedWrite) {
  TempFolder folder;
  const std::string file = folder / "registry.sqlite3";
  // Kill at different moments; each round adds to what the earlier ones left.
  for (const int killAfter : {1, 17, 60}) {
    SCOPED_TRACE(killAfter);
    const std::string name = "round" + std::to_string(killAfter) + "_";
    ChildProcess writer(kWriter, {file, "Crash", name, "1000000"});
    ASSERT_GT(writer.pid(), 0);

    std::set<int> reported;
    std::string line;
    while (static_cast<int>(reported.size()) < killAfter && writer.ReadLine(&line)) {
      reported.insert(std::stoi(line));
    }
    writer.Kill();
    // Writes that returned before the kill may still be in the pipe.
    while (writer.ReadLine(&line)) reported.insert(std::stoi(line));
    EXPECT_EQ(writer.Wait(), -1) << "the writer ended before it was killed";
    ASSERT_GE(static_cast<int>(reported.size()), killAfter);

    // Opening rolls back a write that the kill cut short.
    auto store = SqliteRegistry::Open(file);
    EXPECT_EQ(IntegrityOf(file), "ok");
    ExpectAllThere(Registry(*store), "Crash", name, reported);
  }
}

// Writers killed while they make a new store, at moments spread over its
// making: whatever each leaves, the next program opens it, finds the write
// done or an empty registry, and writes into it. (A connection that may
// only read cannot roll back a journal: that one stays refused while the
// journal is there, but for a making cut short before its first commit.)
TEST(SqliteRegistryProcesses, AWriterKilledWhileItMakesTheStoreNeverLeavesOneThatIsRefused) {
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    TempFolder folder;
    const std::string file = folder / "registry.sqlite3";
    ChildProcess writer(kWriter, {file, "Made", "v", "1"});
    ASSERT_GT(writer.pid(), 0);
    usleep(static_cast<useconds_t>(round % 30) * 1000);
    writer.Kill();
    writer.Wait();

    std::unique_ptr<SqliteRegistry> store;
    ASSERT_NO_THROW(store = SqliteRegistry::Open(file));
    const Registry registry(*store);
    const std::string made = registry.ReadText(RootKey::LocalMachine, KeyOf("Made", 0), "v0",
                                               "absent");
    EXPECT_TRUE(made == "0" || made == "absent") << made;
    EXPECT_TRUE(registry.WriteText(RootKey::LocalMachine, kTestArea, "after", "x"));
    store.reset();
    EXPECT_EQ(IntegrityOf(file), "ok");
  }
}

TEST(SqliteRegistryProcesses, WritersAtOnceLoseNothing) {
  TempFolder folder;
  // The writers also race to create the file and its keys.
  const std::string file = folder / "new/registry.sqlite3";
  constexpr int kCount = 150;
  const std::vector<std::string> names = {"a", "b", "c"};
  std::vector<std::unique_ptr<ChildProcess>> writers;
  for (const std::string& name : names) {
    writers.push_back(std::make_unique<ChildProcess>(
        kWriter, std::vector<std::string>{file, "Shared", name, std::to_string(kCount)}));
    ASSERT_GT(writers.back()->pid(), 0);
  }
  std::vector<std::set<int>> reported(names.size());
  for (std::size_t w = 0; w < writers.size(); ++w) {
    std::string line;
    while (writers[w]->ReadLine(&line)) reported[w].insert(std::stoi(line));
    EXPECT_EQ(writers[w]->Wait(), 0) << names[w];
    EXPECT_EQ(reported[w].size(), static_cast<std::size_t>(kCount)) << names[w];
  }

  EXPECT_EQ(IntegrityOf(file), "ok");
  auto store = SqliteRegistry::Open(file);
  for (std::size_t w = 0; w < names.size(); ++w) {
    ExpectAllThere(Registry(*store), "Shared", names[w], reported[w]);
  }
}

}  // namespace
}  // namespace quorvane::store
