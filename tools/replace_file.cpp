#include "tools/replace_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <charconv>
#include <cerrno>
#include <cstring>
#include <optional>
#include <random>

namespace quorvane::tools {
namespace {

// Closes a descriptor when it goes, keeping errno as it was.
struct Descriptor {
  int fd = -1;
  ~Descriptor() {
    if (fd < 0) return;
    const int kept = errno;
    close(fd);
    errno = kept;
  }
};

// Writes all of bytes to fd; 0 or the errno.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that path names once its symbolic links are followed, as far as
// they lead (a link to nothing names where its target would be); empty
// with *error set when they loop.
std::string Target(std::string path, int* error) {
  for (int links = 0; links < 40; ++links) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    std::string to(static_cast<std::size_t>(status.st_size) + 1, '\0');
    const ssize_t length = readlink(path.c_str(), to.data(), to.size());
    if (length < 0) {
      *error = errno;
      return "";
    }
    to.resize(static_cast<std::size_t>(length));
    path = to.starts_with('/') ? to : FolderOf(path) + "/" + to;
  }
  *error = ELOOP;
  return "";
}

// The new file's name: ".NAME.quorvane-XXXXXXXX.tmp", or, where the folder
// allows no name that long, ".quorvane-XXXXXXXX.tmp", with a random part.
constexpr std::string_view kMark = "quorvane-";
constexpr std::size_t kRandomLength = 8;
constexpr std::string_view kEnd = ".tmp";

std::string NewFileName(const std::string& base, bool brief) {
  static constexpr char kLetters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  static std::mt19937 random{std::random_device{}()};
  std::string name = brief ? "." : "." + base + ".";
  name += kMark;
  for (std::size_t i = 0; i < kRandomLength; ++i) {
    name += kLetters[std::uniform_int_distribution<std::size_t>(0, sizeof kLetters - 2)(random)];
  }
  return name + std::string(kEnd);
}

// True for a name that NewFileName makes.
bool IsNewFileName(std::string_view name) {
  const std::size_t tail = kMark.size() + kRandomLength + kEnd.size();
  if (name.size() <= tail || !name.starts_with('.') || !name.ends_with(kEnd)) return false;
  const std::string_view mark = name.substr(name.size() - tail - 1, kMark.size() + 1);
  if (mark.front() != '.' || mark.substr(1) != kMark) return false;
  for (const char c : name.substr(name.size() - kEnd.size() - kRandomLength, kRandomLength)) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// The process that an earlier version named its new file for base after
// (".BASE.PID.N.tmp"), which locked none. Only base's own: a name of that
// shape beside it may well be a file of the user's.
std::optional<pid_t> EarlierWriterOf(std::string_view name, std::string_view base) {
  if (!name.ends_with(kEnd)) return std::nullopt;
  name.remove_suffix(kEnd.size());
  std::string_view numbers[2];
  for (std::string_view& number : numbers) {
    const std::size_t dot = name.rfind('.');
    if (dot == 0 || dot == std::string_view::npos) return std::nullopt;
    number = name.substr(dot + 1);
    name = name.substr(0, dot);
    if (number.empty() || number.size() > 9) return std::nullopt;
    for (const char c : number) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    }
  }
  if (!name.starts_with('.') || name.substr(1) != base) return std::nullopt;
  pid_t writer = 0;
  std::from_chars(numbers[1].data(), numbers[1].data() + numbers[1].size(), writer);
  return writer;
}

// Removes the new files that killed runs left in folder: files of this
// user, with this program's names, that no run holds locked (or, of an
// earlier version, those for base whose process is gone). Each is locked
// before it is removed, so that a run that has just made it finds it gone
// and makes another.
void RemoveLeftovers(int folder, std::string_view base) {
  const int listed = dup(folder);
  if (listed < 0) return;
  DIR* entries = fdopendir(listed);
  if (entries == nullptr) {
    close(listed);
    return;
  }
  while (const dirent* entry = readdir(entries)) {
    const std::string_view name = entry->d_name;
    const auto writer = IsNewFileName(name) ? std::nullopt : EarlierWriterOf(name, base);
    if (!IsNewFileName(name) && !(writer && kill(*writer, 0) != 0 && errno == ESRCH)) continue;
    Descriptor file{openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)};
    struct stat opened {}, named {};
    if (file.fd < 0 || fstat(file.fd, &opened) != 0 || !S_ISREG(opened.st_mode) ||
        opened.st_uid != geteuid() || flock(file.fd, LOCK_EX | LOCK_NB) != 0) {
      continue;
    }
    if (fstatat(folder, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
      unlinkat(folder, entry->d_name, 0);
    }
  }
  closedir(entries);
}

// Makes the new file in folder, under a name that nothing holds yet, and
// locks it; readable by its owner alone when privately, otherwise with the
// permissions the umask leaves. The descriptor, or -1 with errno set.
int MakeNewFile(int folder, const std::string& base, bool privately, std::string* name) {
  const long longest = fpathconf(folder, _PC_NAME_MAX);
  bool brief = longest > 0 && NewFileName(base, false).size() > static_cast<std::size_t>(longest);
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    *name = NewFileName(base, brief);
    const int fd = openat(folder, name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          privately ? 0600 : 0666);
    if (fd < 0) {
      if (errno == ENAMETOOLONG && !brief) {
        brief = true;
        continue;
      }
      if (errno == EEXIST) continue;
      return -1;
    }
    // Another run that removes leftovers may have locked it, or removed it,
    // between its making and the lock: then it is left to that run.
    struct stat made {}, named {};
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &made) == 0 &&
        fstatat(folder, name->c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        made.st_ino == named.st_ino && made.st_dev == named.st_dev) {
      return fd;
    }
    close(fd);
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

bool FileOutput::Write(std::string_view bytes) {
  if (error_ != 0) return false;
  if (buffer_.size() + bytes.size() > kBufferSize && !Flush()) return false;
  if (bytes.size() >= kBufferSize) {
    error_ = WriteAll(fd_, bytes);
    return error_ == 0;
  }
  buffer_ += bytes;
  return true;
}

bool FileOutput::Flush() {
  if (error_ == 0) error_ = WriteAll(fd_, buffer_);
  buffer_.clear();
  return error_ == 0;
}

Replacement ReplaceFileWhole(const std::string& path, const FileContents& contents) {
  if (path.empty()) return {ENOENT};
  if (path.back() == '/') return {EISDIR};
  int error = 0;
  const std::string target = Target(path, &error);
  if (target.empty()) return {error};

  struct stat existing {};
  const bool exists = stat(target.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return {EISDIR};
  if (exists && !S_ISREG(existing.st_mode)) {
    Descriptor device{open(target.c_str(), O_WRONLY | O_CLOEXEC)};
    if (device.fd < 0) return {errno};
    FileOutput out(device.fd);
    const bool made = contents(out) && out.Flush();
    return {out.error(), true, false, !made && out.error() == 0};
  }
  // A file that cannot be written is not replaced behind its back.
  if (exists && access(target.c_str(), W_OK) != 0) return {errno};

  const std::string base = target.substr(target.rfind('/') + 1);  // npos + 1 is 0
  // A folder that cannot be read can still be written into; it cannot be
  // looked through for leftovers, nor synced.
  Descriptor folder{open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  const bool readable = folder.fd >= 0;
  if (!readable) folder.fd = open(FolderOf(target).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (folder.fd < 0) return {errno};
  if (readable) RemoveLeftovers(folder.fd, base);
  std::string temporary;
  // Private from its making: the old file's permissions come once it is
  // the old file's owner's, before a byte is in it.
  Descriptor file{MakeNewFile(folder.fd, base, exists, &temporary)};
  if (file.fd < 0) return {errno, false, errno == EACCES || errno == EPERM};
  const auto failed = [&](int why) {
    unlinkat(folder.fd, temporary.c_str(), 0);
    return Replacement{why};
  };
  if (exists) {
    // Only the superuser can give a file away; others keep their own, and
    // the old file's group where they belong to it. A group it cannot keep
    // gets none of the old group's permissions.
    struct stat made {};
    if (geteuid() == 0 && fchown(file.fd, existing.st_uid, existing.st_gid) != 0) {
      return failed(errno);
    }
    if (fstat(file.fd, &made) != 0) return failed(errno);
    if (made.st_gid != existing.st_gid && fchown(file.fd, static_cast<uid_t>(-1),
                                                 existing.st_gid) == 0) {
      made.st_gid = existing.st_gid;
    }
    const mode_t mode = existing.st_mode & (made.st_gid == existing.st_gid ? 0777 : 0707);
    if (fchmod(file.fd, mode) != 0) return failed(errno);
  }
  FileOutput out(file.fd);
  if (!contents(out)) {
    const Replacement stopped = failed(out.error());
    return {stopped.error, false, false, out.error() == 0};
  }
  if (!out.Flush()) return failed(out.error());
  if (fsync(file.fd) != 0) return failed(errno);
  // Renamed while still locked, so that no other run takes it for a
  // leftover before it is in its place.
  if (renameat(folder.fd, temporary.c_str(), folder.fd, base.c_str()) != 0) {
    return failed(errno);
  }

  // The rename is on disk once the folder is: until then a power cut may
  // bring the old file back, or none. File systems that cannot sync a
  // folder say so (EINVAL).
  if (readable && fsync(folder.fd) != 0 && errno != EINVAL) return {errno, true};
  return {0, true};
}

Replacement ReplaceFileWhole(const std::string& path, std::string_view bytes) {
  return ReplaceFileWhole(path, [bytes](FileOutput& out) { return out.Write(bytes); });
}

bool FileExists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0;
}

std::string ErrorText(int error) { return std::strerror(error); }

}  // namespace quorvane::tools
