// Work that needs no application object, run while Qt connects to the
// display: the longest step of the start, spent waiting on library loading
// and on the X server, which leaves a second core idle.
#pragma once

#include <future>
#include <utility>

namespace quorvane::ui {

// True when making the application object will leave the environment as it
// is. Qt removes the startup-notification variables (DESKTOP_STARTUP_ID,
// XDG_ACTIVATION_TOKEN) as it connects to the display, and getenv() on
// another thread at that moment is a data race; fontconfig and the registry
// read the environment as they load. Call before the application object is
// made.
[[nodiscard]] bool QtStartLeavesEnvironmentAlone();

// Runs `work` on a thread of its own at once when that is safe (see above)
// and a thread can be had, and otherwise on the thread that first waits for
// its result, which must then do so after the application object is made.
// Either way the future holds what `work` returned or threw.
template <typename Work>
[[nodiscard]] auto StartBesideQt(Work work) {
  // Given both, the library runs it deferred when no thread can be started.
  const std::launch policy = QtStartLeavesEnvironmentAlone()
                                 ? std::launch::async | std::launch::deferred
                                 : std::launch::deferred;
  return std::async(policy, std::move(work));
}

}  // namespace quorvane::ui
