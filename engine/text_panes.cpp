#include "engine/text_panes.h"

namespace quorvane::engine {

std::string ReadCaption(const store::Registry& registry, store::SettingId setting,
                        const char* absent) {
  const store::Setting& row = store::SettingOf(setting);
  return text::kCaptionPrefix + registry.ReadText(store::kRoot, row.key, row.valueName, absent);
}

}  // namespace quorvane::engine
