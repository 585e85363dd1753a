// The portable registry's own promises, beyond the contract it shares with
// the Windows registry: the paths it refuses, the files it refuses and never
// overwrites, read-only stores, and where the store lives.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "store/platform_registry.h"
#include "store/portable_registry_path.h"
#include "store/registry.h"
#include "store/sqlite_registry.h"
#include "tests/store/older_stores.h"
#include "tests/support/file_permissions.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_registry.h"

namespace quorvane::store {
namespace {

using testing::kTestArea;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;
using OpenMode = SqliteRegistry::OpenMode;

constexpr RootKey kRoot = RootKey::LocalMachine;

Status OpenAndClose(RegistryBackend& backend, const std::string& path, bool create) {
  KeyHandle key = kNoKey;
  const Status status =
      create ? backend.CreateKey(kRoot, path, &key) : backend.OpenKey(kRoot, path, &key);
  if (status != kSuccess) {
    EXPECT_EQ(key, kNoKey);
  }
  backend.CloseKey(key);
  return status;
}

int ModeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  return static_cast<int>(status.st_mode & 07777);
}

// Runs SQL on a file directly, as another program would.
void RunSql(const std::string& file, const char* sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

// The message with which Open refuses the file; a failure when it opens.
std::string OpenError(const std::string& file, OpenMode mode = OpenMode::ReadWrite) {
  try {
    SqliteRegistry::Open(file, mode);
    ADD_FAILURE() << "opened " << file;
  } catch (const RegistryOpenError& error) {
    return error.what();
  }
  return "";
}

// Expects Open to refuse the file with a message that names it and says
// why, and the file to be left exactly as it was.
void ExpectRefused(const std::string& file, const std::string& why,
                   OpenMode mode = OpenMode::ReadWrite) {
  const std::string before = ReadFile(file);
  const std::string message = OpenError(file, mode);
  EXPECT_NE(message.find("\"" + file + "\""), std::string::npos) << message;
  EXPECT_NE(message.find(why), std::string::npos) << message;
  EXPECT_EQ(ReadFile(file), before);
  EXPECT_FALSE(std::filesystem::exists(file + "-journal"));
}

// Paths, names and handles.

TEST(SqliteRegistryPaths, PathsThatWindowsRefusesAreRefusedAndCreateNothing) {
  testing::TestRegistry test;
  for (const std::string& path : {"\\" + kTestArea, kTestArea + "\\\\Empty",
                                 kTestArea + "\\Twice\\\\", std::string("\\")}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(OpenAndClose(test.backend(), path, true), kBadPathname);
    EXPECT_EQ(OpenAndClose(test.backend(), path, false), kBadPathname);
    EXPECT_FALSE(test.registry().WriteText(kRoot, path, "v", "x"));
  }
  EXPECT_EQ(OpenAndClose(test.backend(), kTestArea, false), kNotFound);
}

TEST(SqliteRegistryPaths, TheEmptyPathIsTheRootAndOtherRootsAreRefused) {
  testing::TestRegistry test;
  ASSERT_TRUE(test.registry().WriteText(kRoot, kTestArea, "v", "x"));  // makes the store
  EXPECT_EQ(OpenAndClose(test.backend(), "", false), kSuccess);
  KeyHandle key = kNoKey;
  EXPECT_EQ(test.backend().OpenKey(static_cast<RootKey>(0x80000001u), "", &key), kInvalidHandle);
  EXPECT_EQ(test.backend().CreateKey(static_cast<RootKey>(0x80000001u), "a", &key),
            kInvalidHandle);
  EXPECT_EQ(key, kNoKey);
}

TEST(SqliteRegistryPaths, NamesHoldingANulAreRefusedRatherThanCut) {
  testing::TestRegistry test;
  const std::string withNul("v\0tail", 6);
  EXPECT_EQ(OpenAndClose(test.backend(), kTestArea + std::string("\0x", 2), true),
            kInvalidParameter);
  EXPECT_FALSE(test.registry().WriteText(kRoot, kTestArea, withNul, "x"));
  EXPECT_EQ(test.registry().ReadText(kRoot, kTestArea, "v", "absent"), "absent");
  ASSERT_TRUE(test.registry().WriteText(kRoot, kTestArea, "v", "kept"));
  EXPECT_FALSE(test.registry().RemoveValue(kRoot, kTestArea, withNul));
  EXPECT_EQ(test.registry().ReadText(kRoot, kTestArea, withNul, "absent"), "absent");
  EXPECT_EQ(test.registry().ReadText(kRoot, kTestArea, "v", "absent"), "kept");
}

TEST(SqliteRegistryPaths, ClosedHandlesAreNoLongerAccepted) {
  testing::TestRegistry test;
  KeyHandle key = kNoKey;
  ASSERT_EQ(test.backend().CreateKey(kRoot, kTestArea, &key), kSuccess);
  EXPECT_EQ(test.backend().CloseKey(key), kSuccess);
  EXPECT_EQ(test.backend().CloseKey(key), kInvalidHandle);
  const std::uint8_t byte = 1;
  EXPECT_EQ(test.backend().SetValue(key, "v", kTypeNumber, &byte, 1), kInvalidHandle);
}

TEST(SqliteRegistryPaths, ListingShowsNamesAsCreatedInNameOrder) {
  TempFolder folder;
  auto store = SqliteRegistry::Open(folder / "r.sqlite3");
  Registry registry(*store);
  ASSERT_TRUE(registry.WriteText(kRoot, kTestArea + "\\Zeta", "", "z"));
  ASSERT_TRUE(registry.WriteText(kRoot, kTestArea + "\\alpha\\Deeper", "", "a"));
  ASSERT_TRUE(registry.WriteText(kRoot, kTestArea, "MaxMTU", "1500"));
  ASSERT_TRUE(registry.WriteNumber(kRoot, kTestArea, "maxmtu", 3));  // same value, first spelling
  ASSERT_TRUE(registry.WriteText(kRoot, kTestArea, "", "default"));

  KeyHandle key = kNoKey;
  ASSERT_EQ(store->OpenKey(kRoot, kTestArea, &key), kSuccess);
  std::vector<SqliteRegistry::StoredValue> values;
  std::vector<std::string> subkeys;
  EXPECT_EQ(store->ListValues(key, &values), kSuccess);
  EXPECT_EQ(store->ListSubkeys(key, &subkeys), kSuccess);
  store->CloseKey(key);

  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].name, "");
  EXPECT_EQ(values[1].name, "MaxMTU");
  EXPECT_EQ(values[1].type, kTypeNumber);
  EXPECT_EQ(subkeys, (std::vector<std::string>{"alpha", "Zeta"}));
}

