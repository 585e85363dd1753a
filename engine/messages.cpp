#include "engine/messages.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>

#include "engine/texts.h"
#include "store/status_words.h"

namespace quorvane::engine {
namespace {

Message Box(std::string text, std::string title, Buttons buttons, Icon icon) {
  Message message;
  message.text = std::move(text);
  message.title = std::move(title);
  message.buttons = buttons;
  message.icon = icon;
  return message;
}

WindowTelling Telling(Message box) { return {std::move(box), false}; }

const char* LabelOf(const Step& step) { return store::SettingOf(step.setting).label; }

std::string NamingSettings(const char* lead, const std::vector<std::string>& labels,
                           const char* tail) {
  std::string text = lead;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (i > 0) text += text::kNameSeparator;
    text += labels[i];
  }
  return text + tail;
}

std::vector<std::string> LabelsOf(const std::vector<Step>& steps) {
  std::vector<std::string> labels;
  for (const Step& step : steps) labels.push_back(LabelOf(step));
  return labels;
}

std::vector<Step> FailedOf(const std::vector<Step>& steps) {
  std::vector<Step> failed;
  std::copy_if(steps.begin(), steps.end(), std::back_inserter(failed),
               [](const Step& step) { return step.Failed(); });
  return failed;
}

// Appends sentence to text, a blank between them.
void Append(std::string& text, const std::string& sentence) {
  text += text::kSentenceSeparator;
  text += sentence;
}

// The reasons of the statuses, each once, in the order first met.
void AppendReasons(std::string& text, const std::vector<store::Status>& statuses) {
  std::vector<std::string> told;
  for (const store::Status status : statuses) {
    std::string reason = store::WindowReason(status);
    if (std::find(told.begin(), told.end(), reason) != told.end()) continue;
    Append(text, reason);
    told.push_back(std::move(reason));
  }
}

std::vector<store::Status> StatusesOf(const std::vector<Step>& steps) {
  std::vector<store::Status> statuses;
  for (const Step& step : steps) statuses.push_back(step.status);
  return statuses;
}

// A failure box: text, then the reasons of the statuses.
Message Failure(std::string text, const std::vector<store::Status>& why) {
  AppendReasons(text, why);
  return Box(std::move(text), kProgramTitle, Buttons::Ok, Icon::Error);
}

std::string NotChanged(const std::vector<Step>& failed) {
  return NamingSettings(text::kChangeFailedLead, LabelsOf(failed), text::kChangeFailedTail);
}

std::string WithoutBackup(const std::vector<std::string>& labels) {
  return NamingSettings(text::kNoBackupValueLead, labels, text::kNoBackupValueTail);
}

// The backup stops at its first failed copy, the last of its steps.
std::string BackupFailedText(const std::vector<Step>& backup) {
  if (backup.size() == 1) return text::kBackupFailed;
  const std::vector<Step> backedUp(backup.begin(), backup.end() - 1);
  return NamingSettings(text::kBackupPartlyLead, LabelsOf(backedUp), text::kBackupPartlyMiddle) +
         LabelOf(backup.back()) + text::kBackupPartlyTail;
}

Message SelectConnectionTypeMessage() {
  return Box(text::kSelectConnectionType, kProgramTitle, Buttons::Ok, Icon::Information);
}

// The closing box names no title of its own, so it carries the program's.
Message RestoreCompleteMessage() {
  std::string text = text::kRestoreComplete;
  Append(text, text::kRebootReminder);
  return Box(std::move(text), kProgramTitle, Buttons::Ok, Icon::None);
}

Message RestorePartlyMessage(const std::vector<std::string>& withoutBackup) {
  std::string text = text::kRestoredOthers;
  Append(text, WithoutBackup(withoutBackup));
  Append(text, text::kRebootReminder);
  return Box(std::move(text), kProgramTitle, Buttons::Ok, Icon::Information);
}

Message NoBackupFoundMessage() {
  return Box(text::kNoBackupFound, kProgramTitle, Buttons::Ok, Icon::Information);
}

// Names the settings that the restore could not put back and why, then
// those without a backup copy; ends with the reboot reminder when anything
// was restored.
Message RestoreFailedMessage(const std::vector<Step>& failed,
                             const std::vector<std::string>& withoutBackup, bool anyRestored) {
  std::string text =
      NamingSettings(text::kRestoreFailedLead, LabelsOf(failed), text::kRestoreFailedTail);
  AppendReasons(text, StatusesOf(failed));
  if (!withoutBackup.empty()) Append(text, WithoutBackup(withoutBackup));
  if (anyRestored) Append(text, text::kRebootReminder);
  return Box(std::move(text), kProgramTitle, Buttons::Ok, Icon::Error);
}

}  // namespace

