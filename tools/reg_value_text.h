// Keys and values as quorvane-reg's commands name and show them, in
// reg.exe's words: a key's name, the type names that add's and query's /t
// read, and the columns of the value lines that query and compare print;
// and, for the program's own commands, a setting's value as a pane would
// show it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/registry.h"
#include "store/registry_backend.h"

namespace quorvane::tools {

// The type that a command line names ("REG_SZ", any letter case), of those
// that add can write; nullopt for any other word.
std::optional<store::ValueType> TypeNamed(const std::string& name);

// The type's column: its name, or 0x and its number for a type that has
// none; with number, /z's form: the number after it in parentheses.
std::string ShownType(store::ValueType type, bool number = false);

// The data's column: text up to its first NUL, the texts of a multi-string
// joined by separator, a 32- or 64-bit number in 0x hex, anything else as
// hex digits, two a byte.
std::string ShownData(store::ValueType type, const std::vector<std::uint8_t>& data,
                      const std::string& separator = "\\0");

// A key's name as the commands show it: HKEY_LOCAL_MACHINE, then the path
// below it ("" the root itself).
std::string KeyShown(const std::string& path);

// A value's name as the commands show it: "(Default)" for "".
std::string NameShown(const std::string& name);

// A value's line in query's listing.
std::string ValueLine(const std::string& name, const std::string& type, const std::string& data);

// True when text is one character (one UTF-16 unit, as Windows counts),
// as a separator must be.
bool IsOneCharacter(const std::string& text);

// A setting's value as the program's commands name it: a text in quotes as
// the pane reads it (engine::TextOf), a 32-bit number in decimal, any
// other value by its type and data as query shows them.
std::string SettingValueText(const store::TypedValue& value);

}  // namespace quorvane::tools
