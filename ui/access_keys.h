// Access keys, for every toolkit: "&" in a caption marks the character after
// it as the control's key (Alt and that character) and is not drawn; "&&"
// stands for "&" itself.
#pragma once

#include <string>
#include <string_view>

namespace quorvane::ui {

// The caption's access key as a lower-case character; 0 for none.
constexpr char AccessKeyOf(std::string_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    const char key = caption[i + 1];
    if (key != '&') return key >= 'A' && key <= 'Z' ? static_cast<char>(key - 'A' + 'a') : key;
    ++i;  // "&&"
  }
  return 0;
}

// The caption as it is drawn: the marks gone, "&&" as "&".
inline std::string WithoutAccessMark(std::string_view caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  return text;
}

}  // namespace quorvane::ui
