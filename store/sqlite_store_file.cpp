#include "store/sqlite_store_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "store/portable_registry_path.h"

namespace quorvane::store {
namespace {

constexpr char kMagic[] = "SQLite format 3";  // with its NUL: 16 bytes
constexpr std::size_t kHeaderSize = 100;

std::int64_t BigEndian(const unsigned char* bytes) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) << 24 |
                                   static_cast<std::uint32_t>(bytes[1]) << 16 |
                                   static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3]);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string AbsoluteStorePath(const std::string& path) {
  if (!path.empty() && path.front() == '/') return path;
  std::vector<char> folder(4096);
  while (getcwd(folder.data(), folder.size()) == nullptr) {
    if (errno != ERANGE) return "./" + path;  // still never a URI
    folder.resize(folder.size() * 2);
  }
  std::string absolute = folder.data();
  if (absolute.back() != '/') absolute += '/';
  return absolute + path;
}

StoreFile LookAt(const std::string& path) {
  StoreFile look;
  if (!path.empty() && path.back() == '/') {
    look.kind = StoreFile::Kind::Folder;
    return look;
  }
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return look;  // Missing
    look.kind = StoreFile::Kind::Unreadable;
    look.error = errno;
    return look;
  }
  if (S_ISDIR(status.st_mode)) {
    look.kind = StoreFile::Kind::Folder;
    return look;
  }
  if (!S_ISREG(status.st_mode)) {
    look.kind = StoreFile::Kind::NotRegular;
    return look;
  }
  if (status.st_size == 0) {
    look.kind = StoreFile::Kind::Empty;
    return look;
  }
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    look.kind = StoreFile::Kind::Unreadable;
    look.error = errno;
    return look;
  }
  unsigned char header[kHeaderSize];
  std::size_t got = 0;
  while (got < kHeaderSize) {
    const ssize_t read = pread(fd, header + got, kHeaderSize - got, static_cast<off_t>(got));
    if (read <= 0) break;
    got += static_cast<std::size_t>(read);
  }
  close(fd);
  look.kind = StoreFile::Kind::NotAStore;
  if (got == kHeaderSize && std::memcmp(header, kMagic, sizeof kMagic) == 0 &&
      BigEndian(header + 68) == kApplicationId) {
    look.kind = StoreFile::Kind::Store;
    look.version = BigEndian(header + 60);
    // The file format's read and write versions: 2 in write-ahead logging.
    look.wal = header[18] == 2 && header[19] == 2;
  }
  return look;
}

int CheckCreatable(const std::string& path) {
  std::string folder = FolderOf(path);
  struct stat status {};
  while (stat(folder.c_str(), &status) != 0) {
    if (errno != ENOENT) return errno;
    folder = FolderOf(folder);
  }
  if (!S_ISDIR(status.st_mode)) return ENOTDIR;
  return access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

int CreateStoreFile(const std::string& path) {
  std::vector<std::string> made;
  int error = CreatePrivateFolders(FolderOf(path), &made);
  if (error == 0) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      close(fd);
    } else if (errno != EEXIST) {
      error = errno;
    }
  }
  if (error != 0) {
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder) rmdir(folder->c_str());
  }
  return error;
}

bool HoldsUnfinishedCreation(const std::string& path) {
  // A rollback journal's header: 8 bytes of magic, the record count, the
  // checksum seed, then the page count the file had before the transaction.
  static constexpr unsigned char kJournalMagic[] = {0xd9, 0xd5, 0x05, 0xf9,
                                                    0x20, 0xa1, 0x63, 0xd7};
  const int fd = open((path + "-journal").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  unsigned char header[20];
  const bool read = pread(fd, header, sizeof header, 0) == static_cast<ssize_t>(sizeof header);
  close(fd);
  return read && std::memcmp(header, kJournalMagic, sizeof kJournalMagic) == 0 &&
         BigEndian(header + 16) == 0;
}

bool HoldsUnmergedChanges(const std::string& path) {
  for (const char* suffix : {"-wal", "-journal"}) {
    struct stat status {};
    if (stat((path + suffix).c_str(), &status) == 0 && status.st_size > 0) return true;
  }
  return false;
}

}  // namespace quorvane::store

namespace quorvane::store {
namespace {

// The size below which a "-shm" file was never set up: SQLite's shared
// memory comes in regions of 32 KiB.
constexpr off_t kShmRegion = 32768;

std::optional<off_t> SizeOf(const std::string& path) {
  struct stat status {};
  if (lstat(path.c_str(), &status) != 0) return std::nullopt;
  return status.st_size;
}

}  // namespace

Sidecars SidecarsOf(const std::string& path) {
  return {SizeOf(path + "-wal").has_value(), SizeOf(path + "-shm").has_value()};
}

void RemoveUnfinishedSidecars(const std::string& path, const Sidecars& before) {
  if (!before.wal && SizeOf(path + "-wal") == off_t{0}) unlink((path + "-wal").c_str());
  const auto shm = SizeOf(path + "-shm");
  if (!before.shm && shm && *shm < kShmRegion) unlink((path + "-shm").c_str());
}

bool MayWrite(const std::string& path) {
  return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

void MendCompanions(const std::string& path) {
  struct stat store {};
  if (stat(path.c_str(), &store) != 0 || !MayWrite(path)) return;
  for (const char* suffix : {"-wal", "-shm"}) {
    const std::string companion = path + suffix;
    if (MayWrite(companion)) continue;
    const int fd = open(companion.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == geteuid()) {
      static_cast<void>(fchmod(fd, store.st_mode & 0777));
    }
    close(fd);
  }
}

namespace {

// path with its symbolic links followed, as far as they lead, and made
// absolute and plain (no "." or ".."), for comparing names; a file that is
// not there yet is named as it would be.
std::string Resolved(std::string path) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (int links = 0; links < 40 && fs::is_symlink(path, error); ++links) {
    const fs::path to = fs::read_symlink(path, error);
    if (error) break;
    path = to.is_absolute() ? to.string() : (fs::path(path).parent_path() / to).string();
  }
  const fs::path plain = fs::weakly_canonical(fs::absolute(path, error), error);
  return error ? path : plain.string();
}

}  // namespace

bool IsStoreOrCompanion(const std::string& store, const std::string& path) {
  struct stat target {};
  const bool exists = stat(path.c_str(), &target) == 0;
  const std::string named = Resolved(path);
  // SQLite keeps the companions beside the file that a link leads to.
  const std::string storeNamed = Resolved(store);
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    if (named == storeNamed + suffix) return true;
    struct stat companion {};
    if (exists && stat((storeNamed + suffix).c_str(), &companion) == 0 &&
        companion.st_dev == target.st_dev && companion.st_ino == target.st_ino) {
      return true;
    }
  }
  return false;
}

}  // namespace quorvane::store
