// The questions that an operation must have answered before it goes on,
// and the front end that answers them: the windows with a message box, the
// command line with its own means. Only Yes lets an operation go on.
#pragma once

namespace quorvane::engine {

// The values are those of the Windows message box's buttons.
enum class Answer { Ok = 1, Yes = 6, No = 7 };  // IDOK, IDYES, IDNO

enum class Question {
  Disclaimer,           // the first run's: the settings are backed up; go on?
  RestoreConfirmation,  // the restore's: put the backed-up settings back?
};

// What an operation needs of the front end that runs it.
class Questions {
 public:
  virtual ~Questions() = default;
  // Asks the user and waits for the answer. The question's words, and how
  // a window shows them, are QuestionMessage's (messages.h).
  virtual Answer Ask(Question question) = 0;
  // Shows the busy pointer, or ends it, while an operation's registry calls
  // run (one may wait for a store that another program holds). No question
  // is asked while it is on.
  virtual void ShowBusy(bool busy) { static_cast<void>(busy); }
};

}  // namespace quorvane::engine
