// The About window: product name, version line, the maker's links.
#pragma once

namespace quorvane::ui {

// Builds the About window afresh from its design, shows it modally without
// an owner window and returns when the user has closed it.
void ShowAboutWindow();

}  // namespace quorvane::ui
