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
constexpr Positional kTwoKeys[] = {Positional::Key, Positional::SecondKey};
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
    {"v", Option::Value, true, true},
    {"ve", Option::DefaultValue},
    {"s", Option::Recurse},
    {"f", Option::Find, true},
    {"k", Option::InKeyNames},
    {"d", Option::InData},
    {"c", Option::CaseSensitive},
    {"e", Option::Exact},
    {"t", Option::Type, true},
    {"z", Option::TypeNumbers},
    {"se", Option::Separator, true},
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
    {"va", Option::AllValues},
    {"f", Option::Force},
});
constexpr auto kCopyOptions = WithViews({{"s", Option::Recurse}, {"f", Option::Force}});
constexpr auto kCompareOptions = WithViews({
    {"v", Option::Value, true},
    {"ve", Option::DefaultValue},
    {"s", Option::Recurse},
    {"oa", Option::Output},
    {"od", Option::Output},
    {"os", Option::Output},
    {"on", Option::Output},
});
constexpr auto kExportOptions = WithViews({{"y", Option::Force}});
// The program's commands work on the one registry that the program does.
constexpr OptionRow kOptimiseOptions[] = {{"accept", Option::Force}};
constexpr OptionRow kRestoreOptions[] = {{"f", Option::Force}};
constexpr OptionRow kPresetOptions[] = {{"y", Option::Force}};

// compare's output option by its name; one value or the whole tree.
struct OutputRow {
  const char* name;
  CompareOutput output;
};
constexpr OutputRow kOutputs[] = {{"oa", CompareOutput::All},
                                  {"od", CompareOutput::Differences},
                                  {"os", CompareOutput::Matches},
                                  {"on", CompareOutput::None}};

const char* CompleteCompare(const GivenOptions& given, RegCommand* command) {
  for (const OutputRow& row : kOutputs) {
    if (given.output == row.name) command->output = row.output;
  }
  return command->recurse && command->valueName ? text::kInvalidSyntax : nullptr;
}

// What each command's /? shows below its synopsis and a blank line.

constexpr const char* kQueryHelp =
    "  Shows the key's values and subkeys, one value, or what a search finds.\n"
    "\n"
    "  KeyName  HKLM\\SubKey or HKEY_LOCAL_MACHINE\\SubKey in the portable registry.\n"
    "  /v       The value ValueName only; with /s, the value of that name in every\n"
    "           key below too. With /f and no name: /f searches value names.\n"
    "  /ve      The key's default value, shown as (Default); with /s, every key's.\n"
    "  /s       The subkeys too, and theirs, all the way down.\n"
    "  /f       Searches key names, value names and data for Data (\"*\" for\n"
    "           anything); without /s, the key's values and its subkeys' names.\n"
    "  /k       /f searches key names.\n"
    "  /d       /f searches data, as the listing shows it.\n"
    "  /c       /f tells letter case apart; otherwise it compares as names do.\n"
    "  /e       /f finds whole names and data only; otherwise a part of one.\n"
    "  /t       Only values of the type Type, or of the types of a list that\n"
    "           commas separate: REG_SZ, REG_MULTI_SZ, REG_EXPAND_SZ, REG_DWORD,\n"
    "           REG_QWORD, REG_BINARY, REG_NONE.\n"
    "  /z       Shows each type's number after its name: REG_SZ (1).\n"
    "  /se      The one character shown between the texts of a REG_MULTI_SZ\n"
    "           (\\0 unless given).\n"
    "  A search (/f, /t, or /v or /ve with /s) ends with the number of matches.\n"
    "\n"
    "Examples:\n"
    "  REG QUERY HKLM\\Software\\Tessamont\\Quorvane /v FirstRun\n"
    "  REG QUERY HKLM\\SYSTEM /f MaxMTU /v /s /e\n"
    "  REG QUERY HKLM\\SYSTEM /s /t REG_DWORD /z\n";

