// quorvane-reg: its command lines, and the built tool run on a store of its
// own, checked by what it prints and its exit codes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tools/reg_arguments.h"

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

  // Data without a name sets the default value; neither makes the key alone.
  EXPECT_EQ(Parse({"add", "HKLM\\T", "/d", "x"}).command.valueName, "");
  EXPECT_EQ(Parse({"add", "HKLM\\T"}).command.valueName, std::nullopt);
  EXPECT_EQ(Parse({"query", "HKLM"}).command.keyName, "HKEY_LOCAL_MACHINE");
  EXPECT_EQ(Parse({"delete", "HKLM\\T", "/ve", "/f"}).outcome, RegParse::Outcome::Run);
  EXPECT_EQ(Parse({"query", "/?"}).outcome, RegParse::Outcome::Help);
}

TEST(RegArguments, DwordsAreDecimalOrHexAndFitIn32Bits) {
  const struct {
    const char* data;
    bool valid;
  } cases[] = {
      {"0", true},           {"4294967295", true}, {"0xffffffff", true}, {"0X1a", true},
      {"4294967296", false}, {"0x100000000", false}, {"-1", false},      {"0x", false},
      {"12a", false},        {" 1", false},        {"", false},          {"1.5", false},
  };
  for (const auto& c : cases) {
    const RegParse parse = Parse({"add", "HKLM\\T", "/v", "n", "/t", "REG_DWORD", "/d", c.data});
    EXPECT_EQ(parse.outcome == RegParse::Outcome::Run, c.valid) << '"' << c.data << '"';
  }
}

// The built tool.

struct Outcome {
  int code = -1;
  std::string out, err;
};

class QuorvaneRegTool : public ::testing::Test {
 protected:
  std::string store() const { return folder_ / "registry.sqlite3"; }

  // Runs quorvane-reg with args on store(), input given on standard input.
  Outcome Run(std::vector<std::string> args, const std::string& input = "") {
    WriteFile(folder_ / "in", input);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, (folder_ / "in").c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, (folder_ / "out").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
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
  ExpectSuccess(Run({"query", "HKLM\\Software\\Test\\Sub", "/ve"}),
                "\nHKEY_LOCAL_MACHINE\\Software\\Test\\Sub\n"
                "    (Default)    REG_SZ    (value not set)\n\n");

  ExpectSuccess(Run({"delete", "HKLM\\Software\\Test", "/v", "maxmtu", "/f"}), kDone);
  const Outcome gone = Run({"query", "HKLM\\Software\\Test", "/v", "MaxMTU"});
  EXPECT_EQ(gone.code, 1);
  EXPECT_EQ(gone.out, "");
  EXPECT_EQ(gone.err, kNotFound);
  EXPECT_EQ(Run({"delete", "HKLM\\Software\\Test", "/v", "MaxMTU", "/f"}).err, kNotFound);
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
}

// What reg.exe prints for a command line it cannot take.
std::string Usage(const std::string& error, const std::string& operation) {
  return "ERROR: " + error + "\nType \"REG " + operation + "/?\" for usage.\n";
}

TEST_F(QuorvaneRegTool, ABadCommandChangesNothing) {
  const std::string syntax = "Invalid syntax.";
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{}, Usage(syntax, "")},
      {{"copy", "HKLM\\T"}, Usage(syntax, "")},
      {{"add"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/x"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/v"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/v", "n", "/d"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/v", "n", "/ve"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/v", "n", "/t", "REG_BINARY", "/d", "00"}, Usage(syntax, "ADD ")},
      {{"add", "HKLM\\T", "/v", "n", "/t", "REG_DWORD", "/d", "12a"},
       Usage("Invalid syntax. Specify valid numeric value.", "ADD ")},
      {{"add", "HKCU\\T", "/v", "n", "/d", "1"}, Usage("Invalid key name.", "ADD ")},
      {{"delete", "HKLM\\T"}, Usage(syntax, "DELETE ")},
      {{"delete", "HKLM\\T", "/v", "n", "/t", "REG_SZ"}, Usage(syntax, "DELETE ")},
      {{"query", "HKLM\\T", "/f"}, Usage(syntax, "QUERY ")},
      {{"query", "HKLM\\T", "extra"}, Usage(syntax, "QUERY ")},
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

}  // namespace
}  // namespace quorvane::tools
