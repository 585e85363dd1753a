// The portable registry's tables, the SQL that reads and writes them, and
// the way from each earlier format to the current one.
//
// Format 3 (current): each key row holds its own name and its parent, so a
// store grows with the length of its keys, not with its square; names are
// compared in their folded form (FoldedName, by the registry's own table),
// kept beside the name as created.
// Format 2: the same tables, the names folded by the C library's upper case
// in the "C.UTF-8" locale, which differs between machines and versions of
// the library. Read as it is, folding as it was written; changed to format 3
// before the first write.
// Format 1: each key row held its whole path below the root, compared with
// ASCII letter case ignored. Read as it is; changed to format 3 before the
// first write.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "store/sqlite_registry.h"

namespace quorvane::store {

inline constexpr std::int64_t kFormatVersion = 3;

// What one format is read with, and what a value is deleted with: a
// deletion makes no name, so it needs no conversion (and, in a store whose
// names would become one, is the way out). findRoot takes the root's number
// as ?1; every other statement the key id as ?1, and findChild, queryValue
// and deleteValue the child's or the value's name as compared as ?2:
// folded (formats 2 and 3), as given (a value in format 1) or the whole
// path down to it (a key in format 1). In format 2, whose folding differed
// between machines, they also take the name as given as ?3, and the name
// spelled exactly so goes first. listSubkeys yields names, or paths whose
// last component is the name.
struct FormatSql {
  const char* findRoot;
  const char* findChild;
  const char* queryValue;
  const char* listValues;
  const char* listSubkeys;
  const char* deleteValue;
};
const FormatSql& SqlOf(std::int64_t format);

// A key's or a value's name as the store of format 2 or 3 compares it.
std::string FoldedNameIn(std::int64_t format, std::string_view name);

// True when the format's statements also take the name as given (?3).
inline bool TakesNameAsGiven(std::int64_t format) { return format == 2; }

// Writing, the current format only.
inline constexpr const char* kAddKey =
    "INSERT INTO registry_key (parent, name, folded) VALUES (?1, ?2, ?3)";
// An existing value keeps the spelling of its name, as in the registry.
inline constexpr const char* kSetValue =
    "INSERT INTO registry_value (key, folded, name, type, data) VALUES (?1, ?2, ?3, ?4, ?5) "
    "ON CONFLICT (key, folded) DO UPDATE SET type = excluded.type, data = excluded.data";

// Writes the tables, the identification and the roots into an empty file in
// one write transaction. Another process may be doing the same: the write
// lock makes one of them win, and the other finds the work done. Sets *made
// when this call made them. Returns an SQLite result code.
[[nodiscard]] int InitialiseStore(sqlite3* db, bool* made);

// Brings a store of format 1 or 2 to the current format in one write
// transaction, keeping every key and value and their ids. Two names of one
// key that the store holds apart and the current format compares as one are
// not made one: the store is left as it was, *collision names them, and the
// result is SQLITE_CONSTRAINT. Does nothing when another process did it
// first. Returns an SQLite result code.
[[nodiscard]] int MigrateToCurrent(sqlite3* db, SqliteRegistry::NameCollision* collision);

}  // namespace quorvane::store
