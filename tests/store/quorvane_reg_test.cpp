// quorvane-reg: its command lines, and the built tool run on a store of its
// own, checked by what it prints and its exit codes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>
#include <sys/mount.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/quick_optimise.h"
#include "engine/show_settings.h"
#include "store/platform_registry.h"
#include "store/registry.h"
#include "store/sqlite_registry.h"
#include "tests/store/child_process.h"
#include "tests/store/older_stores.h"
#include "tests/support/temp_folder.h"
#include "tools/reg_arguments.h"
#include "tools/reg_commands.h"
#include "tools/reg_file.h"
#include "tools/reg_preset.h"
#include "tools/reg_run.h"
#include "tools/reg_texts.h"
#include "tools/reg_transfer.h"
#include "tools/utf16.h"

extern char** environ;

namespace quorvane::tools {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

// Command lines.

RegParse Parse(std::vector<std::string> args) { return ParseRegArguments(args); }

TEST(RegArguments, ReadsWhatEachOperationTakes) {
  const RegParse add = Parse({"ADD", "hklm\\Software\\Test\\", "-V", "MaxMTU", "/D", "1500", "/f"});
  ASSERT_EQ(add.outcome, RegParse::Outcome::Run) << add.message;
  EXPECT_EQ(add.command.operation, RegOperation::Add);
  EXPECT_EQ(add.command.keyName, "HKEY_LOCAL_MACHINE\\Software\\Test");
  EXPECT_EQ(add.command.path, "Software\\Test\\");
  EXPECT_EQ(add.command.valueName, "MaxMTU");
  EXPECT_EQ(add.command.type, store::kTypeText);
  EXPECT_EQ(add.command.data, (std::vector<std::uint8_t>{'1', '5', '0', '0'}));
  EXPECT_TRUE(add.command.force);

  const RegParse number =
      Parse({"add", "HKEY_LOCAL_MACHINE\\T", "/ve", "/t", "reg_dword", "/d", "0xFFFFFFFE"});
  ASSERT_EQ(number.outcome, RegParse::Outcome::Run) << number.message;
  EXPECT_EQ(number.command.valueName, "");
  EXPECT_EQ(number.command.data, (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_FALSE(number.command.force);

  // Without a name add sets the default value, to an empty REG_SZ without
  // data; the big-endian REG_DWORD is stored low byte first, as Windows does.
  EXPECT_EQ(Parse({"add", "HKLM\\T", "/d", "x"}).command.valueName, "");
  EXPECT_EQ(Parse({"add", "HKLM\\T"}).command.valueName, "");
  EXPECT_EQ(Parse({"add", "HKLM\\T", "/t", "REG_DWORD_BIG_ENDIAN", "/d", "0x102"}).command.data,
            (std::vector<std::uint8_t>{2, 1, 0, 0}));
  EXPECT_EQ(Parse({"add", "HKLM\\T", "/t", "REG_QWORD", "/d", "-2"}).command.data,
            (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Parse({"add", "HKLM\\T", "/t", "REG_MULTI_SZ", "/s", "#", "/d", "#"}).command.data,
            (std::vector<std::uint8_t>{0, 0}));
  EXPECT_EQ(Parse({"query", "HKLM"}).command.keyName, "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(Parse({"delete", "HKLM\\T", "/ve", "/f"}).outcome, RegParse::Outcome::Run);
  EXPECT_EQ(Parse({"query", "/?"}).outcome, RegParse::Outcome::Help);
  const RegParse copy = Parse({"copy", "HKLM\\A\\", "hklm\\B", "/S", "/f"});
  EXPECT_EQ(copy.command.secondKeyName, "HKEY_LOCAL_MACHINE\\B");
  EXPECT_TRUE(copy.command.recurse && copy.command.force);
  // The portable registry's one view is both the 32- and the 64-bit one.
  EXPECT_EQ(Parse({"query", "HKLM\\T", "/REG:32"}).outcome, RegParse::Outcome::Run);
  EXPECT_EQ(Parse({"add", "HKLM\\T", "/reg:64", "/f"}).outcome, RegParse::Outcome::Run);
}

TEST(RegArguments, DwordsAreDecimalOrHexAndFitIn32Bits) {
  const struct {
    const char* data;  // null: no /d
    bool valid;
    const char* type = "REG_DWORD";
  } cases[] = {
      {"0", true},           {"4294967295", true}, {"0xffffffff", true}, {"0X1a", true},
      {"4294967296", false}, {"0x100000000", false}, {"-1", false},      {"0x", false},
      {"12a", false},        {" 1", false},        {"", false},          {"1.5", false},
      {"0123", true},        {"00x1", false},      {nullptr, false},
      {"5", true, "reg_dword_little_endian"},      {nullptr, false, "REG_DWORD_BIG_ENDIAN"},
      // A REG_QWORD's decimal may be negative, its two's complement.
      {"-1", true, "REG_QWORD"}, {"-0x1", false, "REG_QWORD"}, {nullptr, true, "REG_QWORD"},
      {"-18446744073709551616", false, "REG_QWORD"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"add", "HKLM\\T", "/v", "n", "/t", c.type};
    if (c.data != nullptr) args.insert(args.end(), {"/d", c.data});
    const RegParse parse = Parse(args);
    EXPECT_EQ(parse.outcome == RegParse::Outcome::Run, c.valid)
        << c.type << " \"" << (c.data != nullptr ? c.data : "(none)") << '"';
  }
}

// Every command of the table by its name in any letter case, one row each;
// preset among them, parsed as the others are.
TEST(RegArguments, TheTableNamesEachCommandOnceAndPresetIsOneOfThem) {
  for (const CommandRow& row : Commands()) {
    std::string upper = row.name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(CommandNamed(upper), &row) << row.name;
  }
  const RegParse preset = Parse({"Preset", "Cable Modem", "/tmp/cable.reg", "-Y"});
  ASSERT_EQ(preset.outcome, RegParse::Outcome::Run) << preset.message;
  EXPECT_EQ(preset.command.operation, RegOperation::Preset);
  EXPECT_EQ(preset.command.connection, "Cable Modem");
  EXPECT_EQ(preset.command.file, "/tmp/cable.reg");
  EXPECT_TRUE(preset.command.force);
  EXPECT_EQ(Parse({"preset", "Modem", "m.reg", "/reg:32"}).outcome, RegParse::Outcome::Error);
}

// Registry files, apart from any store.

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A file's lines as text, its byte-order mark and UTF-16 undone.
std::string TextOf(const std::string& file) {
  EXPECT_EQ(file.substr(0, 2), "\xFF\xFE");
  return Utf8Of(FromLittleEndian(Bytes(file.substr(2))));
}

// A file in the given encoding: UTF-16 with its mark, or as it is.
std::string FileOf(const std::string& text, bool wide = true) {
  if (!wide) return text;
  const auto bytes = LittleEndianBytes(Utf16Of(text));
  return "\xFF\xFE" + std::string(bytes.begin(), bytes.end());
}

constexpr const char* kHeader = "Windows Registry Editor Version 5.00\r\n";

TEST(RegFile, WritesEachTypeAsRegExeAndReadsItBack) {
  const std::string thirty(30, '\0');
  const struct {
    RegFileValue value;
    std::string line;
  } cases[] = {
      {{"", false, 1, Bytes("64")}, "@=\"64\""},
      {{"a\"b\\c", false, 1, Bytes("x\ny")}, "\"a\\\"b\\\\c\"=\"x\\ny\""},
      // A carriage return is escaped as reg.exe escapes it, in names too; a
      // text goes in quotes without the NUL that ends it, and one holding
      // another NUL, which quotes cannot, as its bytes.
      {{"c\r", false, 1, Bytes("a\rb")}, "\"c\\r\"=\"a\\rb\""},
      {{"t", false, 1, Bytes(std::string("1500\0", 5))}, "\"t\"=\"1500\""},
      {{"z", false, 1, Bytes(std::string("a\0b\0", 4))}, "\"z\"=hex(1):61,00,00,00,62,00,00,00"},
      {{"d", false, 1, Bytes(std::string("a\0\0", 3))}, "\"d\"=hex(1):61,00,00,00,00,00"},
      {{"é", false, 1, {}}, "\"é\"=\"\""},
      {{"n", false, 4, {0x0a, 0, 0, 0x80}}, "\"n\"=dword:8000000a"},
      {{"n", false, 4, {1, 2}}, "\"n\"=hex(4):01,02"},
      {{"q", false, 11, {0xf0, 0xde, 0xbc, 0x9a, 0x78, 0x56, 0x34, 0x12}},
       "\"q\"=hex(b):f0,de,bc,9a,78,56,34,12"},
      {{"e", false, 2, Bytes(std::string("%A%\0", 4))}, "\"e\"=hex(2):25,00,41,00,25,00,00,00"},
      {{"m", false, 7, Bytes(std::string("a\0é\0\0", 6))},
       "\"m\"=hex(7):61,00,00,00,e9,00,00,00,00,00"},
      {{"b", false, 3, {}}, "\"b\"=hex:"},
      {{"none", false, 0, {0x78, 0}}, "\"none\"=hex(0):78,00"},
      {{"z", false, 0x12345678, {1}}, "\"z\"=hex(12345678):01"},
      // Folded once a line has reached 77 characters.
      {{"l", false, 3, Bytes(thirty)}, "\"l\"=hex:" + [] {
         std::string bytes;
         for (int i = 0; i < 23; ++i) bytes += "00,";
         return bytes + "\\\r\n  00,00,00,00,00,00,00";
       }()},
  };
  for (const auto& c : cases) {
    const std::string file = WriteRegFile({{"Software\\T", false, {c.value}, 0}});
    EXPECT_EQ(TextOf(file), std::string(kHeader) + "\r\n[HKEY_LOCAL_MACHINE\\Software\\T]\r\n" +
                                c.line + "\r\n\r\n");
    const RegFileRead read = ReadRegFile(file);
    ASSERT_EQ(read.outcome, RegFileRead::Outcome::Read) << c.line;
    ASSERT_EQ(read.keys.size(), 1u);
    EXPECT_EQ(read.keys[0].path, "Software\\T");
    ASSERT_EQ(read.keys[0].values.size(), 1u);
    EXPECT_EQ(read.keys[0].values[0].name, c.value.name);
    EXPECT_EQ(read.keys[0].values[0].type, c.value.type) << c.line;
    EXPECT_EQ(StoredData(c.value.type, read.keys[0].values[0].data),
              StoredData(c.value.type, c.value.data)) << c.line;
  }
  // Deletions, and names in reg.exe's order: by lower case.
  EXPECT_EQ(TextOf(WriteRegFile({{"A", true, {}, 0}, {"B", false, {{"v", true, 1, {}, 0}}, 0}})),
            std::string(kHeader) + "\r\n[-HKEY_LOCAL_MACHINE\\A]\r\n\r\n[HKEY_LOCAL_MACHINE\\B]\r\n"
                                   "\"v\"=-\r\n\r\n");
  EXPECT_TRUE(RegExeOrder("_a", "a") && RegExeOrder("a", "B") && RegExeOrder("Zz", "é") &&
              RegExeOrder("ß", "é") && !RegExeOrder("É", "é"));
  // By the registry's own pairs: dotless ı and title-case ǅ have no lower
  // case of their own, so they sort as themselves.
  EXPECT_TRUE(RegExeOrder("I", "\xC4\xB1") && RegExeOrder("\xC7\x85", "\xC7\x84") &&
              !RegExeOrder("\xC7\x84", "\xC7\x86") && !RegExeOrder("\xC7\x86", "\xC7\x84"));
  // A key whose name a line would end at cannot be written.
  EXPECT_EQ(UnwritableKey({{"A", false, {}, 0}, {"B\nC", false, {}, 0}})->path, "B\nC");
}

TEST(RegFile, ReadsBothFormatsAndStopsAtTheFirstBadLine) {
  using Outcome = RegFileRead::Outcome;
  const std::string key = "[HKEY_LOCAL_MACHINE\\A]\r\n\"a\"=\"1\"\r\n";
  // UTF-16 as Windows keeps it, unpaired surrogates too.
  const auto units = [](std::u16string_view text) {
    const auto bytes = LittleEndianBytes(text);
    return "\xFF\xFE" + std::string(bytes.begin(), bytes.end());
  };
  const std::u16string header = u"Windows Registry Editor Version 5.00\r\n[HKLM\\A]\r\n";
  const struct {
    std::string file;
    Outcome outcome;
    std::size_t badLine;   // or the lines read: keys, values of the last key
    std::size_t keys, values;
    RegFileRead::Fault fault = RegFileRead::Fault::Syntax;
  } cases[] = {
      {FileOf(""), Outcome::NotRegistryFile, 0, 0, 0},
      {FileOf("hello\r\n" + key), Outcome::NotRegistryFile, 0, 0, 0},
      {"\x7F" "ELF\x02\x01", Outcome::NotRegistryFile, 0, 0, 0},
      {FileOf(std::string(kHeader) + "\r\n; a comment\r\n  " + key + "\r\n[-HKLM\\B]\r\n"
              "\"ignored\"=\"below a deleted key\"\r\n[hklm\\C\\]\r\n\"x\"=-\r\n"
              "\"h\"=hex:01,\\\r\n  02 ; folded\r\n"),
       Outcome::Read, 0, 3, 2},
      {FileOf(std::string(kHeader) + key + "\"b\"=garbage\r\n\"c\"=\"3\"\r\n"), Outcome::BadLine,
       4, 1, 1},
      {FileOf(std::string(kHeader) + key + "\"b\"=\"unterminated\r\n"), Outcome::BadLine, 4, 1, 1},
      {FileOf(std::string(kHeader) + key + "\"b\"=dword:123456789\r\n"), Outcome::BadLine, 4, 1, 1},
      {FileOf(std::string(kHeader) + key + "\"b\"=dword:\r\n"), Outcome::BadLine, 4, 1, 1},
      {FileOf(std::string(kHeader) + key + "\"b\"=hex:01,1g\r\n"), Outcome::BadLine, 4, 1, 1},
      {FileOf(std::string(kHeader) + key + "\"b\"=hex(x):01\r\n"), Outcome::BadLine, 4, 1, 1},
      {FileOf(std::string(kHeader) + key + "\"b\"=hex:01,\\\r\n"), Outcome::BadLine, 4, 1, 1},
      {FileOf(std::string(kHeader) + "\"a\"=\"before any key\"\r\n"), Outcome::BadLine, 2, 0, 0},
      {FileOf(std::string(kHeader) + key + "[HKEY_CURRENT_USER\\A]\r\n"), Outcome::BadLine, 4, 1, 1},
      {FileOf(std::string(kHeader) + key + "[HKLM\\A\r\n"), Outcome::BadLine, 4, 1, 1},
      {FileOf(std::string(kHeader) + key + "\"b\"\r\n"), Outcome::BadLine, 4, 1, 1},
      // reg.exe reads no \0 in quotes, in data or in a name.
      {FileOf(std::string(kHeader) + key + "\"b\"=\"x\\0y\"\r\n"), Outcome::BadLine, 4, 1, 1},
      {FileOf(std::string(kHeader) + key + "\"b\\0\"=\"x\"\r\n"), Outcome::BadLine, 4, 1, 1},
      // Names that are not text would become one another's: "a" and U+FFFD.
      {units(header + u"\"a\xD800\"=\"first\"\r\n\"a\xD801\"=\"second\"\r\n"),
       Outcome::BadLine, 3, 1, 0, RegFileRead::Fault::NameNotText},
      {units(header + u"\"a\"=\"1\"\r\n[HKLM\\k\xDBFF]\r\n"), Outcome::BadLine, 4, 1, 1,
       RegFileRead::Fault::NameNotText},
      {units(header + u"\"\xDC00\\\xD800\"=\"1\"\r\n"), Outcome::BadLine, 3, 1, 0,
       RegFileRead::Fault::NameNotText},
      {"\xEF\xBB\xBFREGEDIT4\n[HKLM\\A]\n\"a\xFF\"=\"1\"\n", Outcome::BadLine, 3, 1, 0,
       RegFileRead::Fault::NameNotText},
      // In data they are U+FFFD, as in any text that is not valid; U+FFFD
      // itself is a name of its own.
      {units(header + u"\"a\"=\"\xD800\"\r\n@=hex(1):00,d8,00,00\r\n\"\xFFFD\"=\"\"\r\n"),
       Outcome::Read, 0, 1, 3},
  };
  for (const auto& c : cases) {
    const RegFileRead read = ReadRegFile(c.file);
    EXPECT_EQ(read.outcome, c.outcome) << c.file;
    EXPECT_EQ(read.badLine, c.badLine) << c.file;
    EXPECT_EQ(read.fault, c.fault) << c.file;
    ASSERT_EQ(read.keys.size(), c.keys) << c.file;
    if (c.keys > 0) {
      EXPECT_EQ(read.keys.back().values.size(), c.values) << c.file;
    }
  }

  // REGEDIT4 holds its text types in 8 bits, the newer format in UTF-16.
  const auto data = [](const std::string& file) {
    const RegFileRead read = ReadRegFile(file);
    EXPECT_EQ(read.outcome, RegFileRead::Outcome::Read);
    std::vector<std::vector<std::uint8_t>> found;
    for (const auto& value : read.keys.at(0).values) found.push_back(value.data);
    return found;
  };
  const std::vector<std::vector<std::uint8_t>> expected{
      Bytes("x\\y"), Bytes(std::string("ab\0", 3)), Bytes(std::string("a\0b\0\0", 5)), {10, 0, 0, 0}};
  EXPECT_EQ(data("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"x\\\\y\"\n\"b\"=hex(2):61,62,00\n"
                 "\"c\"=hex(7):61,00,62,00,00\n\"d\"=dword:0000000a\n"),
            expected);
  EXPECT_EQ(data(FileOf(std::string(kHeader) + "[HKLM\\A]\r\n\"a\"=\"x\\\\y\"\r\n"
                        "\"b\"=hex(2):61,00,62,00,00,00\r\n"
                        "\"c\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n\"d\"=dword:a\r\n")),
            expected);

  // REGEDIT4's 8-bit text is Windows-1252, names and quotes and hex(2) and
  // hex(7) alike, also in a REGEDIT4 file saved as UTF-16; after a UTF-8
  // byte-order mark it is UTF-8, and what is not valid there is U+FFFD.
  const std::string regedit4 = "REGEDIT4\r\n[HKEY_LOCAL_MACHINE\\M\xFCller]\r\n"
                               "\"Stra\xDF" "e\"=\"Caf\xE9 \x80\"\r\n\"e\"=hex(2):4d,fc,00\r\n"
                               "\"m\"=hex(7):e9,00,80,00,00\r\n";
  for (const std::string& file : {regedit4, FileOf(Utf8OfWindows1252(regedit4))}) {
    const RegFileRead read = ReadRegFile(file);
    ASSERT_EQ(read.keys.size(), 1u);
    EXPECT_EQ(read.keys[0].path, "M\xC3\xBCller");
    ASSERT_EQ(read.keys[0].values.size(), 3u);
    EXPECT_EQ(read.keys[0].values[0].name, "Stra\xC3\x9F" "e");
    EXPECT_EQ(read.keys[0].values[0].data, Bytes("Caf\xC3\xA9 \xE2\x82\xAC"));
    EXPECT_EQ(read.keys[0].values[1].data, Bytes(std::string("M\xC3\xBC\0", 4)));
    EXPECT_EQ(read.keys[0].values[2].data, Bytes(std::string("\xC3\xA9\0\xE2\x82\xAC\0\0", 8)));
  }
  EXPECT_EQ(data("\xEF\xBB\xBFREGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"a\"=\"\xC3\xBC\xFC\"\n"),
            (std::vector<std::vector<std::uint8_t>>{Bytes("\xC3\xBC\xEF\xBF\xBD")}));

  // An escape that reg.exe does not know loses its backslash and is told;
  // one on a line that is not read is not.
  const RegFileRead unknown = ReadRegFile(FileOf(
      std::string(kHeader) + "[HKLM\\A]\r\n\"\\t\"=\"a\\tb\\\xC3\xA9\"\r\n\"c\"=\"\\q\r\n"));
  EXPECT_EQ(unknown.badLine, 4u);
  ASSERT_EQ(unknown.keys.at(0).values.size(), 1u);
  EXPECT_EQ(unknown.keys[0].values[0].name, "t");
  EXPECT_EQ(unknown.keys[0].values[0].data, Bytes("atb\xC3\xA9"));
  ASSERT_EQ(unknown.unknownEscapes.size(), 3u);
  EXPECT_EQ(unknown.unknownEscapes[2].line, 3u);
  EXPECT_EQ(unknown.unknownEscapes[2].character, "\xC3\xA9");
}

class NoQuestions final : public engine::Questions {
 public:
  engine::Answer Ask(engine::Question) override { return engine::Answer::No; }
};

TEST(RegFile, APresetFileImportsAsOptimiseWrites) {
  TempFolder folder;
  for (const char* type : engine::kConnectionTypes) {
    const auto optimised = store::SqliteRegistry::Open(folder / (std::string(type) + "-o"));
    NoQuestions questions;
    EXPECT_TRUE(engine::QuickOptimise(store::Registry(*optimised), questions, type).Optimised());

    const std::string file = folder / (std::string(type) + ".reg");
    WriteFile(file, WriteRegFile(*PresetKeys(type)));
    const auto imported = store::SqliteRegistry::Open(folder / (std::string(type) + "-i"));
    RegCommand import;
    import.file = file;
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(RunImport({import, imported.get(), in, out, err}), 0) << err.str();

    std::vector<RegFileKey> fromOptimise, fromFile;
    ASSERT_EQ(ReadSubtree(*optimised, "SYSTEM", &fromOptimise), store::kSuccess);
    ASSERT_EQ(ReadSubtree(*imported, "SYSTEM", &fromFile), store::kSuccess);
    EXPECT_EQ(WriteRegFile(fromFile), WriteRegFile(fromOptimise)) << type;
  }
  EXPECT_FALSE(PresetKeys("cable modem"));  // exactly the list's names
}

// The built tool.

struct Outcome {
  int code = -1;
  std::string out, err;
};

class QuorvaneRegTool : public ::testing::Test {
 protected:
  QuorvaneRegTool() { std::filesystem::create_directory(place()); }

  // The store's folder, and nothing else in it.
  std::string place() const { return folder_ / "reg"; }
  std::string store() const { return place() + "/" + name_; }

  // Every entry of the store's folder with its size and the hash of what it
  // holds (a link: where it points), to see that a command changed none.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(place())) {
      const std::string name = entry.path().filename();
      if (entry.is_symlink()) {
        entries[name] = "-> " + std::filesystem::read_symlink(entry.path()).string();
      } else if (!name.ends_with("-shm")) {  // SQLite's scratch memory
        const std::string bytes = ReadFile(entry.path());
        entries[name] = std::to_string(bytes.size()) + " bytes, hash " +
                        std::to_string(std::hash<std::string>()(bytes));
      }
    }
    return entries;
  }

  // Runs quorvane-reg with args on store(), input given on standard input.
  Outcome Run(std::vector<std::string> args, const std::string& input = "",
              const std::string& output = "") {
    WriteFile(folder_ / "in", input);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, (folder_ / "in").c_str(), O_RDONLY, 0);
    const std::string out = output.empty() ? folder_ / "out" : output;
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, (folder_ / "err").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> environment{"QUORVANE_REGISTRY=" + store()};
    for (char** variable = environ; *variable != nullptr; ++variable) {
      if (std::strncmp(*variable, "QUORVANE_REGISTRY=", 18) != 0) environment.push_back(*variable);
    }
    args.insert(args.begin(), kTool);
    std::vector<char*> argv, envp;
    for (std::string& arg : args) argv.push_back(arg.data());
    for (std::string& variable : environment) envp.push_back(variable.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    Outcome outcome;
    pid_t pid = -1;
    if (posix_spawn(&pid, kTool, &actions, nullptr, argv.data(), envp.data()) == 0) {
      int status = 0;
      waitpid(pid, &status, 0);
      outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    outcome.out = ReadFile(folder_ / "out");
    outcome.err = ReadFile(folder_ / "err");
    return outcome;
  }

  void ExpectSuccess(const Outcome& outcome, const std::string& out) {
    EXPECT_EQ(outcome.code, 0);
    EXPECT_EQ(outcome.out, out);
    EXPECT_EQ(outcome.err, "");
  }

  static constexpr const char* kTool = QUORVANE_REG_TOOL;
  static constexpr const char* kDone = "The operation completed successfully.\n";
  static constexpr const char* kNotFound =
      "ERROR: The system was unable to find the specified registry key or value.\n";
  TempFolder folder_;
  std::string name_ = "registry.sqlite3";  // the store's file in place()
};

TEST_F(QuorvaneRegTool, AddsQueriesAndDeletes) {
  ExpectSuccess(Run({"add", "HKLM\\Software\\Test", "/v", "MaxMTU", "/d", "1500"}), kDone);
  ExpectSuccess(Run({"add", "HKEY_LOCAL_MACHINE\\Software\\Test\\", "/v", "DisableTaskOffload",
                     "/t", "REG_DWORD", "/d", "1", "/f"}),
                kDone);
  ExpectSuccess(Run({"add", "HKLM\\Software\\Test\\Sub"}), kDone);
  ExpectSuccess(Run({"add", "HKLM\\Software\\Test", "/ve", "/d", "256"}), kDone);

  ExpectSuccess(Run({"query", "HKLM\\Software\\Test", "/v", "MaxMTU"}),
                "\nHKEY_LOCAL_MACHINE\\Software\\Test\n    MaxMTU    REG_SZ    1500\n\n");
  ExpectSuccess(Run({"query", "hklm\\Software\\Test"}),
                "\nHKEY_LOCAL_MACHINE\\Software\\Test\n"
                "    (Default)    REG_SZ    256\n"
                "    DisableTaskOffload    REG_DWORD    0x1\n"
                "    MaxMTU    REG_SZ    1500\n"
                "\n"
                "HKEY_LOCAL_MACHINE\\Software\\Test\\Sub\n");
  // add KEY alone gives the key an empty default value, as reg.exe does.
  const std::string sub = "\nHKEY_LOCAL_MACHINE\\Software\\Test\\Sub\n    (Default)    REG_SZ    ";
  ExpectSuccess(Run({"query", "HKLM\\Software\\Test\\Sub", "/ve"}), sub + "\n\n");
  ExpectSuccess(Run({"delete", "HKLM\\Software\\Test\\Sub", "/ve", "/f"}), kDone);
  ExpectSuccess(Run({"query", "HKLM\\Software\\Test\\Sub", "/ve"}), sub + "(value not set)\n\n");
  // A key without values starts no block of its own, whatever follows it.
  for (const char* key : {"HKLM\\Software", "HKLM\\Software\\"}) {
    ExpectSuccess(Run({"query", key, "/s"}),
                  "\nHKEY_LOCAL_MACHINE\\Software\\Test\n"
                  "    (Default)    REG_SZ    256\n"
                  "    DisableTaskOffload    REG_DWORD    0x1\n"
                  "    MaxMTU    REG_SZ    1500\n"
                  "\nHKEY_LOCAL_MACHINE\\Software\\Test\\Sub\n\n");
  }

  ExpectSuccess(Run({"delete", "HKLM\\Software\\Test", "/v", "maxmtu", "/f"}), kDone);
  const Outcome gone = Run({"query", "HKLM\\Software\\Test", "/v", "MaxMTU"});
  EXPECT_EQ(gone.code, 1);
  EXPECT_EQ(gone.out, "");
  EXPECT_EQ(gone.err, kNotFound);
  EXPECT_EQ(Run({"delete", "HKLM\\Software\\Test", "/v", "MaxMTU", "/f"}).err, kNotFound);

  // All of a key's own values, then the key with what is below it.
  ExpectSuccess(Run({"delete", "HKLM\\Software\\Test", "/va", "/f"}), kDone);
  ExpectSuccess(Run({"query", "HKLM\\Software\\Test"}),
                "\nHKEY_LOCAL_MACHINE\\Software\\Test\\Sub\n");
  ExpectSuccess(Run({"delete", "HKLM\\Software\\Test\\", "/f"}), kDone);
  EXPECT_EQ(Run({"query", "HKLM\\Software\\Test\\Sub"}).err, kNotFound);
  EXPECT_EQ(Run({"delete", "HKLM", "/f"}).err, "ERROR: Access is denied.\n");
}

TEST_F(QuorvaneRegTool, EachCommandShowsItsHelpAndOpensNoStore) {
  for (const CommandRow& row : Commands()) {
    for (const char* help : {"/?", "/h", "-H"}) ExpectSuccess(Run({row.name, help}), HelpOf(row));
  }
  ExpectSuccess(Run({"/?"}), Usage());
  ExpectSuccess(Run({"-h"}), Usage());
  EXPECT_FALSE(std::filesystem::exists(store()));
}

TEST_F(QuorvaneRegTool, AsksBeforeOverwritingOrDeleting) {
  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "MaxMTU", "/d", "1500"}), kDone);
  const std::string query = "\nHKEY_LOCAL_MACHINE\\T\n    MaxMTU    REG_SZ    ";
  const std::string overwrite = "Value MaxMTU exists, overwrite(Yes/No)? ";
  const std::string cancelled = "The operation was canceled by the user.\n";

  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "MaxMTU", "/d", "576"}, "n\n"),
                overwrite + cancelled);
  ExpectSuccess(Run({"query", "HKLM\\T", "/v", "MaxMTU"}), query + "1500\n\n");
  // An answer that is neither yes nor no is asked again.
  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "MaxMTU", "/d", "576"}, "maybe\nYes\n"),
                overwrite + overwrite + kDone);
  ExpectSuccess(Run({"query", "HKLM\\T", "/v", "MaxMTU"}), query + "576\n\n");

  const std::string remove = "Delete the registry value MaxMTU (Yes/No)? ";
  ExpectSuccess(Run({"delete", "HKLM\\T", "/v", "MaxMTU"}, ""), remove + "\n" + cancelled);
  ExpectSuccess(Run({"delete", "HKLM\\T", "/v", "MaxMTU"}, "no\n"), remove + cancelled);
  ExpectSuccess(Run({"query", "HKLM\\T", "/v", "MaxMTU"}), query + "576\n\n");
  ExpectSuccess(Run({"delete", "HKLM\\T", "/v", "MaxMTU"}, "y\n"), remove + kDone);
  ExpectSuccess(Run({"delete", "HKLM\\T", "/va"}, "n\n"),
                "Delete all values under the registry key HKEY_LOCAL_MACHINE\\T (Yes/No)? " +
                    cancelled);
  // Without a value, the key and all below it.
  const std::string removeKey =
      "Permanently delete the registry key HKEY_LOCAL_MACHINE\\T (Yes/No)? ";
  ExpectSuccess(Run({"add", "HKLM\\T\\Sub", "/v", "v", "/d", "x", "/f"}), kDone);
  ExpectSuccess(Run({"delete", "hklm\\T"}, "n\n"), removeKey + cancelled);
  ExpectSuccess(Run({"delete", "HKLM\\T"}, "y\n"), removeKey + kDone);
  EXPECT_EQ(Run({"query", "HKLM\\T\\Sub"}).err, kNotFound);
  // copy asks before each value that it would replace.
  ExpectSuccess(Run({"add", "HKLM\\T", "/f"}), kDone);
  ExpectSuccess(Run({"copy", "HKLM\\T", "HKLM\\U"}), kDone);
  ExpectSuccess(Run({"copy", "HKLM\\T", "HKLM\\U"}, "n\n"),
                "Value (Default) exists, overwrite(Yes/No)? " + std::string(kDone));
}

