// Writing a file whole or not at all, for the registry files that export
// and preset write: the file a person keeps as the backup of their settings
// must never be left half-written, nor lost to a power cut after it was
// reported written.
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
  // 0, or the errno of the step that failed. Until the rename, a failure
  // leaves the file at path as it was, byte for byte, and no new file.
  int error = 0;
  // The new file took the old one's place: an error then is the folder's
  // sync, and a power cut may still bring the old file back.
  bool replaced = false;
};
[[nodiscard]] Replacement ReplaceFileWhole(const std::string& path, std::string_view bytes);

}  // namespace quorvane::tools
