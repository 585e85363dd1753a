// The engine's message boxes and Finished window, shown with Qt: modal,
// without an owner window, each returning when the user has answered.
#pragma once

#include "engine/user_dialogs.h"

namespace quorvane::ui {

class QtUserDialogs final : public engine::UserDialogs {
 public:
  // A modal message box with the message's title (the program's title when
  // it names none), text, buttons, default button and icon. Closing a Yes/No
  // box any other way than with Yes answers No.
  engine::Answer Show(const engine::Message& message) override;

  // The Finished window, built afresh from its design.
  void ShowFinished() override;

  // The wait cursor over every window of the program, as an override that
  // the next ShowBusy(false) takes away.
  void ShowBusy(bool busy) override;
};

}  // namespace quorvane::ui
