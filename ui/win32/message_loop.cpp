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
    // The window decides first what its keys do: a key it acts on goes no
    // further, and makes no character.
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    NativeWindow* ours = nullptr;
    for (NativeWindow* window : Program().live) {
      if (window->Handle() == root) ours = window;
    }
    if (ours && ours->RouteKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
    // The focus that the message moved, by any means, is reported.
    for (NativeWindow* window : Program().live) window->NoticeFocus();
  }
  return std::nullopt;
}

void WindowClosed() {
  // As a toolkit ends its loop when its last window closes: the program's
  // main window, which outlives every window it opens.
  for (NativeWindow* window : Program().live) {
    if (window->IsOpen()) return;
  }
  PostQuitMessage(0);
}

}  // namespace quorvane::ui::win32
