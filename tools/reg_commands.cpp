#include "tools/reg_commands.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <iterator>
#include <string_view>
#include <vector>

#include "tools/reg_texts.h"

namespace quorvane::tools {
namespace {

// What reg.exe's commands take.

constexpr Positional kKey[] = {Positional::Key};
constexpr Positional kKeyAndFile[] = {Positional::Key, Positional::File};
constexpr Positional kFile[] = {Positional::File};
constexpr Positional kConnection[] = {Positional::Connection};
constexpr Positional kConnectionAndFile[] = {Positional::Connection, Positional::File};

// The 32- or 64-bit view of the registry, which every one of reg.exe's
// commands takes; the portable registry has one, which both name. Given
// once at most, as one option.
constexpr OptionRow kViews[] = {{"reg:32", Option::View}, {"reg:64", Option::View}};

template <std::size_t N>
constexpr std::array<OptionRow, N + std::size(kViews)> WithViews(const OptionRow (&own)[N]) {
  std::array<OptionRow, N + std::size(kViews)> all{};
  std::copy(std::begin(own), std::end(own), all.begin());
  std::copy(std::begin(kViews), std::end(kViews), all.begin() + N);
  return all;
}

constexpr auto kQueryOptions = WithViews({
    {"v", Option::Value, true},
    {"ve", Option::DefaultValue},
    {"s", Option::Recurse},
});
constexpr auto kAddOptions = WithViews({
    {"v", Option::Value, true},
    {"ve", Option::DefaultValue},
    {"t", Option::Type, true},
    {"s", Option::Separator, true},
    {"d", Option::Data, true},
    {"f", Option::Force},
});
constexpr auto kDeleteOptions = WithViews({
    {"v", Option::Value, true},
    {"ve", Option::DefaultValue},
    {"f", Option::Force},
});
constexpr auto kExportOptions = WithViews({{"y", Option::Force}});
// The program's commands work on the one registry that the program does.
constexpr OptionRow kOptimiseOptions[] = {{"accept", Option::Force}};
constexpr OptionRow kRestoreOptions[] = {{"f", Option::Force}};
constexpr OptionRow kPresetOptions[] = {{"y", Option::Force}};

// A search of the subtree for one value is not offered.
const char* CompleteQuery(const GivenOptions&, RegCommand* command) {
  return command->recurse && command->valueName ? text::kInvalidSyntax : nullptr;
}

constexpr CommandRow kCommands[] = {
    {.name = "query",
     .operation = RegOperation::Query,
     .family = Family::RegExe,
     .store = StoreUse::Existing,
     .positionals = kKey,
     .options = kQueryOptions,
     .complete = CompleteQuery,
     .synopsis = "REG QUERY KeyName [/v ValueName | /ve | /s]",
     .run = RunQuery},
    {.name = "add",
     .operation = RegOperation::Add,
     .family = Family::RegExe,
     .store = StoreUse::Made,
     .positionals = kKey,
     .options = kAddOptions,
     .complete = CompleteAdd,
     .synopsis = "REG ADD KeyName [/v ValueName | /ve] [/t Type] [/s Separator] [/d Data] [/f]",
     .run = RunAdd},
    {.name = "delete",
     .operation = RegOperation::Delete,
     .family = Family::RegExe,
     .store = StoreUse::Existing,
     .positionals = kKey,
     .options = kDeleteOptions,
     .synopsis = "REG DELETE KeyName [/v ValueName | /ve] [/f]",
     .run = RunDelete},
    {.name = "export",
     .operation = RegOperation::Export,
     .family = Family::RegExe,
     .store = StoreUse::Existing,
     .positionals = kKeyAndFile,
     .options = kExportOptions,
     .synopsis = "REG EXPORT KeyName FileName [/y]",
     .run = RunExport},
    {.name = "import",
     .operation = RegOperation::Import,
     .family = Family::RegExe,
     .store = StoreUse::Made,
     .positionals = kFile,
     .options = kViews,
     .synopsis = "REG IMPORT FileName",
     .run = RunImport},
    {.name = "show",
     .operation = RegOperation::Show,
     .family = Family::Program,
     .store = StoreUse::Read,
     .synopsis = "quorvane-reg show",
     .summary = "  shows the nine settings that Quorvane manages, each with its key and value\n"
                "  name, its value and its first-run backup, and whether that backup has been\n"
                "  taken.\n",
     .run = RunShow},
    {.name = "optimise",
     .operation = RegOperation::Optimise,
     .family = Family::Program,
     .store = StoreUse::Made,
     .positionals = kConnection,
     .options = kOptimiseOptions,
     .synopsis = "quorvane-reg optimise ConnectionType [/accept]",
     .summary = "  writes the preset of ConnectionType as Quorvane's Optimise does, naming\n"
                "  each value it changes. Where Quorvane has not run yet, it first backs up\n"
                "  the settings and asks the first run's disclaimer; /accept accepts it.\n",
     .run = RunOptimise},
    {.name = "verify",
     .operation = RegOperation::Verify,
     .family = Family::Program,
     .store = StoreUse::Read,
     .positionals = kConnection,
     .synopsis = "quorvane-reg verify ConnectionType",
     .summary = "  tells whether every value of ConnectionType's preset is set, naming each\n"
                "  one that is not (exit code 1): what optimise would change. Writes nothing.\n",
     .run = RunVerify},
    {.name = "restore",
     .operation = RegOperation::Restore,
     .family = Family::Program,
     .store = StoreUse::Made,
     .options = kRestoreOptions,
     .synopsis = "quorvane-reg restore [/f]",
     .summary = "  puts back the settings as the first-run backup holds them, as Quorvane's\n"
                "  Restore does; asks first, unless /f.\n",
     .withArgument = text::kHiveRestore,
     .run = RunRestore},
    {.name = "preset",
     .operation = RegOperation::Preset,
     .family = Family::Program,
     .store = StoreUse::None,
     .positionals = kConnectionAndFile,
     .options = kPresetOptions,
     .synopsis = "quorvane-reg preset ConnectionType FileName [/y]",
     .summary = "  writes the values that Quorvane's Optimise writes for ConnectionType as a\n"
                "  registry file for reg import. The file carries no backup: a computer that\n"
                "  imports it keeps no copy of its own values.\n",
     .run = RunPreset},
};

// Each row has a name and a synopsis, and a name and an operation stand
// for one command each: the parser and the dispatch take the first they
// find.
constexpr bool EachCommandOnce() {
  for (auto a = std::begin(kCommands); a != std::end(kCommands); ++a) {
    if (a->name == nullptr || a->synopsis == nullptr) return false;
    for (auto b = std::begin(kCommands); b != a; ++b) {
      if (a->operation == b->operation || std::string_view(a->name) == b->name) return false;
    }
  }
  return true;
}
static_assert(EachCommandOnce());

// What the usage says below each family's commands.
struct FamilyRow {
  Family family;
  const char* notes;
};
constexpr FamilyRow kFamilies[] = {
    {Family::RegExe,
     "Each also takes /reg:32 or /reg:64; the portable registry has one view,\n"
     "which both name.\n"
     "\n"
     "  KeyName    HKLM\\SubKey or HKEY_LOCAL_MACHINE\\SubKey, in the portable\n"
     "             registry that QUORVANE_REGISTRY names, or the default one\n"
     "  /v         The value ValueName of the key.\n"
     "  /ve        The key's default value (empty value name).\n"
     "  /s         query: the key's subkeys and their values too, all the way down.\n"
     "             add: the character between the strings of a REG_MULTI_SZ (\\0\n"
     "             unless given).\n"
     "  /t         The type of the value added: REG_SZ (the default), REG_EXPAND_SZ,\n"
     "             REG_MULTI_SZ, REG_DWORD, REG_QWORD, REG_BINARY or REG_NONE.\n"
     "  /d         The data of the value added; a REG_DWORD or REG_QWORD is decimal\n"
     "             or 0x hex, a REG_BINARY hex digits.\n"
     "  /f         Overwrites or deletes without asking; delete without /v or /ve\n"
     "             deletes the key and everything below it.\n"
     "  FileName   A registry file (.reg): export writes it as reg.exe does\n"
     "             (\"Windows Registry Editor Version 5.00\", UTF-16); import reads\n"
     "             that format and REGEDIT4, in one transaction.\n"
     "  /y         export: replaces an existing file without asking.\n"},
    {Family::Program,
     "\n"
     "  ConnectionType  \"Modem\", \"ADSL Modem\", \"Cable Modem\" or \"LAN Connection\".\n"
     "  /accept, /f     optimise's disclaimer and restore's question are asked when\n"
     "                  standard input is a console; elsewhere nobody answers, and\n"
     "                  they are declined unless /accept or /f answers Yes.\n"
     "  Exit code       0 when done; 1 when not: a failure, a question declined, or\n"
     "                  a value that verify finds not set. Failures are told on\n"
     "                  standard error.\n"
     "\n"
     "quorvane-reg --version prints its version.\n"},
};

const char* NotesOf(Family family) {
  for (const FamilyRow& row : kFamilies) {
    if (row.family == family) return row.notes;
  }
  std::abort();  // every family has its notes
}

// On Windows, where reg.exe's commands are reg.exe's own: which they are,
// "QUERY, ADD, ... and IMPORT".
std::string RegExeElsewhere() {
  std::vector<std::string> names;
  for (const CommandRow& row : kCommands) {
    if (row.family == Family::RegExe) names.push_back(ShownName(row));
  }
  std::string listed;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) listed += i + 1 == names.size() ? text::kLastNameSeparator : text::kNameSeparator;
    listed += names[i];
  }
  return listed + text::kRegExeCommandsAfter + "\n";
}

}  // namespace

