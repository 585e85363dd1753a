// restore [/f]: the restore as the program's Restore button runs it, asked
// first; refused, before asking, where the backup key holds no copy at all.
#include <iostream>
#include <optional>

#include "engine/restore.h"
#include "tools/reg_console.h"
#include "tools/reg_program.h"
#include "tools/reg_texts.h"

namespace quorvane::tools {

int RunRestore(const CommandRun& run) {
  const store::Registry registry = RegistryOf(run);
  const engine::BackupCopies copies = engine::LookAtBackupCopies(registry);
  if (copies.unreadable) return Fail(run.err, *copies.unreadable);
  if (!copies.any) {
    run.err << text::kNoBackupHere << "\n";
    return 1;
  }

  ConsoleQuestions questions(run);
  const engine::RestoreOutcome outcome = engine::RestoreFromBackup(registry, questions);
  if (outcome.confirmation != engine::Answer::Yes) {
    run.err << (questions.Unanswered() ? text::kRestoreUnanswered : text::kRestoreDeclined)
            << "\n";
    return 1;
  }
  if (outcome.NoBackup()) {  // the backup went meanwhile
    run.err << text::kNoBackupHere << "\n";
    return 1;
  }
  bool anyRestored = false;
  for (const engine::Step& step : outcome.steps) {
    if (step.Failed()) continue;
    run.out << NameOf(step.setting);
    if (step.found == engine::Found::Absent) {
      run.out << text::kLeftWithoutCopy << "\n";
      continue;
    }
    anyRestored = true;
    if (step.action == engine::Action::Remove) {
      run.out << text::kRemoved << "\n";
    } else {
      run.out << text::kRestored << HeldText(step.written) << "\n";
    }
  }
  if (anyRestored) run.out << text::kRestartForRestored << "\n";
  return TellFailedSteps(run, outcome.steps, text::kNotRestored) ? 1 : 0;
}

}  // namespace quorvane::tools
