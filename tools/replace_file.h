// Writing a file whole or not at all, for the registry files that export
// and preset write: the file a person keeps as the backup of their settings
// must never be left half-written, nor lost to a power cut after it was
// reported written. Paths are UTF-8 on Windows (replace_file_windows.cpp),
// the system's bytes elsewhere (replace_file.cpp).
#pragma once

#include <string>
#include <string_view>

namespace quorvane::tools {

// Makes the file at path hold bytes: writes them to a new file in the same
// folder, syncs it, renames it over path and syncs the folder. A symbolic
// link is followed: its target is replaced, the link stays. A file that is
// there keeps its permissions (and, for the superuser, its owner); one that
// cannot be written is not replaced. Something that is not a regular file
// (a device, a pipe) is written into as it is.
struct Replacement {
  // 0, or the system's error of the step that failed (an errno; on Windows
  // a Win32 error). Until the rename, a failure leaves the file at path as
  // it was, byte for byte, and no new file.
  int error = 0;
  // The new file took the old one's place: an error then is the folder's
  // sync, and a power cut may still bring the old file back.
  bool replaced = false;
};
[[nodiscard]] Replacement ReplaceFileWhole(const std::string& path, std::string_view bytes);

// Something is at path (a file, a folder, a device), as the question before
// replacing a file asks.
bool FileExists(const std::string& path);

// The system's words for a Replacement's error, without a closing stop.
std::string ErrorText(int error);

}  // namespace quorvane::tools
