// quorvane-reg's argument parser and its commands, each reached through the
// command table, run on a scratch store that each input starts afresh. An
// input is up to eight command lines, one a line, their arguments separated
// by tabs; after a NUL, the bytes of the file that import reads. Files named
// on a command line are the scratch folder's own: import reads in.reg,
// export and preset write out.reg. Questions are answered Yes, as on a
// console.
//
// Oracles: a command answers 0 or 1 (compare also 2, keys that differ);
// every file export writes reads back, whole, to the keys and values that
// the store then holds; and an optimise that answers 0 leaves its preset
// live, as verify reads it.
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "engine/verify_preset.h"
#include "fuzz/reg_file_oracle.h"
#include "store/registry.h"
#include "store/sqlite_registry.h"
#include "tools/reg_arguments.h"
#include "tools/reg_commands.h"
#include "tools/reg_run.h"
#include "tools/reg_transfer.h"

namespace quorvane::fuzz {
namespace {

constexpr std::size_t kMostCommands = 8;

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.emplace_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// What export wrote for path, against what the store holds there.
void CheckExport(store::SqliteRegistry& store, const std::string& path, const std::string& file) {
  const tools::RegFileRead read = tools::ReadRegFile(ReadFile(file));
  Require(read.outcome == tools::RegFileRead::Outcome::Read, "an exported file reads whole");
  std::vector<tools::RegFileKey> held;
  Require(tools::ReadSubtree(store, path, &held) == store::kSuccess, "what was exported is there");
  Require(SameKeys(read.keys, held), "an exported file reads as the store holds it");
}

bool TakesFile(const tools::CommandRow& row) {
  return std::find(row.positionals.begin(), row.positionals.end(), tools::Positional::File) !=
         row.positionals.end();
}

}  // namespace
}  // namespace quorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  const std::string_view input = fuzz::Bytes(data, size);
  const std::size_t nul = input.find('\0');
  const std::string& folder = fuzz::ScratchFolder();
  const std::string storePath = folder + "/registry.sqlite3";
  const std::string in = folder + "/in.reg";
  const std::string out = folder + "/out.reg";
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    unlink((storePath + suffix).c_str());
  }
  unlink(out.c_str());
  fuzz::WriteFile(in, nul == std::string_view::npos ? "" : input.substr(nul + 1));

  auto backend = store::SqliteRegistry::Open(storePath);
  const auto lines = fuzz::Split(input.substr(0, nul), '\n');
  for (std::size_t i = 0; i < lines.size() && i < fuzz::kMostCommands; ++i) {
    const std::vector<std::string> args = fuzz::Split(lines[i], '\t');
    std::istringstream answers("y\n");
    std::ostringstream output, errors;
    const tools::RegParse parse = tools::ParseRegArguments(args);
    if (parse.outcome != tools::RegParse::Outcome::Run) continue;
    tools::RegCommand command = parse.command;
    if (fuzz::TakesFile(tools::CommandOf(command.operation))) {
      command.file = command.operation == tools::RegOperation::Import ? in : out;
    }
    const int code = tools::RunRegCommand(command, *backend, answers, output, errors, true);
    const bool compare = command.operation == tools::RegOperation::Compare;
    fuzz::Require(code == 0 || code == 1 || (compare && code == 2), "a command answers its codes");
    if (command.operation == tools::RegOperation::Export && code == 0) {
      fuzz::CheckExport(*backend, command.path, out);
    }
    if (command.operation == tools::RegOperation::Optimise && code == 0) {
      fuzz::Require(engine::VerifyPreset(store::Registry(*backend), command.connection).AllLive(),
                    "an optimise that succeeded leaves its preset live");
    }
  }
  return 0;
}