TEST_F(QuorvaneRegTool, EveryTypeIsAddedQueriedExportedAndImported) {
  const struct {
    std::vector<std::string> add;  // after KEY /v NAME
    std::string shown;
  } cases[] = {
      {{"/t", "REG_EXPAND_SZ", "/d", "%PATH%x"}, "REG_EXPAND_SZ    %PATH%x"},
      {{"/t", "REG_MULTI_SZ", "/d", "one\\0two"}, "REG_MULTI_SZ    one\\0two"},
      {{"/t", "REG_MULTI_SZ", "/s", "#", "/d", "a#b"}, "REG_MULTI_SZ    a\\0b"},
      {{"/t", "REG_QWORD", "/d", "0x123456789abcdef0"}, "REG_QWORD    0x123456789abcdef0"},
      {{"/t", "REG_BINARY", "/d", "00ff1"}, "REG_BINARY    000FF1"},  // a 0 leads
      {{"/t", "REG_NONE", "/d", "xy"}, "REG_NONE    780079000000"},
      {{"/t", "REG_BINARY"}, "REG_BINARY    "},
      {{"/t", "REG_MULTI_SZ", "/s", "#", "/d", "a#"}, "REG_MULTI_SZ    a"},  // one text
      {{"/t", "REG_MULTI_SZ", "/d", "\\0"}, "REG_MULTI_SZ    "},  // one empty text
      {{"/t", "REG_QWORD", "/d", "-1"}, "REG_QWORD    0xffffffffffffffff"},
      {{"/t", "REG_DWORD_BIG_ENDIAN", "/d", "0x10"}, "REG_DWORD_BIG_ENDIAN    0x10"},
  };
  std::string shown = "\nHKEY_LOCAL_MACHINE\\T\n";
  int index = 0;
  for (const auto& c : cases) {
    const std::string name = std::string("v") + static_cast<char>('a' + index++);
    std::vector<std::string> args{"add", "HKLM\\T", "/v", name};
    args.insert(args.end(), c.add.begin(), c.add.end());
    ExpectSuccess(Run(args), kDone);
    shown += "    " + name + "    " + c.shown + "\n";
  }
  ExpectSuccess(Run({"add", "HKLM\\T\\Sub\\Deeper", "/v", "x", "/d", "y"}), kDone);
  const std::string tree = shown + "\nHKEY_LOCAL_MACHINE\\T\\Sub\n"
                                   "\nHKEY_LOCAL_MACHINE\\T\\Sub\\Deeper\n    x    REG_SZ    y\n\n";
  ExpectSuccess(Run({"query", "HKLM\\T", "/s"}), tree);

  const std::string file = folder_ / "t.reg";
  ExpectSuccess(Run({"export", "HKLM\\T", file}), kDone);
  // Told No, export and preset keep the file and exit 0, as reg export does.
  for (const std::vector<std::string>& asked :
       {std::vector<std::string>{"export", "HKLM\\T", file}, {"preset", "Modem", file}}) {
    ExpectSuccess(Run(asked, "n\n"), "File " + file + " already exists. Overwrite (Yes/No)? "
                                      "The operation was canceled by the user.\n");
  }
  name_ = "other.sqlite3";
  ExpectSuccess(Run({"import", file}), kDone);
  ExpectSuccess(Run({"query", "HKLM\\T", "/s"}), tree);
  ExpectSuccess(Run({"export", "hklm\\T", folder_ / "again.reg", "/y"}), kDone);
  EXPECT_EQ(ReadFile(folder_ / "again.reg"), ReadFile(file));

  // Deletions: a whole subtree, and a value.
  WriteFile(folder_ / "delete.reg", FileOf(std::string(kHeader) + "[-HKLM\\T\\Sub]\r\n"
                                          "[HKLM\\T]\r\n\"va\"=-\r\n\"absent\"=-\r\n"));
  ExpectSuccess(Run({"import", folder_ / "delete.reg"}), kDone);
  EXPECT_EQ(Run({"query", "HKLM\\T\\Sub\\Deeper"}).err, kNotFound);
  EXPECT_EQ(Run({"query", "HKLM\\T", "/v", "va"}).err, kNotFound);
  EXPECT_EQ(Run({"query", "HKLM\\T", "/v", "vb"}).code, 0);
}

