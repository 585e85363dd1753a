// How the portable registry compares and bounds the names of keys and
// values, as the Windows registry does: letter case is ignored for every
// letter Unicode gives an upper case, not for ASCII alone, and names have
// the lengths and the tree the depth that Windows documents.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvane::store {

// Limits in characters as Windows counts them (UTF-16 code units).
inline constexpr std::size_t kMaxKeyNameLength = 255;      // one key, not its path
inline constexpr std::size_t kMaxValueNameLength = 16383;
inline constexpr std::size_t kMaxKeyDepth = 512;           // keys below the root

// The name in the form that compares equal for every spelling that differs
// only in letter case: each character of the UTF-8 text in upper case. Bytes
// that are not valid UTF-8 are kept as they are.
std::string FoldedName(std::string_view name);

// The number of UTF-16 code units the UTF-8 text takes; an invalid byte
// counts as one.
std::size_t WindowsLength(std::string_view name);

}  // namespace quorvane::store
