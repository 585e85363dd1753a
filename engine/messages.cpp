#include "engine/messages.h"

#include <utility>

#include "engine/texts.h"

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

}  // namespace

Message DisclaimerMessage() {
  return Box(text::kDisclaimer, text::kDisclaimerTitle, Buttons::YesNo, Icon::Error);
}

Message BackupFailedMessage() {
  return Box(text::kBackupFailed, kProgramTitle, Buttons::Ok, Icon::Error);
}

Message SelectConnectionTypeMessage() {
  return Box(text::kSelectConnectionType, kProgramTitle, Buttons::Ok, Icon::Information);
}

Message OptimiseFailedMessage(const std::vector<std::string>& labels) {
  return Box(NamingSettings(text::kOptimiseFailedLead, labels, text::kOptimiseFailedTail),
             kProgramTitle, Buttons::Ok, Icon::Error);
}

Message RestoreConfirmMessage() {
  return Box(text::kRestoreConfirm, text::kRestoreTitle, Buttons::YesNo, Icon::Information);
}

// The closing box names no title of its own, so it carries the program's.
Message RestoreCompleteMessage() {
  return Box(text::kRestoreComplete, kProgramTitle, Buttons::Ok, Icon::None);
}

Message NoBackupFoundMessage() {
  return Box(text::kNoBackupFound, kProgramTitle, Buttons::Ok, Icon::Information);
}

Message RestoreFailedMessage(const std::vector<std::string>& labels) {
  return Box(NamingSettings(text::kRestoreFailedLead, labels, text::kRestoreFailedTail),
             kProgramTitle, Buttons::Ok, Icon::Error);
}

}  // namespace quorvane::engine