// compare and query's searches and filters, which Wine's reg.exe lacks, in
// the cases of Microsoft's reference of reg.
TEST_F(QuorvaneRegTool, ComparesAndSearchesAsRegExe) {
  WriteFile(folder_ / "keys.reg",
            FileOf(std::string(kHeader) +
                   "[HKLM\\A]\r\n\"Name\"=\"Quorvane\"\r\n\"Size\"=dword:00000010\r\n"
                   "\"Root\"=\"SYSTEM\"\r\n\"Bytes\"=hex:0f,a0\r\n"
                   "\"List\"=hex(7):6f,00,6e,00,65,00,00,00,74,00,77,00,6f,00,00,00,00,00\r\n"
                   "[HKLM\\A\\Sub]\r\n\"Name\"=\"quorvane system\"\r\n"
                   "[HKLM\\B]\r\n\"Name\"=\"Quorvane\"\r\n\"Size\"=dword:00000020\r\n"
                   "[HKLM\\B\\Sub]\r\n\"Name\"=\"quorvane system\"\r\n[HKLM\\B\\Other]\r\n"));
  ExpectSuccess(Run({"import", folder_ / "keys.reg"}), kDone);
  const std::string a = "HKEY_LOCAL_MACHINE\\A", b = "HKEY_LOCAL_MACHINE\\B";
  const auto result = [](const char* how) {
    return "\nResult Compared: " + std::string(how) + "\n" + kDone;
  };
  const auto found = [](int matches) {
    return "End of search: " + std::to_string(matches) + " match(es) found.\n";
  };
  const struct {
    std::vector<std::string> args;
    std::string out;
    int code = 0;
  } cases[] = {
      {{"compare", "HKLM\\A", "HKLM\\B"},
       "< Value: " + a + "  Bytes  REG_BINARY  0FA0\n< Value: " + a +
           "  List  REG_MULTI_SZ  one\\0two\n< Value: " + a + "  Root  REG_SZ  SYSTEM\n"
           "< Value: " + a + "  Size  REG_DWORD  0x10\n> Value: " + b +
           "  Size  REG_DWORD  0x20\n" + result("Different"),
       2},
      {{"compare", "HKLM\\A", "HKLM\\B", "/v", "name"}, result("Identical")},
      {{"compare", "HKLM\\A", "HKLM\\B", "/v", "Name", "/os"},
       "= Value: " + a + "  Name  REG_SZ  Quorvane\n" + result("Identical")},
      {{"compare", "HKLM\\A\\Sub", "HKLM\\B\\Sub", "/s", "/oa"},
       "= Value: " + a + "\\Sub  Name  REG_SZ  quorvane system\n" + result("Identical")},
      {{"compare", "HKLM\\A", "HKLM\\B", "/s", "/os"},
       "= Value: " + a + "  Name  REG_SZ  Quorvane\n= Key: " + a + "\\Sub\n= Value: " + a +
           "\\Sub  Name  REG_SZ  quorvane system\n" + result("Different"),
       2},
      {{"compare", "HKLM\\B", "HKLM\\A", "/s", "/on"}, result("Different"), 2},
      // Case-sensitive and exact, of one type, all the way down.
      {{"query", "HKLM\\A", "/f", "SYSTEM", "/t", "REG_SZ", "/c", "/e", "/s"},
       "\n" + a + "\n    Root    REG_SZ    SYSTEM\n\n" + found(1)},
      {{"query", "HKLM\\A", "/f", "system", "/s"},
       "\n" + a + "\n    Root    REG_SZ    SYSTEM\n\n" + a +
           "\\Sub\n    Name    REG_SZ    quorvane system\n\n" + found(2)},
      {{"query", "HKLM\\A", "/f", "0F", "/d", "/t", "REG_BINARY"},
       "\n" + a + "\n    Bytes    REG_BINARY    0FA0\n\n" + found(1)},
      // Key names only: the subkeys' without /s; value names only.
      {{"query", "HKLM\\B", "/f", "o", "/k"}, "\n" + b + "\\Other\n" + found(1)},
      {{"query", "HKLM", "/f", "NAME", "/v", "/e", "/s"},
       "\n" + a + "\n    Name    REG_SZ    Quorvane\n\n" + a +
           "\\Sub\n    Name    REG_SZ    quorvane system\n\n" + b +
           "\n    Name    REG_SZ    Quorvane\n\n" + b +
           "\\Sub\n    Name    REG_SZ    quorvane system\n\n" + found(4)},
      {{"query", "HKLM\\A", "/t", "REG_DWORD,REG_MULTI_SZ", "/z", "/se", "#"},
       "\n" + a + "\n    List    REG_MULTI_SZ (7)    one#two\n" +
           "    Size    REG_DWORD (4)    0x10\n\n" + found(2)},
      {{"query", "HKLM\\B", "/f", "*", "/s"},
       "\n" + b + "\n    Name    REG_SZ    Quorvane\n    Size    REG_DWORD    0x20\n\n" + b +
           "\\Other\n" + b + "\\Sub\n    Name    REG_SZ    quorvane system\n\n" + found(5)},
      {{"compare", "HKLM\\A", "HKLM\\C"}, "", 1},
      {{"compare", "HKLM\\A", "HKLM\\B", "/v", "Absent"}, "", 1},
  };
  for (const auto& c : cases) {
    const Outcome outcome = Run(c.args);
    std::string command;
    for (const std::string& arg : c.args) command += arg + " ";
    EXPECT_EQ(outcome.out, c.out) << command;
    EXPECT_EQ(outcome.code, c.code) << command;
    EXPECT_EQ(outcome.err, c.code == 1 ? kNotFound : "") << command;
  }
}