TEST(SqliteRegistryPaths, LetterCaseIsIgnoredBeyondAscii) {
  testing::TestRegistry test;
  const std::string key = kTestArea + "\\\xC3\x84rger";  // Ärger
  ASSERT_TRUE(test.registry().WriteText(kRoot, key, "Gr\xC3\xB6\xC3\x9F" "e", "x"));  // Größe
  EXPECT_EQ(test.registry().ReadText(kRoot, kTestArea + "\\\xC3\xA4RGER", "GR\xC3\x96\xC3\x9F" "E",
                                     "absent"),
            "x");
  // As Windows compares them: a letter is upper-cased only where its upper
  // case lower-cases back to it, by one table on every machine, and nothing
  // beyond the Basic Multilingual Plane is. ß has no upper case of one
  // character, so SS is another name.
  const struct {
    const char* written;
    const char* read;
    bool same;
  } cases[] = {
      {"\xC3\xBF", "\xC5\xB8", true},           // ÿ Ÿ
      {"\xC7\x86", "\xC7\x84", true},           // ǆ Ǆ
      {"\xEA\xAD\xB0", "\xE1\x8E\xA0", true},   // Cherokee ꭰ Ꭰ
      {"\xC4\xB1", "I", false},                 // dotless ı
      {"\xC4\xB1", "i", false},
      {"\xC4\xB0", "i", false},                 // İ
      {"\xC5\xBF", "S", false},                 // long ſ
      {"\xC2\xB5", "\xCE\xBC", false},          // micro µ, Greek μ
      {"\xC7\x85", "\xC7\x84", false},          // title-case ǅ, Ǆ
      {"\xC7\x85", "\xC7\x86", false},          // ǅ, ǆ
      {"\xCF\x90", "\xCE\xB2", false},          // ϐ β
      {"\xCD\x85", "\xCE\xB9", false},          // U+0345, ι
      {"\xCF\x82", "\xCF\x83", false},          // final ς, σ
      {"\xE2\x84\xAA", "k", false},              // Kelvin sign
      {"Gr\xC3\x9F" "e", "GROSSE", false},
      {"\xF0\x90\x90\xA8", "\xF0\x90\x90\x80", false},  // Deseret 𐐨 𐐀
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(test.registry().WriteText(kRoot, kTestArea, c.written, "x"));
    EXPECT_EQ(test.registry().ReadText(kRoot, kTestArea, c.read, "absent"),
              c.same ? "x" : "absent")
        << c.written << " " << c.read;
    ASSERT_TRUE(test.registry().RemoveValue(kRoot, kTestArea, c.written));
  }
}

