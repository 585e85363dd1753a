// A UserDialogs that shows nothing: it writes down every message box and
// every showing of the Finished window, in order, and answers each box as
// the test scripted. Needs nothing but the engine's dialog interface.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/user_dialogs.h"

namespace quorvane::testing {

class ScriptedDialogs : public engine::UserDialogs {
 public:
  // A box as it was shown, with the style value Windows would have taken.
  struct Shown {
    std::string text;
    std::string title;
    engine::Buttons buttons;
    engine::Icon icon;
    int defaultButton;
    int style;
  };

  std::vector<Shown> shown;  // every box, in the order shown
  int finishedCount = 0;     // how often the Finished window was shown
  bool busy = false;         // the busy pointer is shown
  int busyCount = 0;         // how often it was turned on

  // The answers to the coming boxes, taken one per box. A box beyond the
  // script is answered OK when it has only OK, and No when it asks.
  std::deque<engine::Answer> answers;

  // Called while a box is open, before it is answered: lets a test look at
  // the registry as it stands when the user is asked.
  std::function<void(const engine::Message&)> whileShown;

  engine::Answer Show(const engine::Message& message) override {
    EXPECT_FALSE(busy) << "a box shown under the busy pointer";
    shown.push_back({message.text, message.title, message.buttons, message.icon,
                     message.defaultButton, message.Style()});
    if (whileShown) whileShown(message);
    if (!answers.empty()) {
      const engine::Answer answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return message.buttons == engine::Buttons::Ok ? engine::Answer::Ok : engine::Answer::No;
  }

  void ShowFinished() override {
    EXPECT_FALSE(busy) << "the Finished window shown under the busy pointer";
    ++finishedCount;
  }
  void ShowBusy(bool on) override {
    EXPECT_NE(busy, on) << "the busy pointer set twice";
    busy = on;
    if (on) ++busyCount;
  }
};

}  // namespace quorvane::testing
