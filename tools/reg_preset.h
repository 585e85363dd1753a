// quorvane-reg preset ConnectionType FILE [/y]: the values that Optimise
// writes for a connection type, as a registry file that reg.exe imports on
// any number of computers. The one command of the tool that knows the
// program's settings; the registry commands know nothing of them.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "tools/reg_file.h"

namespace quorvane::tools {

// The preset of connectionType (one of the connection-type list's names,
// exactly) as keys and values in the order Optimise writes them; nullopt
// for any other name.
std::optional<std::vector<RegFileKey>> PresetKeys(const std::string& connectionType);

// True when args ask for the preset command.
bool IsPresetCommand(const std::vector<std::string>& args);

// Runs it: 0 when the file is written (or replacing it was declined), 1 on
// a fault, with reg.exe's messages.
int RunPreset(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err);

}  // namespace quorvane::tools