// Files.

TEST(SqliteRegistryFiles, ANewStoreIsPrivateToItsOwner) {
  TempFolder folder;
  const std::string file = folder / "made/for/it/registry.sqlite3";
  ASSERT_TRUE(Registry(*SqliteRegistry::Open(file)).WriteText(kRoot, kTestArea, "v", "x"));
  EXPECT_EQ(ModeOf(file), 0600);
  EXPECT_EQ(ModeOf(folder / "made"), 0700);
  EXPECT_EQ(ModeOf(folder / "made/for/it"), 0700);
}

TEST(SqliteRegistryFiles, WhatIsWrittenIsThereAfterReopeningAndForOtherConnections) {
  TempFolder folder;
  const std::string file = folder / "registry.sqlite3";
  auto first = SqliteRegistry::Open(file);
  auto second = SqliteRegistry::Open(file);
  ASSERT_TRUE(Registry(*first).WriteText(kRoot, kTestArea, "v", "one"));
  EXPECT_EQ(Registry(*second).ReadText(kRoot, kTestArea, "v", "absent"), "one");
  ASSERT_TRUE(Registry(*second).WriteNumber(kRoot, kTestArea, "v", 2));
  EXPECT_EQ(Registry(*first).ReadNumber(kRoot, kTestArea, "v", 0), 2);
  first.reset();
  second.reset();
  EXPECT_EQ(Registry(*SqliteRegistry::Open(file)).ReadNumber(kRoot, kTestArea, "v", 0), 2);
}

// Reads share a read transaction from a key's open to the next call; one
// that stops there, in either journal mode, must keep no writer waiting.
TEST(SqliteRegistryFiles, AKeyHeldOpenKeepsNoOtherConnectionsWriteWaiting) {
  for (const std::string journal : {"wal", "delete"}) {
    TempFolder folder;
    const std::string file = folder / "registry.sqlite3";
    ASSERT_TRUE(Registry(*SqliteRegistry::Open(file)).WriteText(kRoot, kTestArea, "v", "one"));
    RunSql(file, ("PRAGMA journal_mode = " + journal).c_str());
    auto holder = SqliteRegistry::Open(file);
    auto writer = SqliteRegistry::Open(file);
    KeyHandle key = kNoKey;
    ASSERT_EQ(holder->OpenKey(kRoot, kTestArea, &key), kSuccess);
    EXPECT_TRUE(Registry(*writer).WriteText(kRoot, kTestArea, "v", "two")) << journal;
    EXPECT_EQ(holder->CloseKey(key), kSuccess);
    EXPECT_EQ(Registry(*holder).ReadText(kRoot, kTestArea, "v", "absent"), "two") << journal;
  }
}

TEST(SqliteRegistryFiles, AnEmptyFileBecomesAStore) {
  TempFolder folder;
  const std::string file = folder / "registry.sqlite3";
  WriteFile(file, "");
  auto store = SqliteRegistry::Open(file);
  EXPECT_TRUE(Registry(*store).WriteText(kRoot, kTestArea, "v", "x"));
}

