// Registry files (.reg) as Windows' reg.exe and regedit write and read
// them, over a model of keys and values that holds the data as the
// portable registry does: text values in its narrow (UTF-8) view, a text
// read from the store with its terminating NUL, one given as "text"
// without it, which the store adds (see StoredData). Writing and reading
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
#include <functional>
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

// The data as the store holds it once set: a text with the terminating NUL
// that the store adds where it lacks one. A value read from a file and the
// same value read back from the store compare equal so.
inline std::vector<std::uint8_t> StoredData(store::ValueType type,
                                            std::vector<std::uint8_t> data) {
  if (store::LacksTerminator(type, data.data(), static_cast<std::uint32_t>(data.size()))) {
    data.push_back(0);
  }
  return data;
}

// The data in the wide view that reg files and reg.exe show, and back.
std::vector<std::uint8_t> WideData(store::ValueType type, const std::vector<std::uint8_t>& data);
std::vector<std::uint8_t> NarrowData(store::ValueType type, const std::vector<std::uint8_t>& data);

// The order in which reg.exe lists the names of keys and values: by UTF-16
// unit, each in lower case by the registry's table (store/letter_case.h).
bool RegExeOrder(std::string_view a, std::string_view b);

// The bytes of a "Windows Registry Editor Version 5.00" file with keys in
// their order, line for line as reg.exe writes them. A text value is
// written in quotes without the NUL that ends it, as reg.exe writes it; one
// holding another NUL, which quotes cannot, is written in hex(1) as its
// bytes, all of them, so that the file reads back to the same values.
std::string WriteRegFile(const std::vector<RegFileKey>& keys);

// True for a key's path that a file cannot hold: a line break in a key's
// name, which its line would end at.
inline bool HoldsLineBreak(std::string_view path) {
  return path.find_first_of("\r\n") != std::string_view::npos;
}

// The first key whose path a file cannot hold, or null.
const RegFileKey* UnwritableKey(const std::vector<RegFileKey>& keys);

// The text of WriteRegFile's parts in UTF-8, for a file written a key at a
// time: its first line, each key with its values, its end. The file's
// bytes are the byte-order mark, then their text in UTF-16LE.
inline constexpr std::string_view kUtf16Mark = "\xFF\xFE";
std::string RegFileHeaderText();
std::string RegFileKeyText(const RegFileKey& key);
std::string RegFileEndText();
// One value's lines, as RegFileKeyText writes them after its key's: a key
// written without its values and then each of them reads the same.
std::string RegFileValueText(const RegFileValue& value);

struct RegFileRead {
  enum class Outcome {
    Read,             // keys holds the whole file
    NotRegistryFile,  // no known first line: keys is empty
    BadLine,          // keys holds what came before badLine
  };
  Outcome outcome = Outcome::Read;
  std::vector<RegFileKey> keys;
  std::size_t badLine = 0;  // counted from 1
  // Why badLine cannot be read: its syntax, or a name in it that is not
  // text (an unpaired UTF-16 surrogate, a byte that is not UTF-8), which
  // the registry could not keep apart from other names: Windows keeps such
  // names as they are, and two of them would become one here.
  enum class Fault { Syntax, NameNotText };
  Fault fault = Fault::Syntax;
  // Escapes in quotes that reg.exe does not know: the backslash is dropped
  // and the character kept, as reg.exe reads them, and each is told.
  struct UnknownEscape {
    std::size_t line;
    std::string character;  // the one after the backslash, in UTF-8
  };
  std::vector<UnknownEscape> unknownEscapes;
  // ScanRegFile only: the handler stopped the reading; or the errno of a
  // read of the file that failed, which ended it.
  bool stopped = false;
  int readError = 0;
};

// Reads a registry file of either format. Its text is UTF-16 after a
// UTF-16 byte-order mark, UTF-8 after a UTF-8 one, and Windows-1252 in an
// 8-bit file without one, as reg.exe reads it; so are the 8-bit text types
// of REGEDIT4 (hex(2), hex(7)). Every name and text read is valid UTF-8:
// in data what is not becomes U+FFFD, a name that is not stops the reading
// at its line.
RegFileRead ReadRegFile(std::string_view bytes);

// What ScanRegFile meets in a file, in order, handed on as it comes.
class RegFileHandler {
 public:
  virtual ~RegFileHandler() = default;
  // The first line is a registry file's, and the rest follows; false stops.
  virtual bool Begin() { return true; }
  // A key, without its values; false stops.
  virtual bool Key(RegFileKey key) = 0;
  // A value of the last key (none below a key that is deleted); false
  // stops.
  virtual bool Value(RegFileValue value) = 0;
  // An escape that reg.exe does not know, on a line that was read.
  virtual void UnknownEscape(RegFileRead::UnknownEscape escape) = 0;
};

// Fills buffer with up to size bytes of a file: how many, 0 at its end, or
// -1 with errno set when it cannot be read.
using ReadBytes = std::function<std::ptrdiff_t(char* buffer, std::size_t size)>;

// Reads a registry file as ReadRegFile does, a piece at a time, handing
// each key and value to handler as it is read: a file of any size is held
// no more than a line at a time. The answer's keys stay empty.
RegFileRead ScanRegFile(const ReadBytes& read, RegFileHandler& handler);

}  // namespace quorvane::tools