TEST_F(QuorvaneRegTool, AnImportStopsAtItsFirstBadLineKeepingWhatCameBefore) {
  const std::string file = folder_ / "bad.reg";
  WriteFile(file, "hello\n");
  const Outcome notRegistry = Run({"import", file});
  EXPECT_EQ(notRegistry.code, 1);
  EXPECT_EQ(notRegistry.err, "ERROR: The specified file is not a registry file. You can import "
                             "only registry files.\n");
  EXPECT_FALSE(std::filesystem::exists(store()));
  EXPECT_EQ(Run({"import", folder_ / "missing.reg"}).err,
            "ERROR: Error opening the file. There may be a disk or file system error.\n");

  WriteFile(file, FileOf(std::string(kHeader) + "\r\n[HKLM\\T]\r\n\"a\"=\"1\"\r\n"
                                                "\"b\"=dword:xyz\r\n\"c\"=\"3\"\r\n"));
  const Outcome bad = Run({"import", file});
  EXPECT_EQ(bad.code, 1);
  EXPECT_EQ(bad.err, "ERROR: Line 5 cannot be read as a registry entry; the lines before it were "
                     "imported, it and the rest were not.\n");
  ExpectSuccess(Run({"query", "HKLM\\T"}), "\nHKEY_LOCAL_MACHINE\\T\n    a    REG_SZ    1\n\n");
}