Message RegistryUnavailableMessage(const store::OpenFailure& failure) {
  return Box(store::DescribeOpenFailureInWindow(failure), kProgramTitle, Buttons::Ok,
             Icon::Error);
}

Message QuestionMessage(Question question) {
  switch (question) {
    case Question::Disclaimer:
      return Box(text::kDisclaimer, text::kDisclaimerTitle, Buttons::YesNo, Icon::Error);
    case Question::RestoreConfirmation:
      return Box(text::kRestoreConfirm, text::kRestoreTitle, Buttons::YesNo, Icon::Information);
  }
  std::abort();  // every question is one of the above
}

std::optional<FirstRunStop> FirstRunStopOf(const FirstRunOutcome& outcome) {
  if (outcome.marker.state == FirstRunMarker::State::Unreadable) {
    return FirstRunStop{text::kMarkerUnreadable, outcome.marker.status};
  }
  if (!outcome.backup.empty() && outcome.backup.back().Failed()) {
    return FirstRunStop{BackupFailedText(outcome.backup), outcome.backup.back().status};
  }
  if (outcome.markedDone && *outcome.markedDone != store::kSuccess) {
    return FirstRunStop{text::kFirstRunNotMarked, *outcome.markedDone};
  }
  if (outcome.markedPending && *outcome.markedPending != store::kSuccess) {
    return FirstRunStop{text::kDeclineNotMarked, *outcome.markedPending};
  }
  return std::nullopt;
}

WindowTelling TellInWindow(const FirstRunOutcome& outcome) {
  if (const std::optional<FirstRunStop> stop = FirstRunStopOf(outcome)) {
    return Telling(Failure(stop->text, {stop->why}));
  }
  return {};
}

// A name that is no connection type comes from no list of the window's,
// which offers the four alone; the window asks for one from its list.
WindowTelling TellInWindow(const OptimiseOutcome& outcome) {
  if (outcome.choice != TypeChoice::Preset) return Telling(SelectConnectionTypeMessage());
  const std::vector<Step> failed = FailedOf(outcome.steps);
  // The Finished window would tell the user the settings are optimised.
  if (failed.empty()) return {std::nullopt, true};
  std::string text = NotChanged(failed);
  Append(text, text::kNotFullyOptimised);
  return Telling(Failure(std::move(text), StatusesOf(failed)));
}

WindowTelling TellApplyInWindow(const std::vector<Step>& steps) {
  const std::vector<Step> failed = FailedOf(steps);
  if (failed.empty()) return {};
  return Telling(Failure(NotChanged(failed), StatusesOf(failed)));
}

WindowTelling TellInWindow(const RestoreOutcome& outcome) {
  if (outcome.confirmation != Answer::Yes) return {};
  bool anyRestored = false;
  std::vector<std::string> withoutBackup;
  std::vector<Step> failed;
  for (const Step& step : outcome.steps) {
    if (step.Failed()) {
      failed.push_back(step);
    } else if (step.found == Found::Absent) {
      withoutBackup.push_back(LabelOf(step));
    } else {
      anyRestored = true;
    }
  }
  if (!failed.empty()) return Telling(RestoreFailedMessage(failed, withoutBackup, anyRestored));
  if (!anyRestored) return Telling(NoBackupFoundMessage());
  if (!withoutBackup.empty()) return Telling(RestorePartlyMessage(withoutBackup));
  return Telling(RestoreCompleteMessage());
}

void Tell(UserDialogs& dialogs, const WindowTelling& telling) {
  if (telling.box) dialogs.Show(*telling.box);
  if (telling.finished) dialogs.ShowFinished();
}

}  // namespace quorvane::engine