TEST(SqliteRegistryFiles, FilesThatAreNotStoresAreRefusedAndLeftAlone) {
  TempFolder folder;
  WriteFile(folder / "notes.txt", "MaxMTU=1500\nnot a database at all\n");
  ExpectRefused(folder / "notes.txt", "not a Quorvane registry");

  // A database of another program, even an empty one.
  RunSql(folder / "other.db", "CREATE TABLE t (x); INSERT INTO t VALUES (1);");
  ExpectRefused(folder / "other.db", "not a Quorvane registry");
  RunSql(folder / "blank.db", "PRAGMA user_version = 1; VACUUM;");
  ExpectRefused(folder / "blank.db", "not a Quorvane registry");
}

// Stores that a killed program or a damaged disk left behind. The creation
// cut short is the one a writer killed while it made the store leaves: the
// tables and the identification written, the "-journal" of the transaction
// that began on the empty file still there.
TEST(SqliteRegistryFiles, HalfMadeAndDamagedStoresNeitherRefuseForeverNorChangeOnAFailedWrite) {
  const auto withJournalOfACreation = [](const std::string& file) {
    ASSERT_TRUE(Registry(*SqliteRegistry::Open(file)).WriteText(kRoot, kTestArea, "v", "x"));
    RunSql(file, "PRAGMA journal_mode = DELETE");
    // Magic, no records, a checksum seed, the file's 0 pages before, the
    // sector and page sizes.
    std::string header("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7\0\0\0\0\x7a\x1b\x3c\xaf\0\0\0\0"
                       "\0\0\x02\0\0\0\x10\0", 28);
    header.resize(512, '\0');
    WriteFile(file + "-journal", header);
  };
  const auto withDamagedHeader = [](const std::string& file) {
    ASSERT_TRUE(Registry(*SqliteRegistry::Open(file)).WriteText(kRoot, kTestArea, "v", "x"));
    std::string bytes = ReadFile(file);
    bytes[20] = static_cast<char>(bytes[20] ^ 0x20);  // the bytes kept free at each page's end
    WriteFile(file, bytes);
  };
  const struct {
    const char* what;
    std::function<void(const std::string&)> make;
    const char* readsAs;   // the value made before
    bool writes;           // a write into a new key succeeds
  } cases[] = {
      {"a creation cut short", withJournalOfACreation, "absent", true},
      {"a damaged header", withDamagedHeader, "x", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::string file = folder / "registry.sqlite3";
    c.make(file);
    const std::string before = ReadFile(file);
    EXPECT_EQ(Registry(*SqliteRegistry::Open(file, OpenMode::ReadOnly))
                  .ReadText(kRoot, kTestArea, "v", "absent"),
              c.readsAs);
    auto store = SqliteRegistry::Open(file);
    const Registry registry(*store);
    EXPECT_EQ(registry.ReadText(kRoot, kTestArea, "v", "absent"), c.readsAs);
    const WriteResult written = registry.WriteText(kRoot, kTestArea + "\\New", "w", "y");
    EXPECT_EQ(written.status, c.writes ? kSuccess : kRegistryCorrupt);
    store.reset();
    if (c.writes) {
      EXPECT_EQ(Registry(*SqliteRegistry::Open(file)).ReadText(kRoot, kTestArea + "\\New", "w",
                                                                "absent"),
                "y");
    } else {
      EXPECT_EQ(ReadFile(file), before);
    }
  }
}

TEST(SqliteRegistryFiles, NamesThatLookLikeSqliteUrisAreFilesInTheWorkingFolder) {
  TempFolder folder;
  const auto home = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  for (const std::string name : {":memory:", "file:r?mode=memory"}) {
    ASSERT_TRUE(Registry(*SqliteRegistry::Open(name)).WriteText(kRoot, kTestArea, "v", name));
    EXPECT_EQ(Registry(*SqliteRegistry::Open(name)).ReadText(kRoot, kTestArea, "v", "lost"), name);
    EXPECT_TRUE(std::filesystem::exists(folder / name));
  }
  std::filesystem::current_path(home);
}

// Each earlier format reads as it did, letter case included, until a write
// brings it to the current one; then names compare by the registry's table.
TEST(SqliteRegistryFiles, AStoreOfAnEarlierFormatKeepsEveryValueAndIsBroughtUpToDateByAWrite) {
  const std::string backup = kTestArea + "\\Backup";
  const std::string umlaut = kTestArea + "\\\xC3\x84RGER";       // ÄRGER, made as ärger
  const std::string otherCase = kTestArea + "\\\xC7\x86";        // ǆ, made as ǅ
  const struct {
    const char* sql;
    const char* umlautBefore;     // ASCII letter case alone in format 1
    const char* otherCaseBefore;  // ǅ upper-cased to Ǆ in format 2, as ǆ is
    const char* change = "";      // made to the store before it is opened
  } cases[] = {
      {testing::kFormat1Store, "lost", "lost"},
      // The index on the parent only made lookups fast.
      {testing::kFormat1Store, "lost", "lost", "DROP INDEX registry_key_parent"},
      {testing::kFormat2Store, "a", "d"},
  };
  // The same values made afresh, for the size of the converted store.
  TempFolder folder;
  const std::string fresh = folder / "fresh.sqlite3";
  {
    const auto made = SqliteRegistry::Open(fresh);
    const Registry registry(*made);
    ASSERT_TRUE(registry.WriteText(kRoot, kTestArea, "MaxMTU", "1500"));
    ASSERT_TRUE(registry.WriteText(kRoot, kTestArea, "", "256"));
    ASSERT_TRUE(registry.WriteNumber(kRoot, backup, "DisableTaskOffload", 1));
    ASSERT_TRUE(registry.WriteText(kRoot, backup, "MaxMTU", "576"));
    ASSERT_TRUE(registry.WriteText(kRoot, kTestArea + "\\\xC3\xA4rger", "lower", "a"));
    ASSERT_TRUE(registry.WriteText(kRoot, kTestArea + "\\\xC7\x85", "v", "d"));
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    const std::string file = folder / "registry.sqlite3";
    std::filesystem::remove(file);
    RunSql(file, c.sql);
    RunSql(file, c.change);
    const auto expectEveryValue = [&](const Registry& registry) {
      EXPECT_EQ(registry.ReadText(kRoot, kTestArea, "maxmtu", "lost"), "1500");
      EXPECT_EQ(registry.ReadText(kRoot, kTestArea, "", "lost"), "256");
      EXPECT_EQ(registry.ReadNumber(kRoot, backup, "DisableTaskOffload", 7), 1);
      EXPECT_EQ(registry.ReadText(kRoot, kTestArea + "\\\xC7\x85", "V", "lost"), "d");  // ǅ
    };
    auto store = SqliteRegistry::Open(file);
    const std::string before = ReadFile(file);
    expectEveryValue(Registry(*store));
    EXPECT_EQ(Registry(*store).ReadText(kRoot, umlaut, "lower", "lost"), c.umlautBefore);
    EXPECT_EQ(Registry(*store).ReadText(kRoot, otherCase, "v", "lost"), c.otherCaseBefore);
    EXPECT_EQ(ReadFile(file), before);  // reading changed nothing

    ASSERT_TRUE(Registry(*store).WriteText(kRoot, backup, "MaxMTU", "576"));
    expectEveryValue(Registry(*store));
    EXPECT_EQ(Registry(*store).ReadText(kRoot, umlaut, "lower", "lost"), "a");
    EXPECT_EQ(Registry(*store).ReadText(kRoot, otherCase, "v", "lost"), "lost");
    store.reset();
    // The current format, in write-ahead logging, where reads do not wait
    // for writes, and without the old tables' free pages: no larger than
    // the store made afresh.
    const auto pragma = [](const std::string& of, const char* sql) {
      sqlite3* db = nullptr;
      sqlite3_stmt* statement = nullptr;
      EXPECT_EQ(sqlite3_open_v2(of.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
      sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
      EXPECT_EQ(sqlite3_step(statement), SQLITE_ROW);
      const std::string answer = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
      sqlite3_finalize(statement);
      sqlite3_close(db);
      return answer;
    };
    EXPECT_EQ(pragma(file, "PRAGMA user_version"), "3");
    EXPECT_EQ(pragma(file, "PRAGMA journal_mode"), "wal");
    EXPECT_EQ(pragma(file, "PRAGMA freelist_count"), "0");
    EXPECT_LE(std::stoi(pragma(file, "PRAGMA page_count")),
              std::stoi(pragma(fresh, "PRAGMA page_count")));
    auto reopened = SqliteRegistry::Open(file);
    expectEveryValue(Registry(*reopened));
    EXPECT_EQ(Registry(*reopened).ReadText(kRoot, backup, "MaxMTU", "lost"), "576");
  }
}

// Names that an earlier format told apart and the current one takes as one
// are not made one: the store is not converted, every write fails saying
// which names, and the store stays as it was and readable. Deleting one of
// the two, in the old format, is the way out: the next write converts.
TEST(SqliteRegistryFiles, AnEarlierStoreWhoseNamesWouldBecomeOneStaysAsItWasUntilOneIsDeleted) {
  const struct {
    std::string sql;
    bool values;
    const char* first;
    const char* second;
    const char* kept;  // what the other name's value reads as afterwards
  } cases[] = {
      {std::string(testing::kFormat1Store) + testing::kFormat1Collision, false, "\xC3\xA4rger",
       "\xC3\x84rger", "a"},
      {std::string(testing::kFormat2Store) + testing::kFormat2Collision, true, "\xC3\x89",
       "\xC3\xA9", "capital"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    TempFolder folder;
    const std::string file = folder / "registry.sqlite3";
    RunSql(file, c.sql.c_str());
    const std::string before = ReadFile(file);
    auto store = SqliteRegistry::Open(file);
    const Registry registry(*store);
    EXPECT_EQ(registry.WriteText(kRoot, kTestArea + "\\New", "v", "x").status, kAlreadyExists);
    EXPECT_EQ(registry.WriteNumber(kRoot, kTestArea, "MaxMTU", 1).status, kAlreadyExists);
    const auto collision = store->ConversionCollision();
    ASSERT_TRUE(collision);
    EXPECT_EQ(collision->key, kTestArea);
    EXPECT_EQ(collision->values, c.values);
    EXPECT_EQ(collision->first, c.first);
    EXPECT_EQ(collision->second, c.second);
    EXPECT_EQ(registry.ReadText(kRoot, kTestArea, "MaxMTU", "lost"), "1500");
    store.reset();
    EXPECT_EQ(ReadFile(file), before);

    store = SqliteRegistry::Open(file);
    if (c.values) {
      ASSERT_TRUE(Registry(*store).RemoveValue(kRoot, kTestArea, c.second));
    } else {
      ASSERT_EQ(store->DeleteKey(kRoot, kTestArea + "\\" + c.second), kSuccess);
    }
    EXPECT_FALSE(store->ConversionCollision());
    ASSERT_TRUE(Registry(*store).WriteText(kRoot, kTestArea + "\\New", "v", "x"));
    EXPECT_EQ(c.values ? Registry(*store).ReadText(kRoot, kTestArea, c.second, "lost")
                       : Registry(*store).ReadText(kRoot, kTestArea + "\\" + c.second, "lower",
                                                   "lost"),
              c.kept);
    EXPECT_EQ(Registry(*store).ReadText(kRoot, kTestArea, "", "lost"), "256");
  }
}

TEST(SqliteRegistryFiles, AStoreOfANewerFormatIsRefusedAndLeftAlone) {
  TempFolder folder;
  const std::string file = folder / "registry.sqlite3";
  ASSERT_TRUE(Registry(*SqliteRegistry::Open(file)).WriteText(kRoot, kTestArea, "v", "x"));
  RunSql(file, "PRAGMA user_version = 4;");
  ExpectRefused(file, "newer version");
  ExpectRefused(file, "newer version", OpenMode::ReadOnly);
}

TEST(SqliteRegistryFiles, AFolderThatCannotBeMadeIsReportedWithTheFile) {
  TempFolder folder;
  WriteFile(folder / "plain", "a file, not a folder");
  const std::string file = folder / "plain/registry.sqlite3";
  EXPECT_NE(OpenError(file).find(file), std::string::npos);
}

// Read-only stores.

TEST(SqliteRegistryReadOnly, AReadOnlyStoreAnswersReadsAndFailsWrites) {
  TempFolder folder;
  const std::string file = folder / "registry.sqlite3";
  {
    auto store = SqliteRegistry::Open(file);
    const Registry writer(*store);
    ASSERT_TRUE(writer.WriteText(kRoot, kTestArea, "text", "1500"));
    ASSERT_TRUE(writer.WriteNumber(kRoot, kTestArea, "number", 1));
  }
  const std::string before = ReadFile(file);

  auto store = SqliteRegistry::Open(file, OpenMode::ReadOnly);
  EXPECT_TRUE(store->ReadOnly());
  const Registry registry(*store);
  EXPECT_EQ(registry.ReadText(kRoot, kTestArea, "text", "absent"), "1500");
  EXPECT_EQ(registry.ReadNumber(kRoot, kTestArea, "number", 0), 1);

  EXPECT_FALSE(registry.WriteText(kRoot, kTestArea, "text", "576"));
  EXPECT_FALSE(registry.WriteNumber(kRoot, kTestArea, "number", 0));
  EXPECT_FALSE(registry.WriteText(kRoot, kTestArea + "\\New", "v", "x"));
  EXPECT_FALSE(registry.RemoveValue(kRoot, kTestArea, "text"));
  KeyHandle key = kNoKey;
  EXPECT_EQ(store->CreateKey(kRoot, kTestArea + "\\New", &key), kWriteProtected);

  EXPECT_EQ(registry.ReadText(kRoot, kTestArea, "text", "absent"), "1500");
  store.reset();
  EXPECT_EQ(ReadFile(file), before);
}

TEST(SqliteRegistryReadOnly, AMissingFileOpenedReadOnlyHoldsNothingAndIsNotMade) {
  TempFolder folder;
  auto store = SqliteRegistry::Open(folder / "missing.sqlite3", OpenMode::ReadOnly);
  EXPECT_TRUE(store->ReadOnly());
  EXPECT_EQ(OpenAndClose(*store, kTestArea, false), kNotFound);
  EXPECT_EQ(OpenAndClose(*store, kTestArea, true), kWriteProtected);
  EXPECT_FALSE(std::filesystem::exists(folder / "missing.sqlite3"));
}

TEST(SqliteRegistryFilePermissions, AFileThatCannotBeWrittenOpensForReading) {
  NEEDS_FILE_PERMISSIONS();
  TempFolder folder;
  const std::string file = folder / "registry.sqlite3";
  ASSERT_TRUE(Registry(*SqliteRegistry::Open(file)).WriteText(kRoot, kTestArea, "v", "x"));
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);

  // First in a folder that cannot be written either, where SQLite cannot
  // make the files it reads a store with, then in one that can.
  for (const int folderMode : {0500, 0700}) {
    SCOPED_TRACE(folderMode);
    ASSERT_EQ(chmod(folder.path().c_str(), static_cast<mode_t>(folderMode)), 0);
    auto store = SqliteRegistry::Open(file);
    EXPECT_TRUE(store->ReadOnly());
    EXPECT_EQ(Registry(*store).ReadText(kRoot, kTestArea, "v", "absent"), "x");
    EXPECT_FALSE(Registry(*store).WriteText(kRoot, kTestArea, "v", "y"));
  }
  // Reading it left nothing that keeps a writer from writing once the store
  // can be written again; nor does a "-shm" of the store's mode that an
  // earlier version's read left.
  ASSERT_EQ(chmod(file.c_str(), 0644), 0);
  EXPECT_TRUE(Registry(*SqliteRegistry::Open(file)).WriteText(kRoot, kTestArea, "v", "y"));
  ASSERT_EQ(chmod(file.c_str(), 0444), 0);
  {
    const auto reader = SqliteRegistry::Open(file);
    EXPECT_EQ(Registry(*reader).ReadText(kRoot, kTestArea, "v", "absent"), "y");
    WriteFile(file + "-shm", std::string(32768, '\0'));
    ASSERT_EQ(chmod((file + "-shm").c_str(), 0444), 0);
  }
  ASSERT_EQ(chmod(file.c_str(), 0644), 0);
  EXPECT_TRUE(Registry(*SqliteRegistry::Open(file)).WriteText(kRoot, kTestArea, "v", "z"));
  EXPECT_EQ(Registry(*SqliteRegistry::Open(file)).ReadText(kRoot, kTestArea, "v", "absent"), "z");
}

// Where the store lives.

TEST(PortableRegistryPath, FollowsTheEnvironment) {
  struct Case {
    RegistryEnvironment environment;
    std::optional<std::string> path;
  };
  const Case cases[] = {
      {{"/srv/r.sqlite3", "/xdg", "/home/u"}, "/srv/r.sqlite3"},
      {{"", "/xdg", "/home/u"}, "/xdg/quorvane/registry.sqlite3"},
      {{std::nullopt, "/xdg/", "/home/u"}, "/xdg/quorvane/registry.sqlite3"},
      {{std::nullopt, std::nullopt, "/home/u"}, "/home/u/.local/share/quorvane/registry.sqlite3"},
      {{std::nullopt, "", "/home/u/"}, "/home/u/.local/share/quorvane/registry.sqlite3"},
      {{std::nullopt, "relative/xdg", "/home/u"},
       "/home/u/.local/share/quorvane/registry.sqlite3"},
      {{std::nullopt, "/xdg", std::nullopt}, "/xdg/quorvane/registry.sqlite3"},
      {{std::nullopt, std::nullopt, std::nullopt}, std::nullopt},
      {{std::nullopt, "relative", ""}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PortableRegistryPath(c.environment), c.path)
        << c.environment.quorvaneRegistry.value_or("(unset)") << " | "
        << c.environment.xdgDataHome.value_or("(unset)") << " | "
        << c.environment.home.value_or("(unset)");
  }
}

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedVariable() { Set(old_); }

 private:
  void Set(const std::optional<std::string>& value) {
    value ? setenv(name_, value->c_str(), 1) : unsetenv(name_);
  }
  const char* name_;
  std::optional<std::string> old_;
};

TEST(PortableRegistryPath, TheProgramsRegistryIsMadeWhereTheEnvironmentSays) {
  TempFolder folder;
  {
    ScopedVariable registry("QUORVANE_REGISTRY", std::nullopt);
    ScopedVariable dataHome("XDG_DATA_HOME", folder / "data");
    auto backend = OpenPlatformRegistry();
    EXPECT_TRUE(Registry(*backend).WriteText(kRoot, kTestArea, "v", "x"));
  }
  EXPECT_EQ(ModeOf(folder / "data/quorvane"), 0700);
  EXPECT_EQ(ModeOf(folder / "data/quorvane/registry.sqlite3"), 0600);

  ScopedVariable registry("QUORVANE_REGISTRY", folder / "named.sqlite3");
  EXPECT_TRUE(Registry(*OpenPlatformRegistry()).WriteText(kRoot, kTestArea, "v", "x"));
  EXPECT_TRUE(std::filesystem::exists(folder / "named.sqlite3"));
}

TEST(PortableRegistryPath, ExistingFoldersKeepTheirMode) {
  TempFolder folder;
  ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);
  EXPECT_EQ(CreatePrivateFolders(folder / "a/b"), 0);
  EXPECT_EQ(ModeOf(folder.path()), 0755);
  EXPECT_EQ(ModeOf(folder / "a"), 0700);
  EXPECT_EQ(CreatePrivateFolders(folder / "a/b"), 0);  // already there
}

}  // namespace
}  // namespace quorvane::store
