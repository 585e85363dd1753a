// The message boxes of the windows, each with its text, title, buttons,
// icon and default button: the questions that the operations ask, and how
// a window tells what an operation did. Every box about an operation is
// built here, from its outcome.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/first_run.h"
#include "engine/quick_optimise.h"
#include "engine/restore.h"
#include "engine/setting_apply.h"
#include "engine/steps.h"
#include "engine/user_dialogs.h"
#include "store/open_failure.h"

namespace quorvane::engine {

// The registry cannot be opened, and why; the program ends after it.
Message RegistryUnavailableMessage(const store::OpenFailure& failure);

// A question as a window asks it: the first-run disclaimer (Yes and No,
// Yes the default, the stop icon: style 20) or the restore's (Yes and No,
// the information icon: style 68).
Message QuestionMessage(Question question);

// A first run that could not go on, in the words that the windows and the
// command line share: what it did and did not do, and the status that says
// why. Nullopt when it went on, or ended as the user declined.
struct FirstRunStop {
  std::string text;
  store::Status why = store::kSuccess;
};
std::optional<FirstRunStop> FirstRunStopOf(const FirstRunOutcome& outcome);

// What a window shows once an operation has returned: a box, or the
// Finished window, or nothing.
struct WindowTelling {
  std::optional<Message> box;
  bool finished = false;
};

// A first run that could not go on says why, and what was written and what
// was not: nothing at all, since the marker could not be read; nothing,
// since no backup could be written; the backup of some settings only; the
// whole backup but not the marker; or, after a decline, everything but
// setting the marker back. Otherwise it shows nothing more.
WindowTelling TellInWindow(const FirstRunOutcome& outcome);
// The Finished window once the whole preset is written; otherwise a box
// that names the settings not written and why, or asks for a connection
// type from the list.
WindowTelling TellInWindow(const OptimiseOutcome& outcome);
// Once Yes was answered, a box: the restore complete; the settings without
// a backup copy named; those not restored named with why; or no backup.
WindowTelling TellInWindow(const RestoreOutcome& outcome);
// A box that names the settings that an Apply could not write, and why, in
// the optimise's words; nothing when all were written.
WindowTelling TellApplyInWindow(const std::vector<Step>& steps);
template <typename Shown>
WindowTelling TellInWindow(const ApplyOutcome<Shown>& outcome) {
  return TellApplyInWindow(outcome.steps);
}

// Shows a telling in the windows' dialogs: its box, or the Finished window.
void Tell(UserDialogs& dialogs, const WindowTelling& telling);

}  // namespace quorvane::engine
