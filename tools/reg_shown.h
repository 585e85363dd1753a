// How quorvane-reg shows a value's type and data: as reg.exe's query shows
// them, and, for the program's own commands, as a pane would show a
// setting's value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/registry.h"
#include "store/registry_backend.h"

namespace quorvane::tools {

// The type's name as reg.exe gives it (REG_SZ), or its number in hex.
std::string TypeNameOf(store::ValueType type);

// The data as reg.exe shows it: text up to its first NUL, the strings of a
// multi-string joined by \0, numbers in hex, anything else as hex bytes.
std::string Shown(store::ValueType type, const std::vector<std::uint8_t>& data);

// A setting's value as the program's commands name it: a text in quotes as
// the pane reads it (engine::TextOf), a 32-bit number in decimal, any
// other value by its type and data as reg.exe shows them.
std::string SettingValueText(const store::TypedValue& value);

}  // namespace quorvane::tools
