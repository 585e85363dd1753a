#include "tools/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

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

// A name for the new file beside target that nothing holds yet, opened.
int OpenBeside(const std::string& target, std::string* name) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = target.substr(folder.size());
  for (unsigned attempt = 0; attempt < 1000; ++attempt) {
    *name = folder + "." + base + "." + std::to_string(getpid()) + "." + std::to_string(attempt) +
            ".tmp";
    // Made as a new file is made, with the permissions the umask leaves.
    const int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

Replacement ReplaceFileWhole(const std::string& path, std::string_view bytes) {
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
    return {WriteAll(device.fd, bytes), true};
  }
  // A file that cannot be written is not replaced behind its back.
  if (exists && access(target.c_str(), W_OK) != 0) return {errno};

  std::string temporary;
  Descriptor file{OpenBeside(target, &temporary)};
  if (file.fd < 0) return {errno};
  const auto failed = [&](int why) {
    unlink(temporary.c_str());
    return Replacement{why};
  };
  if (exists) {
    if (fchmod(file.fd, existing.st_mode & 0777) != 0) return failed(errno);
    // Only the superuser can give a file away; others keep their own.
    if (geteuid() == 0 && fchown(file.fd, existing.st_uid, existing.st_gid) != 0) {
      return failed(errno);
    }
  }
  if (const int why = WriteAll(file.fd, bytes); why != 0) return failed(why);
  if (fsync(file.fd) != 0) return failed(errno);
  const int fd = file.fd;
  file.fd = -1;
  if (close(fd) != 0) return failed(errno);
  if (rename(temporary.c_str(), target.c_str()) != 0) return failed(errno);

  // The rename is on disk once the folder is: until then a power cut may
  // bring the old file back, or none. A folder that cannot be read cannot
  // be synced, nor can those of file systems that say so (EINVAL).
  Descriptor folder{open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (folder.fd >= 0 && fsync(folder.fd) != 0 && errno != EINVAL) return {errno, true};
  return {0, true};
}

bool FileExists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0;
}

std::string ErrorText(int error) { return std::strerror(error); }

}  // namespace quorvane::tools
