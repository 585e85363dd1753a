// What every command shares: its failures told in reg.exe's words, its
// questions asked on the console, its output delivered, and a file written
// after asking.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "store/registry_backend.h"
#include "tools/replace_file.h"

namespace quorvane::tools {

// Prints the failure's text ("ERROR: " and the status's words) and answers 1.
int Fail(std::ostream& err, store::Status status);

// Asks until the answer is yes or no, in any letter case (the end of the
// input is no).
bool Confirm(std::istream& in, std::ostream& out, const std::string& question);

// Answers a command's exit code once its output is written, or 1 with the
// reason when the output cannot be written.
int Delivered(int code, std::ostream& out, std::ostream& err);

// Has replace write the file at path whole (ReplaceFileWhole), asking
// first (unless force) when a file is there, and tells how it went: 0 when
// written or declined, as reg.exe answers; 1 with reg.exe's message and the
// reason when it could not be written (the file that was there left as it
// was), or when the contents stopped, having said why.
int ReplaceFileAsked(const std::string& path, bool force, std::istream& in, std::ostream& out,
                     std::ostream& err, const std::function<Replacement()>& replace);

// Writes a registry file's bytes to path as ReplaceFileAsked does. On the
// portable registry (reg_transfer.cpp) the store's own file and its
// companions are refused before anything is asked or written; Windows'
// registry is no file (write_file_asked_windows.cpp).
int WriteFileAsked(const std::string& path, const std::string& bytes, bool force,
                   std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quorvane::tools
