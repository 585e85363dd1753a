// Registry files (.reg) as Windows' reg.exe and regedit write and read
// them, over a model of keys and values that holds the data as the
// portable registry does: text values in its narrow (UTF-8) view, without
// a terminating NUL where they were given as "text". Writing and reading
// touch no registry; reg_transfer.h runs them on the store.
//
//   Windows Registry Editor Version 5.00      (UTF-16LE with its byte-order
//                                              mark, CRLF; REGEDIT4: 8-bit
//                                              text in Windows-1252)
//   [HKEY_LOCAL_MACHINE\Path]                 a key, made when missing
//   [-HKEY_LOCAL_MACHINE\Path]                the key and all below it deleted
//   "name"="text"   @="text"                  REG_SZ; @ is the default value;
//                                             in quotes \\ \" \n \r stand for
//                                             a backslash, a quote, a line
//                                             feed and a carriage return
//   "name"=dword:0000000a                     REG_DWORD
//   "name"=hex:01,02  hex(2):  hex(7):  hex(b):  hex(N):
//                                             REG_BINARY, REG_EXPAND_SZ,
//                                             REG_MULTI_SZ, REG_QWORD, type N;
//                                             text types in UTF-16 (5.00) or
//                                             8-bit (REGEDIT4); a line ending
//                                             in \ goes on in the next
//   "name"=-                                  the value deleted
//   ; comment
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/registry_backend.h"

namespace quorvane::tools {

struct RegFileValue {
  std::string name;  // "" is the default value
  bool remove = false;
  store::ValueType type = store::kTypeText;
  std::vector<std::uint8_t> data;
  std::size_t line = 0;  // where it stands in a file read
};

struct RegFileKey {
  std::string path;  // below HKEY_LOCAL_MACHINE, "" for the root
  bool remove = false;
  std::vector<RegFileValue> values;
  std::size_t line = 0;
};

// A key's path as files and query show it: without the trailing
// backslashes that the registry does not count.
inline std::string WithoutTrailingBackslashes(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

// The path of name below the key at path; either may be "" (the root, the
// key itself).
inline std::string PathBelow(const std::string& path, const std::string& name) {
  if (name.empty()) return path;
  return path.empty() ? name : path + "\\" + name;
}

// The value types whose data is text, in two views.
inline bool IsTextType(store::ValueType type) {
  return type == store::kTypeText || type == store::kTypeExpandableText ||
         type == store::kTypeMultiText;
}

// The data in the wide view that reg files and reg.exe show, and back.
std::vector<std::uint8_t> WideData(store::ValueType type, const std::vector<std::uint8_t>& data);
std::vector<std::uint8_t> NarrowData(store::ValueType type, const std::vector<std::uint8_t>& data);

// The order in which reg.exe lists the names of keys and values: by UTF-16
// unit, each in lower case by the registry's table (store/letter_case.h).
bool RegExeOrder(std::string_view a, std::string_view b);

// The bytes of a "Windows Registry Editor Version 5.00" file with keys in
// their order, line for line as reg.exe writes them. A text value holding a
// NUL, which quotes cannot, is written in hex(1) as its bytes, so that the
// file reads back to the same values.
std::string WriteRegFile(const std::vector<RegFileKey>& keys);

// The first key whose path a file cannot hold (a line break in a key's
// name, which its line would end at), or null.
const RegFileKey* UnwritableKey(const std::vector<RegFileKey>& keys);

struct RegFileRead {
  enum class Outcome {
    Read,             // keys holds the whole file
    NotRegistryFile,  // no known first line: keys is empty
    BadLine,          // keys holds what came before badLine
  };
  Outcome outcome = Outcome::Read;
  std::vector<RegFileKey> keys;
  std::size_t badLine = 0;  // counted from 1
  // Escapes in quotes that reg.exe does not know: the backslash is dropped
  // and the character kept, as reg.exe reads them, and each is told.
  struct UnknownEscape {
    std::size_t line;
    std::string character;  // the one after the backslash, in UTF-8
  };
  std::vector<UnknownEscape> unknownEscapes;
};

// Reads a registry file of either format. Its text is UTF-16 after a
// UTF-16 byte-order mark, UTF-8 after a UTF-8 one, and Windows-1252 in an
// 8-bit file without one, as reg.exe reads it; so are the 8-bit text types
// of REGEDIT4 (hex(2), hex(7)). Every name and text read is valid UTF-8.
RegFileRead ReadRegFile(std::string_view bytes);

}  // namespace quorvane::tools
