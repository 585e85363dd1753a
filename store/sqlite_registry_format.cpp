#include "store/sqlite_registry_format.h"

#include <locale.h>
#include <wctype.h>

#include <string>
#include <string_view>
#include <utility>

#include "store/registry_backend.h"
#include "store/registry_names.h"
#include "store/sqlite_statement.h"
#include "store/sqlite_store_file.h"

namespace quorvane::store {
namespace {

// A root's row has no parent and the root's number as its name.
constexpr const char* kSchema = R"sql(
CREATE TABLE registry_key (
  id     INTEGER PRIMARY KEY,
  parent INTEGER REFERENCES registry_key (id),
  name   TEXT NOT NULL,
  folded TEXT NOT NULL,
  UNIQUE (parent, folded)
);
CREATE TABLE registry_value (
  key    INTEGER NOT NULL REFERENCES registry_key (id),
  folded TEXT NOT NULL,
  name   TEXT NOT NULL,
  type   INTEGER NOT NULL,
  data   BLOB NOT NULL,
  PRIMARY KEY (key, folded)
) WITHOUT ROWID;
)sql";

constexpr FormatSql kFormat1 = {
    "SELECT id FROM registry_key WHERE parent IS NULL AND root = ?1",
    "SELECT id FROM registry_key WHERE parent = ?1 AND path = ?2",
    "SELECT type, data FROM registry_value WHERE key = ?1 AND name = ?2",
    "SELECT name, type, data FROM registry_value WHERE key = ?1 ORDER BY name",
    "SELECT path FROM registry_key WHERE parent = ?1 ORDER BY path",
    "DELETE FROM registry_value WHERE key = ?1 AND name = ?2",
};
// Formats 2 and 3 share their tables; only the folding differs.
constexpr FormatSql kFolded = {
    "SELECT id FROM registry_key WHERE parent IS NULL AND name = ?1",
    "SELECT id FROM registry_key WHERE parent = ?1 AND folded = ?2",
    "SELECT type, data FROM registry_value WHERE key = ?1 AND folded = ?2",
    "SELECT name, type, data FROM registry_value WHERE key = ?1 ORDER BY folded",
    "SELECT name FROM registry_key WHERE parent = ?1 ORDER BY folded",
    "DELETE FROM registry_value WHERE key = ?1 AND folded = ?2",
};
constexpr FormatSql kFormat2 = {
    kFolded.findRoot,
    "SELECT id FROM registry_key WHERE parent = ?1 AND folded = coalesce("
    "(SELECT folded FROM registry_key WHERE parent = ?1 AND name = ?3), ?2)",
    "SELECT type, data FROM registry_value WHERE key = ?1 AND folded = coalesce("
    "(SELECT folded FROM registry_value WHERE key = ?1 AND name = ?3), ?2)",
    kFolded.listValues,
    kFolded.listSubkeys,
    "DELETE FROM registry_value WHERE key = ?1 AND folded = coalesce("
    "(SELECT folded FROM registry_value WHERE key = ?1 AND name = ?3), ?2)",
};

// The roots a store holds.
constexpr RootKey kRoots[] = {RootKey::LocalMachine};

int Execute(sqlite3* db, const char* sql) {
  return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// Runs body between BEGIN IMMEDIATE and COMMIT, rolling back on failure.
template <typename Body>
int InWriteTransaction(sqlite3* db, Body body) {
  int code = Execute(db, "BEGIN IMMEDIATE");
  if (code != SQLITE_OK) return code;
  code = body();
  if (code == SQLITE_OK || code == SQLITE_DONE) code = Execute(db, "COMMIT");
  if (code != SQLITE_OK) Execute(db, "ROLLBACK");
  return code;
}

int Done(int code) { return code == SQLITE_DONE ? SQLITE_OK : code; }

std::int64_t Version(sqlite3* db) {
  Statement statement(db, "PRAGMA user_version");
  if (!statement.ok()) return -1;
  Run run(statement);
  return run.Step() == SQLITE_ROW ? run.Number(0) : -1;
}

// The C library's upper case in "C.UTF-8", whatever locale the process
// runs in, as format 2 folded names; without that locale, none beyond ASCII.
char32_t CLibraryUpper(char32_t code) {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
  if (locale == locale_t{}) return code;
  return static_cast<char32_t>(towupper_l(static_cast<wint_t>(code), locale));
}

// The path of the key id below the root, in the earlier format's renamed
// tables, to name it in a collision.
std::string OldPath(sqlite3* db, std::int64_t format, std::int64_t id) {
  if (format == 1) {
    Statement path(db, "SELECT path FROM registry_key_old WHERE id = ?1");
    if (!path.ok()) return "";
    Run run(path);
    run.Bind(1, id);
    return run.Step() == SQLITE_ROW ? std::string(run.Text(0)) : "";
  }
  Statement up(db, "SELECT parent, name FROM registry_key_old WHERE id = ?1");
  if (!up.ok()) return "";
  std::string path;
  // A damaged store may loop; no path is deeper than the deepest key.
  for (std::size_t level = 0; level <= kMaxKeyDepth; ++level) {
    Run run(up);
    run.Bind(1, id);
    if (run.Step() != SQLITE_ROW || sqlite3_column_type(run.get(), 0) == SQLITE_NULL) break;
    path = path.empty() ? std::string(run.Text(1)) : std::string(run.Text(1)) + "\\" + path;
    id = run.Number(0);
  }
  return path;
}

// The last component of a format 1 path (npos + 1 is 0).
std::string_view LastName(std::string_view path) { return path.substr(path.rfind('\\') + 1); }

// Copies the earlier format's rows (its tables renamed with the suffix
// _old) into the current tables, with their names folded anew. On a
// collision, *collision says which names and the result is
// SQLITE_CONSTRAINT.
int CopyRows(sqlite3* db, std::int64_t format, SqliteRegistry::NameCollision* collision) {
  Statement oldKeys(db, format == 1 ? "SELECT id, parent, path, root FROM registry_key_old"
                                    : "SELECT id, parent, name, name FROM registry_key_old");
  Statement add(db, "INSERT INTO registry_key (id, parent, name, folded) VALUES (?1, ?2, ?3, ?4)");
  Statement sibling(db, "SELECT id, name FROM registry_key WHERE parent = ?1 AND folded = ?2");
  Statement oldValues(db, "SELECT key, name, type, data FROM registry_value_old");
  Statement addValue(db,
                     "INSERT INTO registry_value (key, folded, name, type, data) "
                     "VALUES (?1, ?2, ?3, ?4, ?5)");
  Statement otherValue(db, "SELECT name FROM registry_value WHERE key = ?1 AND folded = ?2");
  for (const Statement* statement :
       {&oldKeys, &add, &sibling, &oldValues, &addValue, &otherValue}) {
    if (!statement->ok()) return statement->error();
  }
  const auto collided = [&](std::int64_t key, bool values, std::string first,
                            std::string second) {
    *collision = {OldPath(db, format, key), values, std::move(first), std::move(second)};
    return SQLITE_CONSTRAINT;
  };

  int code;
  Run keys(oldKeys);
  while ((code = keys.Step()) == SQLITE_ROW) {
    const bool isRoot = sqlite3_column_type(keys.get(), 1) == SQLITE_NULL;
    // A root's name is its number; format 1 kept that in a column of its own.
    const std::string name(isRoot ? keys.Text(3) : format == 1 ? LastName(keys.Text(2))
                                                               : keys.Text(2));
    const std::string folded = isRoot ? name : FoldedName(name);
    Run insert(add);
    insert.Bind(1, keys.Number(0)).Bind(3, name).Bind(4, folded);
    if (!isRoot) insert.Bind(2, keys.Number(1));
    const int step = insert.Step();
    if (step == SQLITE_DONE) continue;
    if ((step & 0xff) != SQLITE_CONSTRAINT || isRoot) return step;
    Run other(sibling);
    other.Bind(1, keys.Number(1)).Bind(2, folded);
    if (other.Step() != SQLITE_ROW) return step;
    return collided(keys.Number(1), false, std::string(other.Text(1)), name);
  }
  if (code != SQLITE_DONE) return code;

  Run values(oldValues);
  while ((code = values.Step()) == SQLITE_ROW) {
    const std::int64_t key = values.Number(0);
    const std::string_view name = values.Text(1);
    const std::string folded = FoldedName(name);
    Run insert(addValue);
    insert.Bind(1, key).Bind(2, folded).Bind(3, name).Bind(4, values.Number(2));
    insert.BindBlob(5, sqlite3_column_blob(values.get(), 3), sqlite3_column_bytes(values.get(), 3));
    const int step = insert.Step();
    if (step == SQLITE_DONE) continue;
    if ((step & 0xff) != SQLITE_CONSTRAINT) return step;
    Run other(otherValue);
    other.Bind(1, key).Bind(2, folded);
    if (other.Step() != SQLITE_ROW) return step;
    return collided(key, true, std::string(other.Text(0)), std::string(name));
  }
  return Done(code);
}

}  // namespace

const FormatSql& SqlOf(std::int64_t format) {
  return format == 1 ? kFormat1 : format == 2 ? kFormat2 : kFolded;
}

std::string FoldedNameIn(std::int64_t format, std::string_view name) {
  return format == 2 ? FoldedNameBy(name, CLibraryUpper) : FoldedName(name);
}

int InitialiseStore(sqlite3* db, bool* made) {
  *made = false;
  return InWriteTransaction(db, [&] {
    // Within the write transaction an empty file already counts one page,
    // so look for tables instead.
    Statement tables(db, "SELECT count(*) FROM sqlite_schema");
    if (!tables.ok()) return tables.error();
    {
      Run run(tables);
      if (const int code = run.Step(); code != SQLITE_ROW) return code;
      if (run.Number(0) > 0) return SQLITE_OK;
    }
    // PRAGMA takes no bound parameters; these are the store's own constants.
    const std::string identify = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                                 "; PRAGMA user_version = " + std::to_string(kFormatVersion);
    int code = Execute(db, kSchema);
    if (code == SQLITE_OK) code = Execute(db, identify.c_str());
    Statement addRoot(db, "INSERT INTO registry_key (parent, name, folded) VALUES (NULL, ?1, ?1)");
    if (code == SQLITE_OK && !addRoot.ok()) code = addRoot.error();
    for (RootKey root : kRoots) {
      if (code == SQLITE_OK) code = Done(Run(addRoot).Bind(1, static_cast<std::int64_t>(root)).Step());
    }
    *made = code == SQLITE_OK;
    return code;
  });
}

int MigrateToCurrent(sqlite3* db, SqliteRegistry::NameCollision* collision) {
  return InWriteTransaction(db, [&]() -> int {
    const std::int64_t format = Version(db);
    if (format == kFormatVersion) return SQLITE_OK;  // another process was first
    if (format != 1 && format != 2) return SQLITE_CORRUPT;
    // Format 1's index on the parent would keep its name, which format 3
    // does not use; format 2's indexes follow their tables' new names. The
    // index only made lookups fast: a store without it converts as well.
    int code = Execute(db, format == 1 ? "DROP INDEX IF EXISTS registry_key_parent;" : "");
    if (code == SQLITE_OK) {
      code = Execute(db,
                     "ALTER TABLE registry_key RENAME TO registry_key_old;"
                     "ALTER TABLE registry_value RENAME TO registry_value_old;");
    }
    if (code == SQLITE_OK) code = Execute(db, kSchema);
    if (code == SQLITE_OK) code = CopyRows(db, format, collision);
    if (code != SQLITE_OK) return code;
    return Execute(db,
                   ("DROP TABLE registry_value_old; DROP TABLE registry_key_old; "
                    "PRAGMA user_version = " + std::to_string(kFormatVersion))
                       .c_str());
  });
}

}  // namespace quorvane::store
