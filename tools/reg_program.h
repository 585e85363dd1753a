// What the program's commands (show, optimise, verify, restore) share: the
// questions of an operation asked on the console, how a setting and what it
// holds are named, and the refusal of a name that is no connection type.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "engine/questions.h"
#include "engine/steps.h"
#include "store/catalogue.h"
#include "store/registry.h"
#include "tools/reg_commands.h"

namespace quorvane::tools {

// Asks an operation's questions on the console, in the words of the
// windows' boxes: the title, the text and a prompt on out, the answer on
// in, Yes or No in any letter case. The command's force option (/accept,
// /f: its row's) answers Yes without asking, saying so; without it, where
// standard input is no console nobody answers, and the answer is No.
class ConsoleQuestions final : public engine::Questions {
 public:
  explicit ConsoleQuestions(const CommandRun& run);
  engine::Answer Ask(engine::Question question) override;
  // The last question was answered No since nobody was there to answer.
  bool Unanswered() const { return unanswered_; }

 private:
  const CommandRun& run_;
  std::string option_;  // the force option, as it is typed
  bool unanswered_ = false;
};

// The registry as the program's operations see it, over the command's store.
inline store::Registry RegistryOf(const CommandRun& run) { return store::Registry(*run.store); }

// What a value held is, as the commands name it: its text in quotes (or as
// SettingValueText shows another type), or that it is not set.
std::string HeldText(const engine::Held& value);
// As HeldText, or why it could not be read.
std::string ReadingText(const engine::Reading& reading);

// The setting's name in the commands' lines: the label by which the
// windows' messages name it.
inline const char* NameOf(store::SettingId id) { return store::SettingOf(id).label; }

// Tells on err each of the steps that failed, in their order: "ERROR: ",
// its setting's name, notDone (" was not written: ") and why. True when
// one had failed.
bool TellFailedSteps(const CommandRun& run, const std::vector<engine::Step>& steps,
                     const char* notDone);

// Refuses a connection type that is none of the four, naming them on err;
// answers 1. Nothing has been written.
int RefuseConnectionType(const CommandRun& run);

}  // namespace quorvane::tools
