// optimise ConnectionType [/accept] and verify ConnectionType: the quick
// optimise as the program runs it, first-run block first; and whether its
// preset is what the registry holds, which reads only.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "engine/first_run.h"
#include "engine/messages.h"
#include "engine/quick_optimise.h"
#include "engine/verify_preset.h"
#include "store/status_words.h"
#include "tools/reg_console.h"
#include "tools/reg_file.h"
#include "tools/reg_program.h"
#include "tools/reg_texts.h"
#include "tools/reg_value_text.h"

namespace quorvane::tools {
namespace {

// Runs the first-run block as the program's start does; answers the exit
// code of a command that goes no further, or nullopt to go on.
std::optional<int> FirstRun(const CommandRun& run, const store::Registry& registry,
                            ConsoleQuestions& questions) {
  const engine::FirstRunOutcome outcome = engine::RunFirstRunBlock(registry, questions);
  if (const std::optional<engine::FirstRunStop> stop = engine::FirstRunStopOf(outcome)) {
    run.err << text::kErrorPrefix << stop->text << " " << store::CommandLineReason(stop->why)
            << "\n";
    return 1;
  }
  switch (outcome.start) {
    case engine::StartOutcome::Continue:
      if (!outcome.backup.empty()) {
        run.out << text::kBackedUpIn << KeyShown(WithoutTrailingBackslashes(store::key::kBackup))
                << ".\n";
      }
      return std::nullopt;
    case engine::StartOutcome::Declined:
      run.err << (questions.Unanswered() ? text::kDisclaimerUnanswered
                                         : text::kDisclaimerDeclined)
              << "\n";
      return 1;
    case engine::StartOutcome::BackupFailed:
      break;
  }
  std::abort();  // a first run that could not go on has its stop
}

bool Changed(const engine::Step& step) {
  return step.found != engine::Found::Value ||
         engine::TextOf(step.before) != engine::TextOf(step.written);
}

// What the preset's write replaced, as its look before the write found it.
std::string Before(const engine::Step& step) {
  switch (step.found) {
    case engine::Found::Value:
      return HeldText(step.before);
    case engine::Found::Absent:
      return text::kNotSet;
    case engine::Found::Unknown:
      break;
  }
  return text::kNotRead;
}

}  // namespace

// A connection type that names no preset is refused before the first run,
// so that a mistyped command line writes nothing at all.
int RunOptimise(const CommandRun& run) {
  if (engine::ChoiceOf(run.command.connection) != engine::TypeChoice::Preset) {
    return RefuseConnectionType(run);
  }
  const store::Registry registry = RegistryOf(run);
  ConsoleQuestions questions(run);
  if (const std::optional<int> code = FirstRun(run, registry, questions)) return *code;

  const engine::OptimiseOutcome outcome =
      engine::QuickOptimise(registry, questions, run.command.connection);
  bool anyChanged = false;
  for (const engine::Step& step : outcome.steps) {
    if (step.Failed() || !Changed(step)) continue;
    run.out << NameOf(step.setting) << text::kChangedFrom << Before(step) << text::kChangedTo
            << HeldText(step.written) << "\n";
    anyChanged = true;
  }
  if (anyChanged) {
    run.out << text::kRestartForNew << "\n";
  } else if (outcome.Optimised()) {
    run.out << text::kPresetBefore << run.command.connection << text::kPresetSetAlready << "\n";
  }
  TellFailedSteps(run, outcome.steps, text::kNotWritten);
  return outcome.Optimised() ? 0 : 1;
}

int RunVerify(const CommandRun& run) {
  const engine::VerifyOutcome outcome =
      engine::VerifyPreset(RegistryOf(run), run.command.connection);
  if (outcome.choice != engine::TypeChoice::Preset) return RefuseConnectionType(run);
  if (outcome.AllLive()) {
    run.out << text::kPresetBefore << run.command.connection << text::kPresetSet << "\n";
    return 0;
  }
  for (const engine::PresetValueNotLive& value : outcome.notLive) {
    run.out << NameOf(value.setting) << text::kSaidOf << ReadingText(value.live)
            << text::kNotPreset << HeldText(engine::TextValue(value.preset)) << "\n";
  }
  return 1;
}

}  // namespace quorvane::tools
