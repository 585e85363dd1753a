// On Windows reg.exe's commands are Windows' own reg.exe's: the parser
// answers each of them with the line that says so before reading its
// arguments (kRegExeCommandsRun), so that their runners, which work on the
// portable registry, are not built here and are never reached.
#include <cstdlib>

#include "tools/reg_commands.h"

namespace quorvane::tools {

int RunQuery(const CommandRun&) { std::abort(); }
int RunAdd(const CommandRun&) { std::abort(); }
int RunDelete(const CommandRun&) { std::abort(); }
int RunExport(const CommandRun&) { std::abort(); }
int RunImport(const CommandRun&) { std::abort(); }

}  // namespace quorvane::tools
