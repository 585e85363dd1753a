// Runs quorvane-reg's commands, each by its row of the command table
// (reg_commands.h): the registry's on the portable registry, printing what
// reg.exe prints. Exit codes: 0 success (also a question answered No),
// 1 failure.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "store/sqlite_registry.h"
#include "tools/reg_arguments.h"

namespace quorvane::tools {

// Runs one parsed command, on store when its row uses one. Questions
// (without /f) are asked on out and answered on in.
int RunRegCommand(const RegCommand& command, store::SqliteRegistry& store, std::istream& in,
                  std::ostream& out, std::ostream& err);

// The whole tool: parses args, opens the store that the environment names
// when the command uses one, runs the command and delivers its output. A
// command that does not parse opens nothing; a command that works on the
// store that is there (a query) never creates it.
int QuorvaneReg(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err);

}  // namespace quorvane::tools