constexpr const char* kAddHelp =
    "  Makes the key (and the keys above it) and sets a value in it: ValueName,\n"
    "  or the default value when no name is given.\n"
    "\n"
    "  /v       The value ValueName.\n"
    "  /ve      The key's default value (empty value name), as without /v.\n"
    "  /t       The type: REG_SZ (the default), REG_EXPAND_SZ, REG_MULTI_SZ,\n"
    "           REG_DWORD (also REG_DWORD_LITTLE_ENDIAN, REG_DWORD_BIG_ENDIAN),\n"
    "           REG_QWORD, REG_BINARY or REG_NONE.\n"
    "  /s       The one character between the texts of a REG_MULTI_SZ's Data (\\0\n"
    "           unless given).\n"
    "  /d       The data: a number decimal (a REG_QWORD's may be negative) or 0x\n"
    "           and hex digits, which a REG_DWORD needs; REG_BINARY hex digits;\n"
    "           text otherwise. Without it, empty (a REG_QWORD 0).\n"
    "  /f       Replaces a value that is there without asking.\n"
    "\n"
    "Examples:\n"
    "  REG ADD HKLM\\Software\\Test /v MaxMTU /d 1500\n"
    "  REG ADD HKLM\\Software\\Test /v Flags /t REG_DWORD /d 0x1 /f\n"
    "  REG ADD HKLM\\Software\\Test /v Names /t REG_MULTI_SZ /s # /d one#two\n";

constexpr const char* kDeleteHelp =
    "  Deletes the key with every key and value below it, or one value, or all\n"
    "  of the key's own values; each in one change of the registry.\n"
    "\n"
    "  /v       The value ValueName only.\n"
    "  /ve      The key's default value only.\n"
    "  /va      All of the key's values; its subkeys stay.\n"
    "  /f       Deletes without asking.\n"
    "\n"
    "Examples:\n"
    "  REG DELETE HKLM\\Software\\Tessamont\\Quorvane /v FirstRun /f\n"
    "  REG DELETE HKLM\\Software\\Test\n";

constexpr const char* kCopyHelp =
    "  Copies the values of KeyName1 into KeyName2, made where missing, in one\n"
    "  change of the registry; KeyName2's other values stay. The two keys may\n"
    "  not be one; KeyName1 is copied as it was when the copy began.\n"
    "\n"
    "  /s       The subkeys too, with all of theirs.\n"
    "  /f       Replaces values that are there without asking.\n"
    "\n"
    "Example:\n"
    "  REG COPY HKLM\\Software\\Tessamont\\Quorvane\\Backup HKLM\\Software\\Saved /s /f\n";

constexpr const char* kCompareHelp =
    "  Compares the values of two keys, or one value of each. A line begins\n"
    "  with < for what is in KeyName1 and not so in KeyName2, > for the\n"
    "  other way round, = for what both hold alike.\n"
    "\n"
    "  /v       The value ValueName only.\n"
    "  /ve      The default value only.\n"
    "  /s       The subkeys too, all the way down; a subkey that only one key\n"
    "           has is one difference.\n"
    "  /oa      Shows differences and matches.\n"
    "  /od      Shows differences only (the default).\n"
    "  /os      Shows matches only.\n"
    "  /on      Shows neither, only the result.\n"
    "\n"
    "Exit codes: 0 the keys are identical, 2 they differ, 1 the compare failed.\n"
    "\n"
    "Example:\n"
    "  REG COMPARE HKLM\\Software\\Tessamont\\Quorvane\\Backup HKLM\\Software\\Saved /s\n";

constexpr const char* kExportHelp =
    "  Writes the key, every key below it and all their values to FileName as\n"
    "  reg.exe writes a registry file (\"Windows Registry Editor Version 5.00\",\n"
    "  UTF-16), whole: a file that cannot be written leaves the old one as it was.\n"
    "\n"
    "  /y       Replaces an existing file without asking.\n"
    "\n"
    "Example:\n"
    "  REG EXPORT HKLM\\Software\\Tessamont\\Quorvane\\Backup backup.reg\n";

constexpr const char* kImportHelp =
    "  Applies a registry file, of version 5.00 or REGEDIT4, in one change of the\n"
    "  registry; a line that cannot be read stops it, keeping the lines before.\n"
    "\n"
    "Example:\n"
    "  REG IMPORT backup.reg\n";

