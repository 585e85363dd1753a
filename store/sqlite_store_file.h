// The portable registry's file as a file: where it is, what it holds before
// SQLite is let near it, and making it. Everything here looks at the bytes
// and the file system only, so that a file that is then refused, or only
// read, is never changed, and nothing is made beside a file that is not a
// store.
#pragma once

#include <cstdint>
#include <string>

namespace quorvane::store {

// What identifies a store of ours in the SQLite header: the application id
// ("QvRg") at byte 68; the format version (user_version) is at byte 60.
inline constexpr std::int32_t kApplicationId = 0x51765267;

// The path made absolute against the working folder, so that SQLite always
// reads it as a file name: never as ":memory:" or a "file:" URI.
std::string AbsoluteStorePath(const std::string& path);

struct StoreFile {
  enum class Kind {
    Missing,     // nothing there
    Empty,       // a regular file of no bytes
    Store,       // a regular file whose header is one of ours
    NotAStore,   // a regular file with other content, or too short for a header
    Folder,      // a folder, or a path ending in '/'
    NotRegular,  // a device, a pipe, a socket
    Unreadable,  // cannot be looked at; error says why
  };
  Kind kind = Kind::Missing;
  std::int64_t version = 0;  // Store: the format version in the header
  bool wal = false;          // Store: the header says write-ahead logging
  int error = 0;             // Unreadable: the errno
};

// Looks at path, following symbolic links, reading its header when it is a
// regular file with content. Changes nothing.
StoreFile LookAt(const std::string& path);

// 0 when path's file could be made: its nearest existing folder can be
// written and none of the missing ones is in the way of a file; otherwise
// the errno that making it would meet. Makes nothing.
int CheckCreatable(const std::string& path);

// Makes path an empty file readable and writable by its owner only (0600),
// with its missing folders (0700); an existing file is left alone. When the
// file cannot be made, the folders made for it are removed again. Returns 0
// or the errno.
int CreateStoreFile(const std::string& path);

// Which of the "-wal" and "-shm" files beside path exist.
struct Sidecars {
  bool wal = false, shm = false;
};
Sidecars SidecarsOf(const std::string& path);

// Removes the "-wal" and "-shm" files that a connection began beside path
// but could not finish (the disk full): those not among before, a "-wal"
// still empty and a "-shm" shorter than a working one.
void RemoveUnfinishedSidecars(const std::string& path, const Sidecars& before);

// True when a "-wal" or "-journal" file beside path holds changes that are
// not in path itself yet.
bool HoldsUnmergedChanges(const std::string& path);

// True when this process may write the file at path (its permissions, its
// file system), as a writer of the store must.
bool MayWrite(const std::string& path);

// Gives a "-wal" or "-shm" beside the store at path that this process owns
// but may not write the store's permissions again, as SQLite makes them: one
// that an earlier reader made while the store could only be read (SQLite
// gives a new one the store's mode) would keep every writer from writing
// after the store is made writable. Only for a store this process may
// write; changes nothing else.
void MendCompanions(const std::string& path);

// True when path names the store at store or one of its companions
// ("-wal", "-shm", "-journal"): by name, its symbolic links followed, or as
// the same file (device and inode), a hard link too. A file written there
// would take the store's place or tear it.
bool IsStoreOrCompanion(const std::string& store, const std::string& path);

// True when a "-journal" beside path is that of a transaction begun on an
// empty file and never committed: the creation of a store that was cut
// short (the process killed, the power gone). Nothing in path is then
// committed; rolling the journal back leaves an empty file.
bool HoldsUnfinishedCreation(const std::string& path);

}  // namespace quorvane::store
