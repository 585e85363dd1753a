// What every command shares: its failures told in reg.exe's words, its
// questions asked on the console, its output delivered, and a file written
// after asking.
#pragma once

#include <iosfwd>
#include <string>

#include "store/registry_backend.h"

namespace quorvane::tools {

// Prints the failure's text ("ERROR: " and the status's words) and answers 1.
int Fail(std::ostream& err, store::Status status);

// Asks until the answer is yes or no, in any letter case (the end of the
// input is no).
bool Confirm(std::istream& in, std::ostream& out, const std::string& question);

// Answers a command's exit code once its output is written, or 1 with the
// reason when the output cannot be written.
int Delivered(int code, std::ostream& out, std::ostream& err);

// Writes a registry file's bytes to path whole (ReplaceFileWhole), asking
// first (unless force) when a file is there; 0 when written or declined, as
// reg.exe answers; 1 with reg.exe's message and the reason when it cannot be
// written, the file that was there left as it was. On the portable
// registry (reg_transfer.cpp) the store's own file and its companions are
// refused before anything is asked or written; Windows' registry is no file
// (write_file_asked_windows.cpp).
int WriteFileAsked(const std::string& path, const std::string& bytes, bool force,
                   std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quorvane::tools
