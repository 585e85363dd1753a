// Why the registry cannot be opened, as the store reports it: the status
// that says why, the file (on the portable registry) and what about the
// file; and the words in which the program and quorvane-reg tell it, from
// one table (open_failure.cpp).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

#include "store/registry_backend.h"

namespace quorvane::store {

struct OpenFailure {
  enum class Detail {
    None,                // the status says why
    NoFileNamed,         // the file's name is empty
    NoHomeFolder,        // no place for the file: no home folder, nothing named
    NotOurs,             // a file of other content, or a database of another program
    Folder,              // a folder, not a file
    NotRegular,          // a device, a pipe, a socket
    NewerFormat,         // written by a newer version; format says which
    ChangesBeside,       // its latest changes are in a "-wal" or "-journal" beside
                         // it, which cannot be read: the status says why
    FolderNotCreatable,  // its missing folder cannot be made; systemError says why
  };
  Status status = kSuccess;
  std::string path;        // the file; empty when there is none
  Detail detail = Detail::None;
  std::int64_t format = 0; // NewerFormat: the format the file is in...
  std::int64_t readable = 0; // ...and the one this version reads
  int systemError = 0;     // the errno that says more, or 0
};

// The failure in quorvane-reg's words (after its "ERROR: "), which are also
// those of the tools that print it: "The registry "FILE" cannot be opened:
// REASON."
std::string DescribeOpenFailure(const OpenFailure& failure);

// The failure in the window's words, the text of the box that the program
// shows before it ends: "Quorvane cannot open its registry "FILE"", what is
// wrong with the file, and the reason of its status where that tells more.
std::string DescribeOpenFailureInWindow(const OpenFailure& failure);

// Thrown when the registry cannot be opened; what() is DescribeOpenFailure.
class RegistryOpenError : public std::runtime_error {
 public:
  explicit RegistryOpenError(OpenFailure failure)
      : std::runtime_error(DescribeOpenFailure(failure)), failure_(std::move(failure)) {}
  const OpenFailure& failure() const { return failure_; }

 private:
  OpenFailure failure_;
};

}  // namespace quorvane::store
