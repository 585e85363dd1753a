// The program's message loop and its end: the keys of every window of the
// program handed to it first, the loop's end when its last window closes,
// and ending the program at once.
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

// Runs the thread's message loop, handing each key to the program's window
// that it is for before the control (NativeWindow::RouteKey), until done()
// is true or the quit message arrives. Returns the quit message's status
// when it arrived, after posting it again for any loop further out.
std::optional<int> RunMessageLoop(const std::function<bool()>& done);

// A window of the program has been destroyed: when it was the last one
// open, the message loops end with status 0.
void WindowClosed();

// The program's open windows, which the loop and EndProgram serve; each
// NativeWindow adds itself while it lives.
void AddLiveWindow(NativeWindow* window);
void RemoveLiveWindow(NativeWindow* window);

}  // namespace quorvane::ui::win32
