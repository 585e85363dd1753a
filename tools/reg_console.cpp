#include "tools/reg_console.h"

#include <cctype>
#include <iostream>

#include "store/status_words.h"
#include "tools/reg_texts.h"
#include "tools/replace_file.h"

namespace quorvane::tools {

// What was asked for is not done until it is read.
int Delivered(int code, std::ostream& out, std::ostream& err) {
  if (out.flush()) return code;
  err << text::kOutputFailed << "\n";
  return 1;
}

int Fail(std::ostream& err, store::Status status) {
  err << text::kErrorPrefix << store::CommandLineReason(status) << "\n";
  return 1;
}

int ReplaceFileAsked(const std::string& path, bool force, std::istream& in, std::ostream& out,
                     std::ostream& err, const std::function<Replacement()>& replace) {
  const bool exists = FileExists(path);
  if (!force && exists &&
      !Confirm(in, out, text::kReplaceFileBefore + path + text::kReplaceFileAfter)) {
    out << text::kCancelled << "\n";
    return 0;
  }
  const Replacement written = replace();
  if (written.stopped) return 1;  // the contents said why
  if (written.error != 0) {
    err << text::kFileError << "\n" << text::kFileBefore << path;
    if (exists && written.inFolder) {
      err << text::kFileFolderBefore << ErrorText(written.error) << text::kFileFolderAfter;
    } else {
      err << (written.replaced ? text::kFileNotSynced : exists ? text::kFileLeft
                                                               : text::kFileNotWritten)
          << ErrorText(written.error) << ".";
    }
    err << "\n";
    return 1;
  }
  out << text::kSuccess << "\n";
  return 0;
}

bool Confirm(std::istream& in, std::ostream& out, const std::string& question) {
  std::string answer;
  for (;;) {
    out << question << std::flush;
    if (!std::getline(in, answer)) {
      out << "\n";
      return false;
    }
    std::string word;
    for (const char c : answer) {
      if (!std::isspace(static_cast<unsigned char>(c))) {
        word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      }
    }
    if (word == "y" || word == "yes") return true;
    if (word == "n" || word == "no") return false;
  }
}

}  // namespace quorvane::tools
