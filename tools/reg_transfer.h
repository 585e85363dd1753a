// Registry files run on the portable registry: a key's subtree read into
// the model of reg_file.h, and the files written and read; export's and
// import's runners, RunExport and RunImport, are the command table's
// (reg_commands.h).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "store/sqlite_registry.h"
#include "tools/reg_file.h"
#include "tools/replace_file.h"

namespace quorvane::tools {

// The portable registry's one root, HKEY_LOCAL_MACHINE, below which the
// commands' keys lie.
inline constexpr store::RootKey kRoot = store::RootKey::LocalMachine;

// The values and the subkeys of the open key, each by RegExeOrder, as
// reg.exe lists them.
[[nodiscard]] store::Status ListKey(store::SqliteRegistry& store, store::KeyHandle key,
                                    std::vector<store::SqliteRegistry::StoredValue>* values,
                                    std::vector<std::string>* subkeys);

// The value called name in the open key, whole, as ListKey lists one:
// kSuccess, or why not (kNotFound: the key holds none).
[[nodiscard]] store::Status FetchValue(store::SqliteRegistry& store, store::KeyHandle key,
                                       const std::string& name,
                                       store::SqliteRegistry::StoredValue* value);

// The key at path (below HKEY_LOCAL_MACHINE) with its values, its path
// spelled shown, and the names of its subkeys, each by RegExeOrder.
[[nodiscard]] store::Status ReadKey(store::SqliteRegistry& store, const std::string& path,
                                    const std::string& shown, RegFileKey* key,
                                    std::vector<std::string>* subkeys);

// The key at path (below HKEY_LOCAL_MACHINE) and every key below it, in
// the order in which reg.exe lists them: each key before its subkeys,
// subkeys and values by RegExeOrder. Paths are spelled as path is, then as
// the subkeys were created.
[[nodiscard]] store::Status ReadSubtree(store::SqliteRegistry& store, const std::string& path,
                                        std::vector<RegFileKey>* keys);

// Writes a registry file's contents to path as ReplaceFileAsked
// (reg_console.h) does. The store's own file and its companions (by name
// or as the same file) are refused before anything is asked or written:
// one registry file there would destroy the registry.
// WriteFileAsked of bytes (reg_console.h) is this one with the program's
// store (ProgramStorePath) refused.
int WriteFileAsked(const std::string& path, const FileContents& contents,
                   const std::string& storePath, bool force, std::istream& in, std::ostream& out,
                   std::ostream& err);

// The absolute path of the store that the environment names, or "" where
// it names none.
std::string ProgramStorePath();

}  // namespace quorvane::tools
