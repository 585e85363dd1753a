// How the portable registry reads, compares and bounds the paths of keys
// and the names of values, as the Windows registry does: paths are split at
// backslashes, letter case is ignored by the registry's own table
// (letter_case.h), not for ASCII alone, and names have the lengths and the
// tree the depth that Windows documents.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/registry_backend.h"

namespace quorvane::store {

// Limits in characters as Windows counts them (UTF-16 code units).
inline constexpr std::size_t kMaxKeyNameLength = 255;      // one key, not its path
inline constexpr std::size_t kMaxValueNameLength = 16383;
inline constexpr std::size_t kMaxKeyDepth = 512;           // keys below the root

// The name in the form that compares equal for every spelling that differs
// only in letter case: each character of the UTF-8 text in upper case by
// UpperCaseUnit, the same on every computer. Bytes that are not valid UTF-8
// are kept as they are.
std::string FoldedName(std::string_view name);

// As FoldedName, each character beyond ASCII upper-cased by upper instead:
// for stores of an earlier format, whose names were folded otherwise.
std::string FoldedNameBy(std::string_view name, char32_t (*upper)(char32_t));

// Appends the code point (at most U+10FFFF) to out in UTF-8.
void AppendUtf8(char32_t code, std::string* out);

// The number of UTF-16 code units the UTF-8 text takes; an invalid byte
// counts as one.
std::size_t WindowsLength(std::string_view name);

// A key path split into its keys below the root, each a view into path.
// Refuses a leading backslash or an empty component (kBadPathname), and a
// name or depth beyond Windows' limits or holding a NUL (kInvalidParameter).
// A single trailing backslash is not significant; "" is the root itself.
Status SplitPath(const std::string& path, std::vector<std::string_view>* keys);

// kSuccess, or kInvalidParameter for a value name beyond Windows' limit or
// holding a NUL.
Status CheckValueName(const std::string& name);

}  // namespace quorvane::store
