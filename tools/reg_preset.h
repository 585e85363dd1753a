// quorvane-reg preset ConnectionType FILE [/y]: the values that Optimise
// writes for a connection type, as a registry file that reg.exe imports on
// any number of computers. A file carries no backup: the computers that
// import it keep no copy of their own values, which optimise takes. Its
// runner, RunPreset, is the command table's (reg_commands.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/reg_file.h"

namespace quorvane::tools {

// The preset of connectionType (one of the connection-type list's names,
// exactly) as keys and values in the order Optimise writes them; nullopt
// for any other name.
std::optional<std::vector<RegFileKey>> PresetKeys(const std::string& connectionType);

}  // namespace quorvane::tools
