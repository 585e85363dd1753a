// Registry files run on the portable registry: a key's subtree read into
// the model of reg_file.h, export and import.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "store/sqlite_registry.h"
#include "tools/reg_arguments.h"
#include "tools/reg_file.h"

namespace quorvane::tools {

// The values and the subkeys of the open key, each by RegExeOrder, as
// reg.exe lists them.
[[nodiscard]] store::Status ListKey(store::SqliteRegistry& store, store::KeyHandle key,
                                    std::vector<store::SqliteRegistry::StoredValue>* values,
                                    std::vector<std::string>* subkeys);

// The key at path (below HKEY_LOCAL_MACHINE) and every key below it, in
// the order in which reg.exe lists them: each key before its subkeys,
// subkeys and values by RegExeOrder. Paths are spelled as path is, then as
// the subkeys were created.
[[nodiscard]] store::Status ReadSubtree(store::SqliteRegistry& store, const std::string& path,
                                        std::vector<RegFileKey>* keys);

// export KEY FILE [/y] and import FILE.
int ExportKey(const RegCommand& command, store::SqliteRegistry& store, std::istream& in,
              std::ostream& out, std::ostream& err);
int ImportFile(const RegCommand& command, store::SqliteRegistry& store, std::ostream& out,
               std::ostream& err);

}  // namespace quorvane::tools
