#include "engine/backup_record.h"

#include <cstring>
#include <string>

namespace quorvane::engine {

// A NUL that ends a text is its terminator, as other tools store one;
// anything after a NUL is content.
bool IsAbsentMarker(const store::Setting& setting, const store::TypedValue& copy) {
  if (setting.kind == store::Kind::Number) {
    std::int32_t number = 0;
    if (copy.type != store::kTypeNumber || copy.data.size() != sizeof number) return false;
    std::memcpy(&number, copy.data.data(), sizeof number);
    return number == kAbsentNumber;
  }
  if (copy.type != store::kTypeText) return false;
  std::string text(copy.data.begin(), copy.data.end());
  if (!text.empty() && text.back() == '\0') text.pop_back();
  return text == kAbsentText;
}

}  // namespace quorvane::engine
