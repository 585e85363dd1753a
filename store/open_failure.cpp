#include "store/open_failure.h"

#include <cstring>

namespace quorvane::store {
namespace {

using Detail = OpenFailure::Detail;

// Why a store cannot be opened, in words that follow its name, by status.
struct StatusReason {
  Status status;
  const char* reason;
};
constexpr StatusReason kReasons[] = {
    {kInUse, "it is in use by another program"},
    {kDiskFull, "the disk is full"},
    {kRegistryCorrupt, "it is damaged"},
    {kWriteProtected, "it can only be read"},
    {kAccessDenied, "access to it is denied"},
    {kBadPathname, "its name is not a usable file name"},
};

std::string ReasonOf(Status status, int systemError) {
  for (const StatusReason& known : kReasons) {
    if (known.status == status) return known.reason;
  }
  if (systemError != 0) return std::strerror(systemError);
  return "it cannot be read or written (an input/output error)";
}

std::string ReasonOf(const OpenFailure& failure) {
  switch (failure.detail) {
    case Detail::None:
    case Detail::NoHomeFolder:
      break;
    case Detail::NoFileNamed:
      return "no file is named";
    case Detail::NotOurs:
      return "it is not a Quorvane registry";
    case Detail::Folder:
      return "it is a folder, not a file";
    case Detail::NotRegular:
      return "it is not a regular file";
    case Detail::NewerFormat:
      return "it was written by a newer version of Quorvane (format " +
             std::to_string(failure.format) + "; this version reads format " +
             std::to_string(failure.readable) + ")";
    case Detail::ChangesBeside:
      return std::string("its latest changes are in a \"-wal\" or \"-journal\" file beside it, "
                         "which cannot be read while ") +
             (failure.status == kDiskFull ? "the disk is full"
                                          : "nothing can be written in its folder");
    case Detail::FolderNotCreatable:
      return "its folder cannot be created (" + std::string(std::strerror(failure.systemError)) +
             ")";
  }
  return ReasonOf(failure.status, failure.systemError);
}

}  // namespace

std::string DescribeOpenFailure(const OpenFailure& failure) {
  if (failure.detail == Detail::NoHomeFolder) {
    return "The registry cannot be opened: there is no home folder to keep it in. Set "
           "QUORVANE_REGISTRY to the file to use.";
  }
  return "The registry \"" + failure.path + "\" cannot be opened: " + ReasonOf(failure) + ".";
}

}  // namespace quorvane::store
