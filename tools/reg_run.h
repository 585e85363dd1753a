// Runs quorvane-reg's commands, each by its row of the command table
// (reg_commands.h): the registry's on the portable registry, printing what
// reg.exe prints; the program's on the registry that the program works on.
// Exit codes: 0 success (also a question of reg.exe's answered No), 1
// failure (also the program's question answered No), and compare's 2 for
// keys that differ.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "tools/reg_arguments.h"
#include "tools/reg_commands.h"

namespace quorvane::tools {

// Runs one parsed command, on store when its row uses one. Questions
// (without /f) are asked on out and answered on in; the program's only
// where console says that a person is there to answer them.
int RunRegCommand(const RegCommand& command, CommandStore& store, std::istream& in,
                  std::ostream& out, std::ostream& err, bool console);

// The whole tool: parses args, opens the store that the environment names
// when the command uses one, runs the command and delivers its output. A
// command that does not parse opens nothing; a command that works on the
// store that is there (a query) never creates it. console: standard input
// is a console.
int QuorvaneReg(const std::vector<std::string>& args, bool console, std::istream& in,
                std::ostream& out, std::ostream& err);

// The store for a command of the given use (not None), as the platform
// opens it (reg_store_portable.cpp, reg_store_windows.cpp): kSuccess with
// *store set, or the status of a store that is not there to be worked on
// (kNotFound: a query of a store that does not exist). Throws
// store::RegistryOpenError.
[[nodiscard]] store::Status OpenCommandStore(StoreUse use, std::unique_ptr<CommandStore>* store);

// After a command that failed, what more the store can tell of why.
void ExplainFailure(const CommandStore& store, std::ostream& err);

}  // namespace quorvane::tools