std::span<const CommandRow> Commands() { return kCommands; }

const CommandRow* CommandNamed(const std::string& name) {
  for (const CommandRow& row : kCommands) {
    if (SameLetters(name, row.name)) return &row;
  }
  return nullptr;
}

const CommandRow& CommandOf(RegOperation operation) {
  for (const CommandRow& row : kCommands) {
    if (row.operation == operation) return row;
  }
  std::abort();  // every operation has a row; a missing one is a build fault
}

std::string Usage() {
  std::string usage;
  for (const FamilyRow& family : kFamilies) {
    if (!usage.empty()) usage += "\n";
    if (family.family == Family::RegExe && !kRegExeCommandsRun) {
      usage += RegExeElsewhere();
      continue;
    }
    for (const CommandRow& row : kCommands) {
      if (row.family == family.family) usage += std::string(row.synopsis) + "\n" + row.summary;
    }
    usage += family.notes;
  }
  return usage;
}

std::string HelpOf(const CommandRow& row) {
  if (row.help != nullptr) return row.help;
  if (row.family == Family::RegExe) return Usage();
  return std::string(row.synopsis) + "\n" + row.summary + NotesOf(row.family);
}

std::string ShownName(const CommandRow& row) {
  std::string shown = row.name;
  for (char& c : shown) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return shown;
}

}  // namespace quorvane::tools
