// How the windows reach the user: modal message boxes and the Finished
// window. The windows implement this with real dialogs; the tests with a
// recorder that answers as scripted. An operation's questions are its
// message boxes.
#pragma once

#include <string>

#include "engine/questions.h"

namespace quorvane::engine {

// The values are those of the Windows message-box style, so that Style()
// gives the number that the Windows call would take.
enum class Buttons { Ok = 0x0, YesNo = 0x4 };              // MB_OK, MB_YESNO
enum class Icon { None = 0x0, Error = 0x10, Information = 0x40 };  // MB_ICONERROR (the stop sign), MB_ICONINFORMATION

// The program's title, which a message box carries when its caller names
// no title of its own.
inline constexpr const char* kProgramTitle = "Quorvane";

struct Message {
  std::string text;
  std::string title;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  int defaultButton = 1;  // 1 is the first button (Yes or OK)

  // The title the box carries: its own, else the program's.
  std::string ShownTitle() const { return title.empty() ? kProgramTitle : title; }

  // The Windows style value: buttons, icon and default button together.
  int Style() const {
    return static_cast<int>(buttons) | static_cast<int>(icon) | ((defaultButton - 1) << 8);
  }
};

class UserDialogs : public Questions {
 public:
  // Shows the box modally and returns the button pressed.
  virtual Answer Show(const Message& message) = 0;
  // Shows the Finished window modally, over the main window, and returns when
  // the user has closed it.
  virtual void ShowFinished() = 0;
  void ShowBusy(bool busy) override = 0;

  // A question is its box, as QuestionMessage builds it.
  Answer Ask(Question question) final;
};

}  // namespace quorvane::engine
