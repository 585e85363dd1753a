// What a message box takes from the keyboard and its close box, and what
// its answer is, whatever toolkit draws it: a Yes/No box is answered only
// by Yes or No (Escape does nothing and it has no close box, as Windows'
// own box), an OK box also by Escape and its close box. Any other way out
// of a Yes/No box (a window system that closes it anyway, a box that could
// not be shown) is No: nothing is accepted that the user did not say Yes
// to.
#pragma once

#include <optional>

#include "engine/user_dialogs.h"

namespace quorvane::ui {

// True when Escape and the close box answer the box (with OK).
constexpr bool EscapeAnswers(const engine::Message& message) {
  return message.buttons == engine::Buttons::Ok;
}

// The box's answer from the button the toolkit reports pressed; nullopt:
// none was (the box went some other way).
constexpr engine::Answer AnswerOf(const engine::Message& message,
                                  std::optional<engine::Answer> pressed) {
  if (message.buttons == engine::Buttons::Ok) return engine::Answer::Ok;
  return pressed == engine::Answer::Yes ? engine::Answer::Yes : engine::Answer::No;
}

}  // namespace quorvane::ui