// An import, a copy and a delete of a key are each one change of the store:
// killed at any moment, each leaves all of it or none.
TEST_F(QuorvaneRegTool, AKilledImportCopyOrDeleteLeavesAllOfItOrNone) {
  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "kept", "/d", "1"}), kDone);
  std::string text = std::string(kHeader) + "[HKLM\\T]\r\n";
  constexpr int kValues = 20000;
  for (int i = 0; i < kValues; ++i) text += "\"v" + std::to_string(i) + "\"=dword:1\r\n";
  const std::string file = folder_ / "big.reg";
  WriteFile(file, FileOf(text));
  // The lines that query shows of key: its own, "kept", and every value
  // or none, with blank lines around; none at all when it is missing.
  const auto lines = [&](const char* key) {
    const std::string listed = Run({"query", key}).out;
    return std::count(listed.begin(), listed.end(), '\n');
  };
  const struct {
    std::vector<std::string> args;
    const char* key;        // what it changes
    long before, after;     // the lines of key shown before and once done
  } cases[] = {
      {{"import", file}, "HKLM\\T", 4, 4 + kValues},
      {{"copy", "HKLM\\T", "HKLM\\U\\Deeper", "/s", "/f"}, "HKLM\\U\\Deeper", 0, 4 + kValues},
      {{"delete", "HKLM\\T", "/f"}, "HKLM\\T", 4 + kValues, 0},
  };
  setenv("QUORVANE_REGISTRY", store().c_str(), 1);
  for (const auto& c : cases) {
    for (const int delayMs : {20, 80, 200}) {
      testing::ChildProcess killed(kTool, c.args);
      usleep(delayMs * 1000);
      killed.Kill();
      killed.Wait();
      const long shown = lines(c.key);
      EXPECT_TRUE(shown == c.before || shown == c.after)
          << c.args[0] << " killed after " << delayMs << " ms: " << shown << " lines";
      if (shown == c.after) break;
    }
    if (lines(c.key) != c.after) {  // done whole now, ready for the next
      testing::ChildProcess whole(kTool, c.args);
      EXPECT_EQ(whole.Wait(), 0) << c.args[0];
      EXPECT_EQ(lines(c.key), c.after) << c.args[0];
    }
  }
  EXPECT_EQ(lines("HKLM\\U"), 2);  // the copy's parent, made with it
  unsetenv("QUORVANE_REGISTRY");
}

// What reg.exe prints for a command line it cannot take.
std::string Usage(const std::string& error, const std::string& operation) {
  return "ERROR: " + error + "\nType \"REG " + operation + "/?\" for usage.\n";
}

TEST_F(QuorvaneRegTool, ABadCommandChangesNothing) {
  const std::string syntax = "Invalid syntax.";
  const std::string kNotText =
      "Invalid syntax. Specify key names, value names and data as UTF-8 text.";
  const auto kHive = [](const std::string& operation) {
    return "ERROR: REG " + operation + " works on the hive files of Windows' registry; the "
           "portable registry is one file and has none.\n";
  };
  const std::string kRemote =
      "ERROR: The portable registry is this computer's own file: the registry of another "
      "computer (\\\\COMPUTER\\KEY) cannot be reached through it.\n";
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{}, Usage(syntax, "")},
      {{"move", "HKLM\\T"}, Usage(syntax, "")},
      {{"add"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/x"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/v"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/v", "n", "/d"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/v", "n", "/ve"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/v", "n", "/t", "REG_LINK", "/d", "00"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/v", "n", "/t", "REG_DWORD", "/d", "12a"},
       Usage("Invalid syntax. Specify valid numeric value.", "ADD ")},
      {{"add", "HKCU\\T", "/v", "n", "/d", "1"}, Usage("Invalid key name.", "ADD ")},
      {{"delete", "HKLM\\T", "/s"}, Usage(syntax, "DELETE ")},
      {{"delete", "HKLM\\T", "/va", "/ve"}, Usage(syntax, "DELETE ")},
      {{"add", "HKLM\\", "/v", "x", "/d", "y", "/f"}, Usage("Invalid system key.", "ADD ")},
      {{"add", "HKLM\\T\\\\", "/f"}, Usage("Invalid key name.", "ADD ")},
      {{"add", "HKLM\\T", "/t", "REG_MULTI_SZ", "/s", "#", "/d", "a##b"}, Usage(syntax, "ADD ")},
      {{"query", "HKLM\\T", "/k"}, Usage(syntax, "QUERY ")},  // /k says how /f searches
      {{"query", "HKLM\\T", "/v", "/f", "x", "/ve"}, Usage(syntax, "QUERY ")},
      {{"query", "HKLM\\T", "/se", "ab"}, Usage(syntax, "QUERY ")},
      {{"query", "HKLM\\T", "/t", "REG_LINK"}, Usage(syntax, "QUERY ")},
      {{"compare", "HKLM\\T", "HKLM\\U", "/v", "x", "/s"}, Usage(syntax, "COMPARE ")},
      {{"compare", "HKLM\\T", "HKLM\\U", "/oa", "/on"}, Usage(syntax, "COMPARE ")},
      {{"copy", "HKLM\\T\\", "hklm\\t", "/f"},
       "ERROR: The source and destination keys cannot be the same.\n"},
      // What the portable registry, one file on this computer, has none of.
      {{"save", "HKLM\\T", "t.hiv"}, kHive("SAVE")},
      {{"Restore", "HKLM\\T", "t.hiv"}, kHive("RESTORE")},
      {{"unload", "/?"}, kHive("UNLOAD")},
      {{"compare", "HKLM\\T", "\\\\PC"}, kRemote},
      {{"delete", "HKLM\\T", "/v", "n", "/t", "REG_SZ"}, Usage(syntax, "DELETE ")},
      {{"query", "HKLM\\T", "/f"}, Usage(syntax, "QUERY ")},
      {{"query", "HKLM\\T", "extra"}, Usage(syntax, "QUERY ")},
      {{"query", "HKLM\\T", "/reg:32", "/reg:64"}, Usage(syntax, "QUERY ")},
      // Names and data are UTF-8 text; other bytes would be stored as no
      // registry file can give them back.
      {{"add", "HKLM\\T", "/v", "\xFF", "/d", "1", "/f"}, Usage(kNotText, "ADD ")},
      {{"query", "HKLM\\M\xFCller"}, Usage(kNotText, "QUERY ")},
      // The program's commands: a connection type is one of the four,
      // exactly; there is nothing to restore without a backup, and reg.exe's
      // restore of a hive has no place here.
      {{"optimise"}, Usage(syntax, "OPTIMISE ")},
      {{"optimise", "Modem", "/f"}, Usage(syntax, "OPTIMISE ")},
      {{"show", "Modem"}, Usage(syntax, "SHOW ")},
      {{"optimise", "cable modem", "/accept"},
       "ERROR: There is no preset for \"cable modem\". The connection types are: \"Modem\", "
       "\"ADSL Modem\", \"Cable Modem\", \"LAN Connection\".\n"},
      {{"verify", ""}, "ERROR: There is no preset for \"\". The connection types are: \"Modem\", "
                       "\"ADSL Modem\", \"Cable Modem\", \"LAN Connection\".\n"},
      {{"restore", "/f"}, std::string(text::kNoBackupHere) + "\n"},
      {{"restore", "HKLM\\T", "t.hiv"}, kHive("RESTORE")},
  };
  const auto expectAllRefused = [&] {
    for (const auto& c : cases) {
      const Outcome outcome = Run(c.args);
      EXPECT_EQ(outcome.code, 1);
      EXPECT_EQ(outcome.out, "");
      EXPECT_EQ(outcome.err, c.err);
    }
  };
  // No store is made for a command that does not parse, nor for a query.
  expectAllRefused();
  EXPECT_EQ(Run({"query", "HKLM\\T"}).err, kNotFound);
  EXPECT_FALSE(std::filesystem::exists(store()));

  // On an existing store, not a byte changes.
  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "n", "/d", "kept", "/f"}), kDone);
  const std::string before = ReadFile(store());
  expectAllRefused();
  EXPECT_EQ(ReadFile(store()), before);
}

