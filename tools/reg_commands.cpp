#include "tools/reg_commands.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <iterator>
#include <string_view>

#include "tools/reg_texts.h"
#include "tools/reg_transfer.h"

namespace quorvane::tools {
namespace {

// What reg.exe's commands take.

constexpr Positional kKey[] = {Positional::Key};
constexpr Positional kKeyAndFile[] = {Positional::Key, Positional::File};
constexpr Positional kFile[] = {Positional::File};
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
constexpr OptionRow kPresetOptions[] = {{"y", Option::Force}};

// A search of the subtree for one value is not offered.
const char* CompleteQuery(const GivenOptions&, RegCommand* command) {
  return command->recurse && command->valueName ? text::kInvalidSyntax : nullptr;
}

int RunExport(const CommandRun& run) {
  return ExportKey(run.command, *run.store, run.in, run.out, run.err);
}

int RunImport(const CommandRun& run) {
  return ImportFile(run.command, *run.store, run.out, run.err);
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
    {.name = "preset",
     .operation = RegOperation::Preset,
     .family = Family::Program,
     .store = StoreUse::None,
     .positionals = kConnectionAndFile,
     .options = kPresetOptions,
     .synopsis = "quorvane-reg preset ConnectionType FileName [/y]",
     .summary = "  writes the values that Quorvane's Optimise writes for ConnectionType\n"
                "  (\"Modem\", \"ADSL Modem\", \"Cable Modem\" or \"LAN Connection\")"
                " as a registry\n"
                "  file for reg import.\n",
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
     "which both name. quorvane-reg --version prints its version.\n"
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
    {Family::Program, ""},
};

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
    for (const CommandRow& row : kCommands) {
      if (row.family == family.family) usage += std::string(row.synopsis) + "\n" + row.summary;
    }
    usage += family.notes;
  }
  return usage;
}

}  // namespace quorvane::tools
