#include "store/status_words.h"

#include <cstring>

namespace quorvane::store {
namespace {

// The words of one status. A column left empty (nullptr) has no words of
// its own for the status: it is told as any other status is (below).
struct StatusWords {
  Status status;
  // Why a write failed, as a window's failure box gives it after its own
  // text: a sentence.
  const char* window;
  // quorvane-reg's line after "ERROR: ", in the words of Windows' reg.exe.
  const char* commandLine;
  // Why the registry cannot be opened, after its name (quorvane-reg).
  const char* unopened;
};

constexpr const char* kDamaged = "The registry file is damaged.";

constexpr StatusWords kStatusWords[] = {
    {kNotFound, nullptr, "The system was unable to find the specified registry key or value.",
     nullptr},
    {kAccessDenied, "Quorvane may need to be run with administrator rights.", "Access is denied.",
     "access to it is denied"},
    {kWriteProtected, "The registry file can only be read.",
     "The registry cannot be written: it can only be read.", "it can only be read"},
    {kInUse, "Another program is using the registry.",
     "The registry is in use by another program.", "it is in use by another program"},
    {kInvalidParameter, nullptr, "The parameter is incorrect.", nullptr},
    {kDiskFull, "The disk is full.", "The registry cannot be written: the disk is full.",
     "the disk is full"},
    {kBadDatabase, kDamaged, "The configuration registry database is corrupt.", nullptr},
    {kRegistryCorrupt, kDamaged,
     "The registry is corrupted. The structure of one of the files containing registry data is "
     "corrupted.",
     "it is damaged"},
    {kWriteFault, "The registry file could not be read or written.", nullptr, nullptr},
    {kBadPathname, "The registry file's name cannot name a file.", "The specified path is invalid.",
     "its name is not a usable file name"},
    {kNoUnicodeTranslation, "The text holds characters that the registry cannot store.", nullptr,
     nullptr},
    {kAlreadyExists,
     "The registry file, made by an earlier version, holds two names that this version takes as "
     "one; quorvane-reg names them.",
     "The registry cannot be written: it holds two names that this version takes as one.",
     nullptr},
};

constexpr const char* kOtherWindowLead = "Windows reported error ";
constexpr const char* kOtherCommandLine =
    "An I/O operation initiated by the registry failed unrecoverably.";
constexpr const char* kOtherUnopened = "it cannot be read or written (an input/output error)";

const StatusWords* WordsOf(Status status) {
  for (const StatusWords& words : kStatusWords) {
    if (words.status == status) return &words;
  }
  return nullptr;
}

}  // namespace

std::string WindowReason(Status status) {
  const StatusWords* words = WordsOf(status);
  if (words && words->window) return words->window;
  return StatusNumberWords(status) + ".";
}

std::string StatusNumberWords(Status status) { return kOtherWindowLead + std::to_string(status); }

std::string CommandLineReason(Status status) {
  const StatusWords* words = WordsOf(status);
  return words && words->commandLine ? words->commandLine : kOtherCommandLine;
}

std::string UnopenedReason(Status status, int systemError) {
  const StatusWords* words = WordsOf(status);
  if (words && words->unopened) return words->unopened;
  if (systemError != 0) return std::strerror(systemError);
  return kOtherUnopened;
}

}  // namespace quorvane::store