TEST_F(QuorvaneRegTool, AFileThatIsNotAStoreIsReportedAndKept) {
  WriteFile(store(), "my notes\n");
  const Outcome outcome = Run({"add", "HKLM\\T", "/v", "n", "/d", "1", "/f"});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_EQ(outcome.err, "ERROR: The registry \"" + store() +
                             "\" cannot be opened: it is not a Quorvane registry.\n");
  EXPECT_EQ(ReadFile(store()), "my notes\n");
}


// Hostile files, names and limits.

constexpr store::RootKey kRoot = store::RootKey::LocalMachine;
const std::string kParameter = "ERROR: The parameter is incorrect.\n";

// A connection of another program to file, which ran sql and holds what it
// holds (a lock, a write-ahead log) until it is closed.
using Foreign = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;
Foreign ForeignSql(const std::string& file, const char* sql) {
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  return Foreign(db, &sqlite3_close);
}

void Seed(const std::string& file) {
  ASSERT_TRUE(store::Registry(*store::SqliteRegistry::Open(file)).WriteText(kRoot, "T", "v", "x"));
}

TEST_F(QuorvaneRegTool, HostileFilesNamesAndLimitsChangeNothing) {
  std::string deep;
  for (int level = 0; level < 513; ++level) deep += "k\\";
  const std::vector<std::string> query{"query", "HKLM\\T"};
  const std::vector<std::string> add{"add", "HKLM\\T", "/v", "w", "/d", "y", "/f"};
  const std::vector<std::string> remove{"delete", "HKLM\\T", "/v", "v", "/f"};
  const struct {
    const char* what;
    std::function<void(const std::string& file)> make;
    std::vector<std::string> args;
    std::string reason;  // why the store is refused; "" when it opens
    std::string err = "";  // otherwise what quorvane-reg says, and exits 1 (0 with "")
    std::string path = "T", name = "w";  // what the registry interface writes...
    bool write = true;                   // ...or reads, finding readsAs
    std::string readsAs = "absent";
    const char* file = "registry.sqlite3";
  } cases[] = {
      {"one byte", [](auto& f) { WriteFile(f, "x"); }, query, "it is not a Quorvane registry"},
      {"one byte through a link",
       [](auto& f) {
         WriteFile(f + ".target", "x");
         std::filesystem::create_symlink(f + ".target", f);
       },
       add, "it is not a Quorvane registry"},
      {"a device", [](auto& f) { std::filesystem::create_symlink("/dev/null", f); }, add,
       "it is not a regular file"},
      {"a folder's name", nullptr, add, "it is a folder, not a file", "", "T", "w", true, "",
       "new/"},
      {"a damaged store",
       [](auto& f) {
         Seed(f);
         std::string bytes = ReadFile(f);
         bytes.replace(100, 200, 200, '\xFF');
         WriteFile(f, bytes);
       },
       query, "it is damaged"},
      {"another program's file with a log not yet merged",
       [](auto& f) {
         const std::string other = f + ".elsewhere";
         const Foreign db = ForeignSql(other, "PRAGMA journal_mode = WAL; "
                                              "PRAGMA wal_autocheckpoint = 0; "
                                              "CREATE TABLE t (x); INSERT INTO t VALUES (1);");
         std::filesystem::copy_file(other, f);
         std::filesystem::copy_file(other + "-wal", f + "-wal");
       },
       query, "it is not a Quorvane registry"},
      {"an empty file, queried", [](auto& f) { WriteFile(f, ""); }, query, "", kNotFound, "T",
       "v", false},
      {"an empty file, deleted from", [](auto& f) { WriteFile(f, ""); }, remove, "", kNotFound,
       "T", "v", false},
      {"no file, deleted from", nullptr, remove, "", kNotFound, "T", "v", false},
      {"a store in rollback mode, read",
       [](auto& f) {
         Seed(f);
         ForeignSql(f, "PRAGMA journal_mode = DELETE");
       },
       {"query", "HKLM\\T", "/v", "v"}, "", "", "T", "v", false, "x"},
      {"a key name too long", Seed, {"add", "HKLM\\" + std::string(256, 'k')}, "", kParameter,
       std::string(256, 'k')},
      {"a value name too long", Seed, {"add", "HKLM\\T", "/v", std::string(16384, 'v'), "/f"}, "",
       kParameter, "T", std::string(16384, 'v')},
      {"a key too deep", Seed, {"add", "HKLM\\" + deep}, "", kParameter, deep},
      {"an earlier store whose names would become one",
       [](auto& f) {
         ForeignSql(f, (std::string(testing::kFormat2Store) + testing::kFormat2Collision).c_str());
       },
       add, "",
       "ERROR: The registry cannot be written: it holds two names that this version takes as "
       "one.\nKey \"HKEY_LOCAL_MACHINE\\Software\\QuorvaneTest\" holds the values \"\xC3\x89\" "
       "and \"\xC3\xA9\", which differ only in letter case. Until one of them is deleted the "
       "registry is left as it was and can be read and exported; to delete the second (export "
       "it first to keep a copy):\n    quorvane-reg delete "
       "'HKEY_LOCAL_MACHINE\\Software\\QuorvaneTest' /v '\xC3\xA9' /f\n"},
      {"a store whose format version is not its tables'",
       [](auto& f) { ForeignSql(f, (std::string(testing::kFormat1Store) +
                                    "PRAGMA user_version = 3;").c_str()); },
       query, "it is damaged"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(place());
    std::filesystem::create_directory(place());
    name_ = c.file;
    if (c.make) c.make(store());
    const auto before = Snapshot();

    const Outcome outcome = Run(c.args);
    const std::string refused =
        "ERROR: The registry \"" + store() + "\" cannot be opened: " + c.reason + ".\n";
    EXPECT_EQ(outcome.err, c.reason.empty() ? c.err : refused);
    EXPECT_EQ(outcome.code, outcome.err.empty() ? 0 : 1);

    try {
      auto backend = store::SqliteRegistry::Open(store());
      EXPECT_EQ(c.reason, "") << "opened";
      const store::Registry registry(*backend);
      if (c.write) {
        EXPECT_FALSE(registry.WriteText(kRoot, c.path, c.name, "y"));
      } else {
        EXPECT_EQ(registry.ReadText(kRoot, c.path, c.name, "absent"), c.readsAs);
      }
    } catch (const store::RegistryOpenError& error) {
      EXPECT_EQ(error.what(), refused.substr(7, refused.size() - 8));
    }
    EXPECT_EQ(Snapshot(), before);
  }
}

// The command that the refusal of an older store's two names names is the
// way out: it deletes the second in the older format, and the next write
// converts the store, the first's value kept.
TEST_F(QuorvaneRegTool, TheCommandNamedForTwoNamesThatWouldBecomeOneDeletesOneOfThem) {
  const std::vector<std::string> add{"add", "HKLM\\T", "/v", "w", "/d", "y", "/f"};
  const struct {
    std::string sql;
    std::vector<std::string> query;
    std::string kept;
  } cases[] = {
      {std::string(testing::kFormat2Store) + testing::kFormat2Collision,
       {"query", "HKLM\\Software\\QuorvaneTest", "/v", "\xC3\xA9"}, "capital"},
      {std::string(testing::kFormat1Store) + testing::kFormat1Collision,
       {"query", "HKLM\\Software\\QuorvaneTest\\\xC3\x84rger", "/v", "lower"}, "a"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sql);
    std::filesystem::remove_all(place());
    std::filesystem::create_directory(place());
    ForeignSql(store(), c.sql.c_str());
    const std::string refused = Run(add).err;
    // The command line's words, quoted as a shell takes them.
    const std::size_t at = refused.find("    quorvane-reg ");
    ASSERT_NE(at, std::string::npos) << refused;
    std::vector<std::string> command{""};
    bool quoted = false;
    for (const char c : refused.substr(at + 17, refused.find('\n', at) - at - 17)) {
      if (c == '\'') {
        quoted = !quoted;
      } else if (c == ' ' && !quoted) {
        command.emplace_back();
      } else {
        command.back() += c;
      }
    }
    ExpectSuccess(Run(command), kDone);
    ExpectSuccess(Run(add), kDone);
    EXPECT_NE(Run(c.query).out.find("REG_SZ    " + c.kept + "\n"), std::string::npos);
  }
}

// export and preset never write over the registry itself, nor over the
// files that SQLite keeps beside it, by whatever name.
TEST_F(QuorvaneRegTool, ExportAndPresetRefuseTheRegistryItself) {
  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "v", "/d", "x", "/f"}), kDone);
  std::filesystem::create_hard_link(store(), folder_ / "hard");
  std::filesystem::create_symlink(store(), folder_ / "soft");
  const auto before = Snapshot();
  for (const std::string& file :
       {store(), store() + "-wal", store() + "-shm", store() + "-journal",
        place() + "/../reg/" + name_, folder_ / "hard", folder_ / "soft"}) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"export", "HKLM\\T", file}, {"preset", "Modem", file, "/y"}}) {
      const Outcome outcome = Run(args);
      EXPECT_EQ(outcome.code, 1);
      EXPECT_EQ(outcome.out, "");
      EXPECT_EQ(outcome.err, "ERROR: The file \"" + file + "\" is the registry itself, or a file "
                             "that SQLite keeps beside it; a registry file written there would "
                             "destroy the registry. Nothing was written.\n");
    }
  }
  EXPECT_EQ(Snapshot(), before);
  ExpectSuccess(Run({"query", "HKLM\\T", "/v", "v"}),
                "\nHKEY_LOCAL_MACHINE\\T\n    v    REG_SZ    x\n\n");
}

