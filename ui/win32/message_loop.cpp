#include "ui/win32/message_loop.h"

#include <algorithm>
#include <vector>

#include "ui/win32/native_window.h"

namespace quorvane::ui::win32 {
namespace {

struct ProgramState {
  bool ended = false;
  std::vector<NativeWindow*> live;  // in the order they were opened
};
ProgramState& Program() {
  static ProgramState state;
  return state;
}

}  // namespace

void AddLiveWindow(NativeWindow* window) { Program().live.push_back(window); }

void RemoveLiveWindow(NativeWindow* window) {
  auto& live = Program().live;
  live.erase(std::remove(live.begin(), live.end(), window), live.end());
}

void EndProgram() {
  ProgramState& program = Program();
  if (program.ended) return;
  program.ended = true;
  // The last opened first: a modal window gives its owner back.
  const std::vector<NativeWindow*> live = program.live;
  for (auto it = live.rbegin(); it != live.rend(); ++it) (*it)->Close();
  PostQuitMessage(0);
}

bool ProgramEnded() { return Program().ended; }

void ResetProgramEndForTesting() {
  Program().ended = false;
  MSG quit;
  while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

std::optional<int> RunMessageLoop(const std::function<bool()>& done) {
  MSG message;
  while (!done()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      const int status = got == 0 ? static_cast<int>(message.wParam) : 1;
      PostQuitMessage(status);
      return status;
    }
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    bool ours = false;
    for (NativeWindow* window : Program().live) ours = ours || window->Handle() == root;
    if (ours && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return std::nullopt;
}

void RunModal(NativeWindow& window, HWND owner) {
  if (ProgramEnded()) return;
  window.DisableOwnerWhileOpen(owner);
  window.Show();
  RunMessageLoop([&window] { return !window.IsOpen(); });
  window.Close();
}

}  // namespace quorvane::ui::win32
