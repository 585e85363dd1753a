// Whether two readings of registry files hold the same keys and values:
// paths, deletions, names, types and data as the store holds it (a text
// with its terminating NUL, whether a file writes it or not), not where
// they stood.
#pragma once

#include <vector>

#include "tools/reg_file.h"

namespace quorvane::fuzz {

inline bool SameValues(const std::vector<tools::RegFileValue>& a,
                       const std::vector<tools::RegFileValue>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].name != b[i].name || a[i].remove != b[i].remove || a[i].type != b[i].type ||
        tools::StoredData(a[i].type, a[i].data) != tools::StoredData(b[i].type, b[i].data)) {
      return false;
    }
  }
  return true;
}

inline bool SameKeys(const std::vector<tools::RegFileKey>& a,
                     const std::vector<tools::RegFileKey>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].path != b[i].path || a[i].remove != b[i].remove ||
        !SameValues(a[i].values, b[i].values)) {
      return false;
    }
  }
  return true;
}

}  // namespace quorvane::fuzz