// export and preset make the new file private from its making: nobody the
// old file kept out can open it, however quickly they look. The new files
// of runs that were killed go, one another run is writing stays, and a
// name as long as the folder allows is replaced as any other.
TEST_F(QuorvaneRegTool, AReplacedFileIsPrivateFromItsMakingAndNothingIsLeftBesideIt) {
  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "v", "/d", "x", "/f"}), kDone);
  const std::string out = folder_ / "files";
  const std::string file = out + "/backup.reg";
  std::filesystem::create_directory(out);
  WriteFile(file, "old");
  ASSERT_EQ(chmod(file.c_str(), 0600), 0);

  // Watched as another user would watch it: each new file's mode at once.
  const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  ASSERT_GE(inotify_add_watch(watch, out.c_str(), IN_CREATE | IN_ATTRIB | IN_MODIFY), 0);
  std::atomic<bool> done{false};
  std::vector<int> modes;
  std::thread watcher([&] {
    alignas(inotify_event) char events[4096];
    pollfd ready{watch, POLLIN, 0};
    while (!done) {
      if (poll(&ready, 1, 10) <= 0) continue;
      const ssize_t got = read(watch, events, sizeof events);
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        struct stat status {};
        if (event->len > 0 && std::string(event->name) != "backup.reg" &&
            stat((out + "/" + event->name).c_str(), &status) == 0) {
          modes.push_back(static_cast<int>(status.st_mode & 0777));
        }
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
  });
  const mode_t umaskBefore = umask(0);  // which the tool inherits
  for (int round = 0; round < 20; ++round) {
    ExpectSuccess(Run({"export", "HKLM\\T", file, "/y"}), kDone);
    ExpectSuccess(Run({"preset", "Modem", file, "/y"}), kDone);
  }
  umask(umaskBefore);
  done = true;
  watcher.join();
  close(watch);
  EXPECT_FALSE(modes.empty());
  for (const int mode : modes) EXPECT_EQ(mode & ~0600, 0) << std::oct << mode;
  EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0600));

  // An earlier version's leftover is its own target's alone: a name of
  // that shape for another file may be the user's.
  const std::string killed = out + "/.backup.reg.quorvane-k1lled00.tmp";
  const std::string earlier = out + "/.backup.reg.999999999.0.tmp";  // no such process
  const std::string users = out + "/.notes.2024.1.tmp";
  const std::string writing = out + "/.backup.reg.quorvane-wr1ting0.tmp";
  const std::string other = out + "/.notes.tmp";
  for (const std::string& name : {killed, earlier, users, writing, other}) WriteFile(name, "half");
  const int held = open(writing.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  const std::string existing = out + "/" + std::string(244, 'e');
  WriteFile(existing, "old");
  ExpectSuccess(Run({"export", "HKLM\\T", existing, "/y"}), kDone);
  ExpectSuccess(Run({"preset", "Modem", out + "/" + std::string(254, 'n')}), kDone);
  ExpectSuccess(Run({"export", "HKLM\\T", file, "/y"}), kDone);
  close(held);
  std::set<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(out)) left.insert(entry.path());
  EXPECT_EQ(left, (std::set<std::string>{file, users, writing, other, existing,
                                         out + "/" + std::string(254, 'n')}));

  // A file that can be written in a folder that cannot.
  if (geteuid() != 0) {
    ASSERT_EQ(chmod(out.c_str(), 0500), 0);
    const Outcome refused = Run({"export", "HKLM\\T", file, "/y"});
    ASSERT_EQ(chmod(out.c_str(), 0700), 0);
    EXPECT_EQ(refused.err,
              "ERROR: Error opening the file. There may be a disk or file system error.\n"
              "The file \"" + file + "\" is left as it was: it is replaced whole, through a new "
              "file made beside it, and its folder cannot be written (Permission denied).\n");
  }
}

// Unmounts a folder's file system when it goes; it owns the folder's name,
// which must outlive the mount.
struct Unmount {
  std::string at;
  ~Unmount() { umount2(at.c_str(), MNT_DETACH); }
};

// The store's folder on a small file system of its own for one test;
// skipped where one cannot be mounted (that needs root).
#define MOUNT_SMALL_FILE_SYSTEM(folder)                                            \
  const std::string mounted = (folder);                                            \
  if (mount("tmpfs", mounted.c_str(), "tmpfs", 0, "size=256k") != 0) {            \
    GTEST_SKIP() << "cannot mount a small file system: " << std::strerror(errno); \
  }                                                                                \
  const Unmount unmount{mounted}

TEST_F(QuorvaneRegTool, AFullDiskStillReadsAndSaysWhyItCannotWrite) {
  MOUNT_SMALL_FILE_SYSTEM(place());
  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "v", "/d", "x", "/f"}), kDone);
  {
    std::ofstream fill(place() + "/fill", std::ios::binary);
    const std::string block(4096, '\0');
    while (fill.write(block.data(), block.size()).flush()) {
    }
  }
  const auto before = Snapshot();
  ExpectSuccess(Run({"query", "HKLM\\T", "/v", "v"}),
                "\nHKEY_LOCAL_MACHINE\\T\n    v    REG_SZ    x\n\n");
  const Outcome full = Run({"add", "HKLM\\T", "/v", "w", "/d", "y", "/f"});
  EXPECT_EQ(full.code, 1);
  EXPECT_EQ(full.err, "ERROR: The registry cannot be written: the disk is full.\n");
  {
    auto backend = store::SqliteRegistry::Open(store());
    EXPECT_EQ(store::Registry(*backend).ReadText(kRoot, "T", "v", "absent"), "x");
    EXPECT_FALSE(store::Registry(*backend).WriteText(kRoot, "T", "w", "y"));
  }
  EXPECT_EQ(Snapshot(), before);

  // An import that fills the disk part way keeps none of it, and says so:
  // more than SQLite's cache holds, so that the disk fills before the end.
  std::string text = std::string(kHeader) + "[HKLM\\T]\r\n";
  for (int i = 0; i < 20000; ++i) {
    text += "\"w" + std::to_string(i) + "\"=\"" + std::string(200, 'y') + "\"\r\n";
  }
  WriteFile(folder_ / "more.reg", FileOf(text));
  std::filesystem::resize_file(place() + "/fill",
                               std::filesystem::file_size(place() + "/fill") - 65536);
  const auto room = Snapshot();
  EXPECT_EQ(Run({"import", folder_ / "more.reg"}).err,
            "ERROR: The registry cannot be written: the disk is full.\n"
            "None of the file was imported.\n");
  EXPECT_EQ(Run({"query", "HKLM\\T", "/v", "w0"}).err, kNotFound);
  EXPECT_EQ(Snapshot().at("registry.sqlite3"), room.at("registry.sqlite3"));
}

