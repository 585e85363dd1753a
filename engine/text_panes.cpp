#include "engine/text_panes.h"

#include <cstdlib>

namespace quorvane::engine {

const TextPaneRow& TextPaneOf(TextPane pane) {
  for (const TextPaneRow& row : kTextPanes) {
    if (row.pane == pane) return row;
  }
  std::abort();  // every TextPane has a row; a missing one is a build fault
}

std::string ReadCaption(const store::Registry& registry, store::SettingId setting,
                        const char* help) {
  const store::Setting& row = store::SettingOf(setting);
  return text::kCaptionPrefix + registry.ReadText(store::kRoot, row.key, row.valueName, help);
}

}  // namespace quorvane::engine
