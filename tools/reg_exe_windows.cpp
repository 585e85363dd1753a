// On Windows reg.exe's commands are Windows' own reg.exe's: the parser
// answers each of them with the line that says so before reading its
// arguments (kRegExeCommandsRun), so that their runners, which work on the
// portable registry, are not built here and are never reached; nor is
// query's completion, which stands in its runner's file.
#include <cstdlib>

#include "tools/reg_commands.h"

namespace quorvane::tools {

int RunQuery(const CommandRun&) { std::abort(); }
int RunAdd(const CommandRun&) { std::abort(); }
int RunDelete(const CommandRun&) { std::abort(); }
int RunCopy(const CommandRun&) { std::abort(); }
int RunCompare(const CommandRun&) { std::abort(); }
int RunExport(const CommandRun&) { std::abort(); }
int RunImport(const CommandRun&) { std::abort(); }
const char* CompleteQuery(const GivenOptions&, RegCommand*) { std::abort(); }

}  // namespace quorvane::tools
