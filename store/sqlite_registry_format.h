// The portable registry's tables, the SQL that reads and writes them, and
// the way from each earlier format to the current one.
//
// Format 2 (current): each key row holds its own name and its parent, so a
// store grows with the length of its keys, not with its square; names are
// compared in their folded form (registry_names.h), kept beside the name as
// created.
// Format 1: each key row held its whole path below the root, compared with
// ASCII letter case ignored. Read as it is; changed to format 2 before the
// first write.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <map>

namespace quorvane::store {

inline constexpr std::int64_t kFormatVersion = 2;

// What one format is read with. Every statement takes the key id as ?1;
// findChild takes as ?2 the child's folded name (format 2) or its whole
// path (format 1); queryValue the compared value name as ?2 (folded, or as
// given); findRoot the root's number as ?1. listSubkeys yields names, or
// paths whose last component is the name.
struct FormatSql {
  const char* findRoot;
  const char* findChild;
  const char* queryValue;
  const char* listValues;
  const char* listSubkeys;
};
const FormatSql& ReadSql(std::int64_t format);

// Writing, format 2 only.
inline constexpr const char* kAddKey =
    "INSERT INTO registry_key (parent, name, folded) VALUES (?1, ?2, ?3)";
// An existing value keeps the spelling of its name, as in the registry.
inline constexpr const char* kSetValue =
    "INSERT INTO registry_value (key, folded, name, type, data) VALUES (?1, ?2, ?3, ?4, ?5) "
    "ON CONFLICT (key, folded) DO UPDATE SET type = excluded.type, data = excluded.data";
inline constexpr const char* kDeleteValue =
    "DELETE FROM registry_value WHERE key = ?1 AND folded = ?2";

// Writes the tables, the identification and the roots into an empty file in
// one write transaction. Another process may be doing the same: the write
// lock makes one of them win, and the other finds the work done. Sets *made
// when this call made them. Returns an SQLite result code.
int InitialiseStore(sqlite3* db, bool* made);

// Brings a format 1 store to format 2 in one write transaction; nothing is
// lost: keys whose names now compare equal (letter case beyond ASCII) become
// one, and of values whose names then compare equal the first by name is
// kept. Key ids stay as they were; *moved receives the ids of keys that
// became one with another (old id -> new id). Does nothing when another
// process did it first. Returns an SQLite result code.
int MigrateToCurrent(sqlite3* db, std::map<std::int64_t, std::int64_t>* moved);

}  // namespace quorvane::store
