// quorvane-reg.exe's store: Windows' own registry, which is always there to
// be opened and tells nothing more of a failure than its status.
#include "tools/reg_run.h"

namespace quorvane::tools {

store::Status OpenCommandStore(StoreUse, std::unique_ptr<CommandStore>* store) {
  *store = std::make_unique<CommandStore>();
  return store::kSuccess;
}

void ExplainFailure(const CommandStore&, std::ostream&) {}

}  // namespace quorvane::tools