// export (and preset, which writes files the same way) over a file that
// a full disk or a folder that cannot be written keeps it from replacing.
TEST_F(QuorvaneRegTool, AnExportThatCannotBeWrittenLeavesTheOldFileWhole) {
  MOUNT_SMALL_FILE_SYSTEM(place());
  const std::string file = place() + "/backup.reg";
  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "v", "/d", "first", "/f"}), kDone);
  ExpectSuccess(Run({"export", "HKLM\\T", file}), kDone);
  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "v", "/d", std::string(9000, 'x'), "/f"}), kDone);
  {
    std::ofstream fill(place() + "/fill", std::ios::binary);
    const std::string block(4096, '\0');
    while (fill.write(block.data(), block.size()).flush()) {
    }
  }
  const auto expectRefused = [&](const std::string& reason) {
    const auto before = Snapshot();
    const Outcome outcome = Run({"export", "HKLM\\T", file, "/y"});
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err,
              "ERROR: Error opening the file. There may be a disk or file system error.\n"
              "The file \"" + file + "\" is left as it was: " + reason + ".\n");
    EXPECT_EQ(Snapshot(), before);  // the old file byte for byte, and nothing beside it
  };
  expectRefused("No space left on device");
  ASSERT_EQ(mount(nullptr, place().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
  expectRefused("Read-only file system");
}

TEST_F(QuorvaneRegTool, AReadOnlyFolderReadsWhatWasCommittedOrRefuses) {
  MOUNT_SMALL_FILE_SYSTEM(place());
  // A committed change still in the log, and no shared-memory file.
  const std::string elsewhere = folder_ / "elsewhere.sqlite3";
  Seed(elsewhere);
  const Foreign writer = ForeignSql(elsewhere, "PRAGMA wal_autocheckpoint = 0; "
                                               "UPDATE registry_value SET data = X'79'");
  std::filesystem::copy_file(elsewhere, store());
  const auto readOnly = [&](bool on) {
    ASSERT_EQ(mount(nullptr, place().c_str(), nullptr, MS_REMOUNT | (on ? MS_RDONLY : 0), nullptr),
              0);
  };
  readOnly(true);
  ExpectSuccess(Run({"query", "HKLM\\T", "/v", "v"}),
                "\nHKEY_LOCAL_MACHINE\\T\n    v    REG_SZ    x\n\n");
  EXPECT_EQ(Run({"add", "HKLM\\T", "/v", "v", "/d", "z", "/f"}).err,
            "ERROR: The registry cannot be written: it can only be read.\n");
  readOnly(false);
  std::filesystem::copy_file(elsewhere + "-wal", store() + "-wal");
  readOnly(true);
  const Outcome refused = Run({"query", "HKLM\\T", "/v", "v"});
  EXPECT_EQ(refused.code, 1);
  EXPECT_NE(refused.err.find("its latest changes are in a \"-wal\""), std::string::npos)
      << refused.err;
}

TEST_F(QuorvaneRegTool, AStoreThatAnotherProgramIsWritingIsReportedAsInUse) {
  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "v", "/d", "x", "/f"}), kDone);
  ExpectSuccess(Run({"add", "HKLM\\Software\\Tessamont\\Quorvane", "/v", "FirstRun", "/d", "No"}),
                kDone);
  // Taken first: closing a file of the store's in the holder's process
  // would end the holder's locks.
  const auto before = Snapshot();
  const Foreign holder = ForeignSql(store(), "BEGIN IMMEDIATE");
  const Outcome busy = Run({"add", "HKLM\\T", "/v", "v", "/d", "y", "/f"});  // after 10 s
  EXPECT_EQ(busy.code, 1);
  EXPECT_EQ(busy.err, "ERROR: The registry is in use by another program.\n");
  // optimise waits once, and names each value it could not write.
  const Outcome optimise = Run({"optimise", "LAN Connection"});
  EXPECT_EQ(optimise.code, 1);
  EXPECT_EQ(optimise.out, "");
  std::string notWritten;
  for (const char* name : {"Max Transmission Unit", "Recieve Window", "Time To Live",
                           "Session Keep Alive", "NDI Cache", "Selective Acknowledgements"}) {
    notWritten += std::string("ERROR: ") + name +
                  " was not written: The registry is in use by another program.\n";
  }
  EXPECT_EQ(optimise.err, notWritten);
  // Reading goes on meanwhile.
  ExpectSuccess(Run({"query", "HKLM\\T", "/v", "v"}),
                "\nHKEY_LOCAL_MACHINE\\T\n    v    REG_SZ    x\n\n");
  EXPECT_EQ(Snapshot().at("registry.sqlite3"), before.at("registry.sqlite3"));
}

TEST_F(QuorvaneRegTool, AQueryWhoseOutputCannotBeWrittenFails) {
  ExpectSuccess(Run({"add", "HKLM\\T", "/v", "v", "/d", "x", "/f"}), kDone);
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"query", "HKLM\\T"}, {"preset", "Modem", place() + "/modem.reg", "/y"}, {"/?"},
           {"show", "/?"}, {"--version"}, {"show"}}) {
    const Outcome outcome = Run(args, "", "/dev/full");
    EXPECT_EQ(outcome.code, 1) << args[0];
    EXPECT_EQ(outcome.err, "ERROR: The output cannot be written.\n");
  }
}

// An administrator's route, as a start-up script and a rollback run it,
// nobody at the console: verify finds the computer's own values; optimise
// is declined without /accept, then keeps the originals and names each
// change; verify then finds the preset, a second optimise changes nothing,
// and restore /f gives every original back exactly.
TEST_F(QuorvaneRegTool, AnAdministratorsRouteKeepsTheOriginals) {
  const std::string mstcp = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\VxD\\MSTCP";
  ExpectSuccess(Run({"add", "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Class\\NetTrans\\0000",
                     "/v", "MaxMTU", "/d", "576"}),
                kDone);
  ExpectSuccess(Run({"add", mstcp, "/v", "DefaultTTL", "/t", "REG_DWORD", "/d", "32"}), kDone);
  ExpectSuccess(Run({"add", mstcp, "/v", "DefaultRcvWindow", "/d", "8760"}), kDone);
  const auto live = [&] {
    std::vector<engine::Held> values;
    const auto backend = store::SqliteRegistry::Open(store());
    for (const auto& setting : engine::ShowSettings(store::Registry(*backend)).settings) {
      values.push_back(setting.live.value);
    }
    return values;
  };
  const auto originals = live();

  Outcome outcome = Run({"verify", "Cable Modem"});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_TRUE(outcome.out.starts_with("Max Transmission Unit: \"576\", not \"1500\"\n"
                                      "Recieve Window: \"8760\", not \"64240\"\n"
                                      "Time To Live: 32, not \"128\"\n"))
      << outcome.out;
  outcome = Run({"optimise", "Cable Modem"});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_NE(outcome.out.find("Do you agree (Yes/No)? No: standard input is not a console.\n"),
            std::string::npos);
  EXPECT_EQ(outcome.err, std::string(text::kDisclaimerUnanswered) + "\n");
  EXPECT_EQ(live(), originals);

  outcome = Run({"optimise", "Cable Modem", "/ACCEPT"});
  EXPECT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("Yes, by /accept\nThe settings as they were are backed up in "
                             "HKEY_LOCAL_MACHINE\\Software\\Tessamont\\Quorvane\\Backup.\n"
                             "Max Transmission Unit: changed from \"576\" to \"1500\"\n"),
            std::string::npos)
      << outcome.out;
  EXPECT_NE(outcome.out.find("Time To Live: changed from 32 to \"128\"\n"), std::string::npos);
  EXPECT_TRUE(outcome.out.ends_with("Selective Acknowledgements: changed from (not set) to \"1\"\n"
                                    "Restart the computer for the new values to take effect.\n"));
  ExpectSuccess(Run({"verify", "Cable Modem"}), "Every value of the Cable Modem preset is set.\n");
  ExpectSuccess(Run({"optimise", "Cable Modem"}),
                "Every value of the Cable Modem preset was set already: nothing changed.\n");
  const std::string show = Run({"show"}).out;
  EXPECT_NE(show.find("Time To Live\n    HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services"
                      "\\VxD\\MSTCP    DefaultTTL\n    Live: \"128\"    Backup: 32\n"),
            std::string::npos)
      << show;
  EXPECT_TRUE(show.ends_with("Backup: \"Not Set\" (restore removes the value)\n"
                             "Network Card CPU\n    HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet"
                             "\\Services\\Tcpip\\Parameters    DisableTaskOffload\n"
                             "    Live: (not set)    Backup: 0 (restore removes the value)\n"
                             "The first-run backup has been taken.\n"));

  outcome = Run({"restore"});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_EQ(outcome.err, std::string(text::kRestoreUnanswered) + "\n");
  outcome = Run({"restore", "/f"});
  EXPECT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("Max Transmission Unit: restored \"576\"\n"), std::string::npos);
  EXPECT_NE(outcome.out.find("Session Keep Alive: removed, as it was not set at the first run\n"),
            std::string::npos);
  EXPECT_EQ(live(), originals);
}

// On a console a person answers, Yes or No in any letter case, and may be
// asked again; No declines with nothing restored.
TEST_F(QuorvaneRegTool, AConsoleAnswersTheQuestionsInAnyLetterCase) {
  setenv("QUORVANE_REGISTRY", store().c_str(), 1);
  const auto run = [](std::vector<std::string> args, const std::string& answers) {
    std::istringstream in(answers);
    std::ostringstream out, err;
    const int code = QuorvaneReg(args, true, in, out, err);
    return Outcome{code, out.str(), err.str()};
  };
  EXPECT_EQ(run({"optimise", "Modem"}, "maybe\nYES\n").code, 0);
  EXPECT_EQ(Run({"verify", "Modem"}).code, 0);
  const Outcome declined = run({"restore"}, "nO\n");
  EXPECT_EQ(declined.code, 1);
  EXPECT_TRUE(declined.out.ends_with("Restore them (Yes/No)? ")) << declined.out;
  EXPECT_EQ(declined.err, std::string(text::kRestoreDeclined) + "\n");
  EXPECT_EQ(Run({"verify", "Modem"}).code, 0);
  EXPECT_EQ(run({"restore"}, "y\n").code, 0);
  EXPECT_EQ(Run({"verify", "Modem"}).code, 1);
  unsetenv("QUORVANE_REGISTRY");
}

}  // namespace
}  // namespace quorvane::tools