constexpr CommandRow kCommands[] = {
    {.name = "query",
     .operation = RegOperation::Query,
     .family = Family::RegExe,
     .store = StoreUse::Existing,
     .positionals = kKey,
     .options = kQueryOptions,
     .complete = CompleteQuery,
     .synopsis = "REG QUERY KeyName [/v [ValueName] | /ve] [/s]\n"
                 "          [/f Data [/k] [/d] [/c] [/e]] [/t Type] [/z] [/se Separator]",
     .help = kQueryHelp,
     .run = RunQuery},
    {.name = "add",
     .operation = RegOperation::Add,
     .family = Family::RegExe,
     .store = StoreUse::Made,
     .positionals = kKey,
     .options = kAddOptions,
     .complete = CompleteAdd,
     .synopsis = "REG ADD KeyName [/v ValueName | /ve] [/t Type] [/s Separator] [/d Data] [/f]",
     .help = kAddHelp,
     .run = RunAdd},
    {.name = "delete",
     .operation = RegOperation::Delete,
     .family = Family::RegExe,
     .store = StoreUse::Existing,
     .positionals = kKey,
     .options = kDeleteOptions,
     .synopsis = "REG DELETE KeyName [/v ValueName | /ve | /va] [/f]",
     .help = kDeleteHelp,
     .run = RunDelete},
    {.name = "copy",
     .operation = RegOperation::Copy,
     .family = Family::RegExe,
     .store = StoreUse::Made,
     .positionals = kTwoKeys,
     .options = kCopyOptions,
     .synopsis = "REG COPY KeyName1 KeyName2 [/s] [/f]",
     .help = kCopyHelp,
     .run = RunCopy},
    {.name = "compare",
     .operation = RegOperation::Compare,
     .family = Family::RegExe,
     .store = StoreUse::Existing,
     .positionals = kTwoKeys,
     .options = kCompareOptions,
     .complete = CompleteCompare,
     .synopsis = "REG COMPARE KeyName1 KeyName2 [/v ValueName | /ve] [/s] [/oa | /od | /os | /on]",
     .help = kCompareHelp,
     .run = RunCompare},
    {.name = "export",
     .operation = RegOperation::Export,
     .family = Family::RegExe,
     .store = StoreUse::Existing,
     .positionals = kKeyAndFile,
     .options = kExportOptions,
     .synopsis = "REG EXPORT KeyName FileName [/y]",
     .help = kExportHelp,
     .run = RunExport},
    {.name = "import",
     .operation = RegOperation::Import,
     .family = Family::RegExe,
     .store = StoreUse::Made,
     .positionals = kFile,
     .options = kViews,
     .synopsis = "REG IMPORT FileName",
     .help = kImportHelp,
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

// reg.exe's operations on hive files (IsHiveOperation).
constexpr const char* kHiveOperations[] = {"save", "restore", "load", "unload", "flags"};

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
     "\n"
     "  KeyName    HKLM\\SubKey or HKEY_LOCAL_MACHINE\\SubKey, in the portable\n"
     "             registry that QUORVANE_REGISTRY names, or the default one.\n"
     "Each also takes /reg:32 or /reg:64; the portable registry has one view,\n"
     "which both name. \"REG operation /?\" tells an operation's options.\n"
     "SAVE, LOAD, UNLOAD, FLAGS and RESTORE of a key, which work on hive files,\n"
     "and keys of other computers (\\\\COMPUTER\\KeyName) are refused: the\n"
     "portable registry is one file of this computer.\n"},
    {Family::Program,
     "\n"
     "  ConnectionType  \"Modem\", \"ADSL Modem\", \"Cable Modem\" or \"LAN Connection\".\n"
     "  /accept, /f     optimise's disclaimer and restore's question are asked when\n"
     "                  standard input is a console; elsewhere nobody answers, and\n"
     "                  they are declined unless /accept or /f answers Yes.\n"
     "  /y              preset: replaces an existing file without asking; without\n"
     "                  it, No keeps the file (exit code 0), as REG EXPORT does.\n"
     "  Exit code       0 when done; 1 when not: a failure, the disclaimer or\n"
     "                  restore's question declined, or a value that verify finds\n"
     "                  not set. Failures are told on standard error.\n"
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
    if (row.family == Family::RegExe) names.push_back(ShownName(row.name));
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

bool IsHiveOperation(const std::string& name) {
  return std::any_of(std::begin(kHiveOperations), std::end(kHiveOperations),
                     [&](const char* hive) { return SameLetters(name, hive); });
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
  const std::string synopsis = std::string(row.synopsis) + "\n";
  if (row.help != nullptr) return synopsis + "\n" + row.help;
  return synopsis + row.summary + NotesOf(row.family);
}

std::string ShownName(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

}  // namespace quorvane::tools
