// WriteFileAsked on Windows, where no store of the program's is a file:
// quorvane-reg.exe works on Windows' own registry.
#include <iostream>

#include "tools/reg_console.h"
#include "tools/reg_texts.h"
#include "tools/replace_file.h"

namespace quorvane::tools {

int WriteFileAsked(const std::string& path, const std::string& bytes, bool force,
                   std::istream& in, std::ostream& out, std::ostream& err) {
  const bool exists = FileExists(path);
  if (!force && exists &&
      !Confirm(in, out, text::kReplaceFileBefore + path + text::kReplaceFileAfter)) {
    out << text::kCancelled << "\n";
    return 0;
  }
  const Replacement written = ReplaceFileWhole(path, bytes);
  if (written.error != 0) {
    const char* what = written.replaced ? text::kFileNotSynced
                       : exists         ? text::kFileLeft
                                        : text::kFileNotWritten;
    err << text::kFileError << "\n"
        << text::kFileBefore << path << what << ErrorText(written.error) << ".\n";
    return 1;
  }
  out << text::kSuccess << "\n";
  return 0;
}

}  // namespace quorvane::tools
