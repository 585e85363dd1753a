// The current-value caption of a pane that shows one text setting.
#pragma once

#include <string>

#include "engine/texts.h"
#include "store/catalogue.h"
#include "store/registry.h"

namespace quorvane::engine {

// The caption prefix followed by the setting's text as the registry holds
// it, or by absent when the value is absent. The text is shown unchanged.
std::string ReadCaption(const store::Registry& registry, store::SettingId setting,
                        const char* absent);

}  // namespace quorvane::engine
