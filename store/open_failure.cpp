#include "store/open_failure.h"

#include <cstring>

#include "store/status_words.h"

namespace quorvane::store {
namespace {

using Detail = OpenFailure::Detail;

// The words of one kind of failure, for the window and for quorvane-reg.
struct DetailWords {
  Detail detail;
  bool namesFile;  // the words name the file (the window: when it has a name)
  // The window's words after its lead and the file's name; the status's
  // reason follows them where withReason says so.
  const char* window;
  bool withReason;
  // quorvane-reg's reason, after the file's name and "cannot be opened: ".
  std::string (*commandLine)(const OpenFailure& failure);
};

std::string StatusReason(const OpenFailure& failure) {
  return UnopenedReason(failure.status, failure.systemError);
}

constexpr DetailWords kDetailWords[] = {
    {Detail::None, true, ".", true, StatusReason},
    {Detail::NoFileNamed, true, ": no file is named.", false,
     [](const OpenFailure&) -> std::string { return "no file is named"; }},
    {Detail::NoHomeFolder, false,
     ": there is no home folder to keep it in. Set QUORVANE_REGISTRY to the file to use.", false,
     [](const OpenFailure&) -> std::string {
       return "there is no home folder to keep it in. Set QUORVANE_REGISTRY to the file to use";
     }},
    {Detail::NotOurs, true, ": the file is not a Quorvane registry.", false,
     [](const OpenFailure&) -> std::string { return "it is not a Quorvane registry"; }},
    {Detail::Folder, true, ": it is a folder, not a file.", false,
     [](const OpenFailure&) -> std::string { return "it is a folder, not a file"; }},
    {Detail::NotRegular, true, ": it is not a regular file.", false,
     [](const OpenFailure&) -> std::string { return "it is not a regular file"; }},
    {Detail::NewerFormat, true,
     ": it was written by a newer version of Quorvane, which this version cannot read.", false,
     [](const OpenFailure& failure) {
       return "it was written by a newer version of Quorvane (format " +
              std::to_string(failure.format) + "; this version reads format " +
              std::to_string(failure.readable) + ")";
     }},
    {Detail::ChangesBeside, true,
     ": its latest changes are in a file beside it that cannot be read now.", true,
     [](const OpenFailure& failure) {
       return std::string("its latest changes are in a \"-wal\" or \"-journal\" file beside it, "
                          "which cannot be read while ") +
              (failure.status == kDiskFull ? UnopenedReason(kDiskFull, 0)
                                           : "nothing can be written in its folder");
     }},
    {Detail::FolderNotCreatable, true, ": its folder cannot be made.", true,
     [](const OpenFailure& failure) {
       return "its folder cannot be created (" + std::string(std::strerror(failure.systemError)) +
              ")";
     }},
};

const DetailWords& WordsOf(Detail detail) {
  for (const DetailWords& words : kDetailWords) {
    if (words.detail == detail) return words;
  }
  return kDetailWords[0];
}

}  // namespace

std::string DescribeOpenFailure(const OpenFailure& failure) {
  const DetailWords& words = WordsOf(failure.detail);
  std::string text = "The registry";
  if (words.namesFile) text += " \"" + failure.path + "\"";
  return text + " cannot be opened: " + words.commandLine(failure) + ".";
}

std::string DescribeOpenFailureInWindow(const OpenFailure& failure) {
  const DetailWords& words = WordsOf(failure.detail);
  std::string text = "Quorvane cannot open its registry";
  if (words.namesFile && !failure.path.empty()) text += " \"" + failure.path + "\"";
  text += words.window;
  // Appended piece by piece: GCC 12 at -O3 takes " " + a temporary string
  // for an overlapping copy (-Wrestrict), failing the Release builds.
  if (words.withReason) text.append(" ").append(WindowReason(failure.status));
  return text;
}

}  // namespace quorvane::store
