// The application object, made on the graphical display: where there is none
// to open, the program ends in one line instead of Qt's abort.
#pragma once

#include <QApplication>
#include <memory>

namespace quorvane::app {

// The text, on standard error, when no display can be opened.
inline constexpr const char* kNoDisplayText =
    "quorvane: needs a graphical display (X11 or Wayland); none could be opened.";

// Makes the QApplication, which connects to the display. When Qt cannot open
// one (no DISPLAY or WAYLAND_DISPLAY, a display that does not answer, no
// display plugin), prints kNoDisplayText and ends the program with
// kNoDisplay. Qt's messages from the connection are shown as usual when it
// succeeds. argc must outlive the application.
std::unique_ptr<QApplication> ApplicationOnDisplay(int& argc, char** argv);

}  // namespace quorvane::app
