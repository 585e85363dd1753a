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

// Shared with reg_run.cpp: prints the failure's text and answers 1; asks
// until the answer is yes or no (the end of the input is no); answers a
// command's exit code once its output is written, or 1 with the reason
// when the output cannot be written.
int Fail(std::ostream& err, store::Status status);
bool Confirm(std::istream& in, std::ostream& out, const std::string& question);
int Delivered(int code, std::ostream& out, std::ostream& err);

// export KEY FILE [/y] and import FILE.
int ExportKey(const RegCommand& command, store::SqliteRegistry& store, std::istream& in,
              std::ostream& out, std::ostream& err);
int ImportFile(const RegCommand& command, store::SqliteRegistry& store, std::ostream& out,
               std::ostream& err);

// Writes a registry file's bytes to path whole (ReplaceFileWhole), asking
// first (unless force) when a file is there; 0 when written or declined, as
// reg.exe answers; 1 with reg.exe's message and the reason when it cannot be
// written, the file that was there left as it was.
int WriteFileAsked(const std::string& path, const std::string& bytes, bool force,
                   std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quorvane::tools
