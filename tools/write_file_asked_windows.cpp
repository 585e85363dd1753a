// WriteFileAsked on Windows, where no store of the program's is a file:
// quorvane-reg.exe works on Windows' own registry.
#include "tools/reg_console.h"
#include "tools/replace_file.h"

namespace quorvane::tools {

int WriteFileAsked(const std::string& path, const std::string& bytes, bool force,
                   std::istream& in, std::ostream& out, std::ostream& err) {
  return ReplaceFileAsked(path, force, in, out, err,
                          [&] { return ReplaceFileWhole(path, bytes); });
}

}  // namespace quorvane::tools
