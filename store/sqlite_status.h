// The statuses of the portable registry: what an SQLite result code, or
// the errno behind it, means as a registry status.
#pragma once

#include <sqlite3.h>

#include "store/registry_backend.h"

namespace quorvane::store {

// A status that the system's errno explains.
Status StatusOfErrno(int error);

// The status for an SQLite result code on db. The system's errno counts
// only for the codes that SQLite sets it for, never a stale one.
Status StatusOf(sqlite3* db, int code);

// The errno that explains a failure, when SQLite set one for it; else 0.
int SystemErrorOf(sqlite3* db, int code);

}  // namespace quorvane::store
