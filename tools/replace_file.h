// Writing a file whole or not at all, for the registry files that export
// and preset write: the file a person keeps as the backup of their settings
// must never be left half-written, nor lost to a power cut after it was
// reported written, nor be read by anyone the old file did not let read it.
// Paths are UTF-8 on Windows (replace_file_windows.cpp, which writes bytes
// made whole), the system's bytes elsewhere (replace_file.cpp).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quorvane::tools {

// Where a new file's bytes go, a piece at a time, through a buffer of its
// own: contents as big as the store need not be held whole.
class FileOutput {
 public:
  explicit FileOutput(int fd) : fd_(fd) {}
  FileOutput(const FileOutput&) = delete;
  FileOutput& operator=(const FileOutput&) = delete;

  // Appends bytes; false once a write has failed (error() says why), after
  // which nothing more is written.
  bool Write(std::string_view bytes);
  // Writes out what the buffer holds; false as Write.
  bool Flush();
  // 0, or the errno of the write that failed.
  int error() const { return error_; }

 private:
  static constexpr std::size_t kBufferSize = 1 << 16;
  int fd_;
  int error_ = 0;
  std::string buffer_;
};

// Writes a file's contents into out; false to stop, when out failed or the
// contents cannot be made (the caller then knows and tells why).
using FileContents = std::function<bool(FileOutput& out)>;

// Makes the file at path hold contents: writes them to a new file in the
// same folder, syncs it, renames it over path and syncs the folder. A
// symbolic link is followed: its target is replaced, the link stays. A file
// that is there keeps its permissions (and, for the superuser, its owner),
// and the new one is readable by its owner alone from its making until it
// has them; one that cannot be written is not replaced. Something that is
// not a regular file (a device, a pipe) is written into as it is.
//
// The new file's name is hidden and marked as this program's (".NAME." and
// a random part, or a shorter one where the folder allows no longer name),
// and the new file is locked while it is written: the new files of runs
// that were killed, which no run holds locked, are removed by the next
// replacement in that folder, and never one that another run is writing.
struct Replacement {
  // 0, or the system's error of the step that failed (an errno; on Windows
  // a Win32 error). Until the rename, a failure leaves the file at path as
  // it was, byte for byte, and no new file.
  int error = 0;
  // The new file took the old one's place: an error then is the folder's
  // sync, and a power cut may still bring the old file back.
  bool replaced = false;
  // The new file could not be made in path's folder for its permissions,
  // where path itself may well be writable.
  bool inFolder = false;
  // contents stopped without a failed write: nothing was replaced.
  bool stopped = false;
};
// Written a piece at a time: the portable registry's tool only
// (replace_file.cpp).
[[nodiscard]] Replacement ReplaceFileWhole(const std::string& path, const FileContents& contents);
// Written from bytes held whole: the only form on Windows, whose files are
// made in memory first (replace_file_windows.cpp).
[[nodiscard]] Replacement ReplaceFileWhole(const std::string& path, std::string_view bytes);

// Something is at path (a file, a folder, a device), as the question before
// replacing a file asks.
bool FileExists(const std::string& path);

// The system's words for a Replacement's error, without a closing stop.
std::string ErrorText(int error);

}  // namespace quorvane::tools
