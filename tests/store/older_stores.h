// Portable registries as the earlier formats of the store wrote them, made
// with SQL as another program would, for the tests of their conversion.
#pragma once

namespace quorvane::testing {

// Format 1: each key with its whole path, names compared with ASCII letter
// case ignored.
inline constexpr const char* kFormat1Store = R"sql(
CREATE TABLE registry_key (id INTEGER PRIMARY KEY, root INTEGER NOT NULL,
  parent INTEGER REFERENCES registry_key (id), path TEXT NOT NULL COLLATE NOCASE,
  UNIQUE (root, path));
CREATE INDEX registry_key_parent ON registry_key (parent);
CREATE TABLE registry_value (key INTEGER NOT NULL REFERENCES registry_key (id),
  name TEXT NOT NULL COLLATE NOCASE, type INTEGER NOT NULL, data BLOB NOT NULL,
  PRIMARY KEY (key, name)) WITHOUT ROWID;
PRAGMA application_id = 1366708839;
PRAGMA user_version = 1;
INSERT INTO registry_key VALUES (1, 2147483650, NULL, ''), (2, 2147483650, 1, 'Software'),
  (3, 2147483650, 2, 'Software\QuorvaneTest'), (4, 2147483650, 3, 'Software\QuorvaneTest\Backup'),
  (5, 2147483650, 3, 'Software\QuorvaneTest\ärger'), (6, 2147483650, 3, 'Software\QuorvaneTest\ǅ');
INSERT INTO registry_value VALUES (3, 'MaxMTU', 1, '1500'), (3, '', 1, '256'),
  (4, 'DisableTaskOffload', 4, X'01000000'), (5, 'lower', 1, 'a'), (6, 'v', 1, 'd');
)sql";

// Format 2: the tables of today, the names folded by the C library's upper
// case, here as in "C.UTF-8" (which upper-cases the title-case ǅ to Ǆ).
inline constexpr const char* kFormat2Store = R"sql(
CREATE TABLE registry_key (id INTEGER PRIMARY KEY, parent INTEGER REFERENCES registry_key (id),
  name TEXT NOT NULL, folded TEXT NOT NULL, UNIQUE (parent, folded));
CREATE TABLE registry_value (key INTEGER NOT NULL REFERENCES registry_key (id),
  folded TEXT NOT NULL, name TEXT NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL,
  PRIMARY KEY (key, folded)) WITHOUT ROWID;
PRAGMA application_id = 1366708839;
PRAGMA user_version = 2;
INSERT INTO registry_key VALUES (1, NULL, '2147483650', '2147483650'),
  (2, 1, 'Software', 'SOFTWARE'), (3, 2, 'QuorvaneTest', 'QUORVANETEST'),
  (4, 3, 'Backup', 'BACKUP'), (5, 3, 'ärger', 'ÄRGER'), (6, 3, 'ǅ', 'Ǆ');
INSERT INTO registry_value VALUES (3, 'MAXMTU', 'MaxMTU', 1, '1500'), (3, '', '', 1, '256'),
  (4, 'DISABLETASKOFFLOAD', 'DisableTaskOffload', 4, X'01000000'), (5, 'LOWER', 'lower', 1, 'a'),
  (6, 'V', 'v', 1, 'd');
)sql";

// Rows that each store above tells apart and the current format takes as
// one name: in format 1 a key differing from ärger in a letter beyond
// ASCII; in format 2 two values as a machine without "C.UTF-8" folds them.
inline constexpr const char* kFormat1Collision =
    "INSERT INTO registry_key VALUES (7, 2147483650, 3, 'Software\\QuorvaneTest\\Ärger');";
inline constexpr const char* kFormat2Collision =
    "INSERT INTO registry_value VALUES (3, 'é', 'é', 1, 'small'), (3, 'É', 'É', 1, 'capital');";

}  // namespace quorvane::testing
