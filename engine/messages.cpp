#include "engine/messages.h"

#include <algorithm>
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

std::string NamingSettings(const char* lead, const std::vector<std::string>& labels,
                           const char* tail) {
  std::string text = lead;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (i > 0) text += text::kNameSeparator;
    text += labels[i];
  }
  return text + tail;
}

std::vector<std::string> LabelsOf(const std::vector<FailedSetting>& failed) {
  std::vector<std::string> labels;
  for (const FailedSetting& setting : failed) labels.push_back(setting.label);
  return labels;
}

std::string ReasonOf(store::Status status) { return store::WindowReason(status); }

// Appends sentence to text, a blank between them.
void Append(std::string& text, const std::string& sentence) {
  text += text::kSentenceSeparator;
  text += sentence;
}

// The reasons of the failures, each once, in the order first met.
void AppendReasons(std::string& text, const std::vector<FailedSetting>& failed) {
  std::vector<std::string> told;
  for (const FailedSetting& setting : failed) {
    std::string reason = ReasonOf(setting.status);
    if (std::find(told.begin(), told.end(), reason) != told.end()) continue;
    Append(text, reason);
    told.push_back(std::move(reason));
  }
}

// A failure box: text, then the reasons of failed.
Message Failure(std::string text, const std::vector<FailedSetting>& failed) {
  AppendReasons(text, failed);
  return Box(std::move(text), kProgramTitle, Buttons::Ok, Icon::Error);
}

std::string NotChanged(const std::vector<FailedSetting>& failed) {
  return NamingSettings(text::kChangeFailedLead, LabelsOf(failed), text::kChangeFailedTail);
}

std::string WithoutBackup(const std::vector<std::string>& labels) {
  return NamingSettings(text::kNoBackupValueLead, labels, text::kNoBackupValueTail);
}

}  // namespace

Message RegistryUnavailableMessage(const store::OpenFailure& failure) {
  return Box(store::DescribeOpenFailureInWindow(failure), kProgramTitle, Buttons::Ok,
             Icon::Error);
}

Message DisclaimerMessage() {
  return Box(text::kDisclaimer, text::kDisclaimerTitle, Buttons::YesNo, Icon::Error);
}

Message BackupFailedMessage(store::Status why) {
  return Failure(text::kBackupFailed, {{"", why}});
}

Message BackupPartlyMessage(const std::vector<std::string>& backedUp,
                            const FailedSetting& failed) {
  return Failure(NamingSettings(text::kBackupPartlyLead, backedUp, text::kBackupPartlyMiddle) +
                     failed.label + text::kBackupPartlyTail,
                 {failed});
}

Message FirstRunNotMarkedMessage(store::Status why) {
  return Failure(text::kFirstRunNotMarked, {{"", why}});
}

Message DeclineNotMarkedMessage(store::Status why) {
  return Failure(text::kDeclineNotMarked, {{"", why}});
}

Message SelectConnectionTypeMessage() {
  return Box(text::kSelectConnectionType, kProgramTitle, Buttons::Ok, Icon::Information);
}

Message OptimiseFailedMessage(const std::vector<FailedSetting>& failed) {
  std::string text = NotChanged(failed);
  Append(text, text::kNotFullyOptimised);
  return Failure(std::move(text), failed);
}

Message ApplyFailedMessage(const std::vector<FailedSetting>& failed) {
  return Failure(NotChanged(failed), failed);
}

Message RestoreConfirmMessage() {
  return Box(text::kRestoreConfirm, text::kRestoreTitle, Buttons::YesNo, Icon::Information);
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

Message RestoreFailedMessage(const std::vector<FailedSetting>& failed,
                             const std::vector<std::string>& withoutBackup, bool anyRestored) {
  std::string text =
      NamingSettings(text::kRestoreFailedLead, LabelsOf(failed), text::kRestoreFailedTail);
  AppendReasons(text, failed);
  if (!withoutBackup.empty()) Append(text, WithoutBackup(withoutBackup));
  if (anyRestored) Append(text, text::kRebootReminder);
  return Box(std::move(text), kProgramTitle, Buttons::Ok, Icon::Error);
}

}  // namespace quorvane::engine
