#include "store/sqlite_status.h"

#include <cerrno>

namespace quorvane::store {

Status StatusOfErrno(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return kAccessDenied;
    case EROFS:
      return kWriteProtected;
    case ENOSPC:
    case EDQUOT:
      return kDiskFull;
    case EISDIR:
    case ENOTDIR:
    case ENAMETOOLONG:
      return kBadPathname;
    default:
      return kWriteFault;
  }
}

Status StatusOf(sqlite3* db, int code) {
  switch (code & 0xff) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
      return kSuccess;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return kInUse;
    case SQLITE_FULL:
      return kDiskFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      return kRegistryCorrupt;
    case SQLITE_READONLY:
      return kWriteProtected;
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return kAccessDenied;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
      return db != nullptr && sqlite3_system_errno(db) != 0
                 ? StatusOfErrno(sqlite3_system_errno(db))
                 : kWriteFault;
    default:
      return kWriteFault;
  }
}

int SystemErrorOf(sqlite3* db, int code) {
  const int kind = code & 0xff;
  const bool counts = db != nullptr && (kind == SQLITE_IOERR || kind == SQLITE_CANTOPEN);
  return counts ? sqlite3_system_errno(db) : 0;
}

}  // namespace quorvane::store
