#include "store/sqlite_registry_format.h"

#include <optional>
#include <string>
#include <string_view>

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
};
constexpr FormatSql kFormat2 = {
    "SELECT id FROM registry_key WHERE parent IS NULL AND name = ?1",
    "SELECT id FROM registry_key WHERE parent = ?1 AND folded = ?2",
    "SELECT type, data FROM registry_value WHERE key = ?1 AND folded = ?2",
    "SELECT name, type, data FROM registry_value WHERE key = ?1 ORDER BY folded",
    "SELECT name FROM registry_key WHERE parent = ?1 ORDER BY folded",
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

// Copies the format 1 tables' rows (renamed with the suffix _1) into the
// current tables.
int CopyRows(sqlite3* db, std::map<std::int64_t, std::int64_t>* moved) {
  // Parents come before their children: a parent's path is shorter.
  Statement oldKeys(db,
                    "SELECT id, root, parent, path FROM registry_key_1 ORDER BY length(path), id");
  Statement find(db, kFormat2.findChild);
  Statement add(db, "INSERT INTO registry_key (id, parent, name, folded) VALUES (?1, ?2, ?3, ?4)");
  Statement oldValues(db, "SELECT key, name, type, data FROM registry_value_1 ORDER BY key, name");
  Statement addValue(db,
                     "INSERT OR IGNORE INTO registry_value (key, folded, name, type, data) "
                     "VALUES (?1, ?2, ?3, ?4, ?5)");
  for (const Statement* statement : {&oldKeys, &find, &add, &oldValues, &addValue}) {
    if (!statement->ok()) return statement->error();
  }
  std::map<std::int64_t, std::int64_t> ids;  // old id -> id now
  const auto now = [&](std::int64_t old) -> std::optional<std::int64_t> {
    const auto found = ids.find(old);
    if (found == ids.end()) return std::nullopt;
    return found->second;
  };

  int code;
  Run keys(oldKeys);
  while ((code = keys.Step()) == SQLITE_ROW) {
    const std::int64_t id = keys.Number(0);
    const bool isRoot = sqlite3_column_type(keys.get(), 2) == SQLITE_NULL;
    std::string name = std::to_string(keys.Number(1));
    std::optional<std::int64_t> parent;
    if (!isRoot) {
      const std::string_view path = keys.Text(3);
      name = std::string(path.substr(path.rfind('\\') + 1));  // npos + 1 is 0
      parent = now(keys.Number(2));
      if (!parent) return SQLITE_CORRUPT;
    }
    const std::string folded = isRoot ? name : FoldedName(name);
    if (parent) {
      Run existing(find);
      existing.Bind(1, *parent).Bind(2, folded);
      if (existing.Step() == SQLITE_ROW) {
        ids[id] = (*moved)[id] = existing.Number(0);
        continue;
      }
    }
    Run insert(add);
    insert.Bind(1, id).Bind(3, name).Bind(4, folded);
    if (parent) insert.Bind(2, *parent);
    if (const int step = insert.Step(); step != SQLITE_DONE) return step;
    ids[id] = id;
  }
  if (code != SQLITE_DONE) return code;

  Run values(oldValues);
  while ((code = values.Step()) == SQLITE_ROW) {
    const auto key = now(values.Number(0));
    if (!key) return SQLITE_CORRUPT;
    const std::string_view name = values.Text(1);
    Run insert(addValue);
    insert.Bind(1, *key).Bind(2, FoldedName(name)).Bind(3, name).Bind(4, values.Number(2));
    insert.BindBlob(5, sqlite3_column_blob(values.get(), 3), sqlite3_column_bytes(values.get(), 3));
    if (const int step = insert.Step(); step != SQLITE_DONE) return step;
  }
  return Done(code);
}

}  // namespace

const FormatSql& ReadSql(std::int64_t format) { return format == 1 ? kFormat1 : kFormat2; }

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

int MigrateToCurrent(sqlite3* db, std::map<std::int64_t, std::int64_t>* moved) {
  return InWriteTransaction(db, [&]() -> int {
    if (Version(db) != 1) return SQLITE_OK;  // another process was first
    int code = Execute(db,
                       "DROP INDEX registry_key_parent;"
                       "ALTER TABLE registry_key RENAME TO registry_key_1;"
                       "ALTER TABLE registry_value RENAME TO registry_value_1;");
    if (code == SQLITE_OK) code = Execute(db, kSchema);
    if (code != SQLITE_OK) return code;

    code = CopyRows(db, moved);
    if (code != SQLITE_OK) return code;
    return Execute(db,
                   ("DROP TABLE registry_value_1; DROP TABLE registry_key_1; "
                    "PRAGMA user_version = " + std::to_string(kFormatVersion))
                       .c_str());
  });
}

}  // namespace quorvane::store
