// The program's message loop and its end: the dialog keys of every window
// of the program, modal windows, and ending the program at once.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

namespace quorvane::ui::win32 {

class NativeWindow;

// Ends the program at once: every window of it closes, no further event
// reaches a handler, and the message loops end with status 0.
void EndProgram();
bool ProgramEnded();
// Lets a test process go on building windows after a test ended the program.
void ResetProgramEndForTesting();

// Runs the thread's message loop, passing keys through the dialog keys
// (Tab, access keys, Enter, Escape) of the program's windows, until done()
// is true or the quit message arrives. Returns the quit message's status
// when it arrived, after posting it again for any loop further out.
std::optional<int> RunMessageLoop(const std::function<bool()>& done);

// Shows the window modally: owner (if any) takes no input until the window
// has been closed; returns then, or when the program ends.
void RunModal(NativeWindow& window, HWND owner);

// The program's open windows, which the loop and EndProgram serve; each
// NativeWindow adds itself while it lives.
void AddLiveWindow(NativeWindow* window);
void RemoveLiveWindow(NativeWindow* window);

}  // namespace quorvane::ui::win32
