#include "tools/reg_program.h"

#include <cstdlib>
#include <iostream>
#include <string_view>

#include "engine/messages.h"
#include "engine/quick_optimise.h"
#include "store/status_words.h"
#include "tools/reg_console.h"
#include "tools/reg_texts.h"
#include "tools/reg_value_text.h"

namespace quorvane::tools {
namespace {

const char* PromptOf(engine::Question question) {
  switch (question) {
    case engine::Question::Disclaimer:
      return text::kDisclaimerPrompt;
    case engine::Question::RestoreConfirmation:
      return text::kRestorePrompt;
  }
  std::abort();  // every question is one of the above
}

// A box's text with the line ends of the console: its CR LF are a
// window's.
std::string ConsoleLines(std::string_view text) {
  std::string lines;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines += text[i];
  }
  return lines;
}

}  // namespace

ConsoleQuestions::ConsoleQuestions(const CommandRun& run) : run_(run) {
  for (const OptionRow& option : CommandOf(run.command.operation).options) {
    if (option.option == Option::Force) option_ = std::string("/") + option.name;
  }
  if (option_.empty()) std::abort();  // only a command with a force option asks
}

engine::Answer ConsoleQuestions::Ask(engine::Question question) {
  const engine::Message box = engine::QuestionMessage(question);
  run_.out << box.ShownTitle() << "\n\n" << ConsoleLines(box.text) << "\n\n";
  const char* prompt = PromptOf(question);
  unanswered_ = false;
  if (run_.command.force) {
    run_.out << prompt << text::kAnsweredBy << option_ << "\n";
    return engine::Answer::Yes;
  }
  if (!run_.console) {
    run_.out << prompt << text::kNobodyAsked << "\n";
    unanswered_ = true;
    return engine::Answer::No;
  }
  return Confirm(run_.in, run_.out, prompt) ? engine::Answer::Yes : engine::Answer::No;
}

std::string HeldText(const engine::Held& value) {
  return value ? SettingValueText(*value) : text::kNotSet;
}

std::string ReadingText(const engine::Reading& reading) {
  if (reading.status != store::kSuccess) {
    return text::kUnreadableBefore + store::CommandLineReason(reading.status) +
           text::kUnreadableAfter;
  }
  return HeldText(reading.value);
}

bool TellFailedSteps(const CommandRun& run, const std::vector<engine::Step>& steps,
                     const char* notDone) {
  bool failed = false;
  for (const engine::Step& step : steps) {
    if (!step.Failed()) continue;
    run.err << text::kErrorPrefix << NameOf(step.setting) << notDone
            << store::CommandLineReason(step.status) << "\n";
    failed = true;
  }
  return failed;
}

int RefuseConnectionType(const CommandRun& run) {
  run.err << text::kUnknownTypeBefore << run.command.connection << text::kUnknownTypeAfter;
  const char* separator = "";
  for (const char* name : engine::kConnectionTypes) {
    run.err << separator << "\"" << name << "\"";
    separator = text::kNameSeparator;
  }
  run.err << ".\n";
  return 1;
}

}  // namespace quorvane::tools
