// The keys of the secondary windows as one table of behaviours, which the
// Qt window tests and the Win32 window tests both run against their own
// windows: which control holds the focus when a window opens, and which
// keys close it from which control.
#pragma once

#include "ui/control_names.h"
#include "ui/quorvane_about_design.h"
#include "ui/quorvane_finished_design.h"
#include "ui/window_host.h"

namespace quorvane::testing {

enum class Key { Enter, KeypadEnter, Escape };

struct WindowKey {
  ui::ModalWindow window;
  const char* focus;  // the control that has the focus, by its name
  Key key;
  bool closes;
};

// Enter and Escape close the About window whichever of cmdOK and the text
// box has the focus; Enter closes the Finished window from CmdClose, and
// Escape does nothing there (it has no cancel button).
inline const WindowKey kWindowKeys[] = {
    {ui::ModalWindow::About, ui::NameOf(ui::AboutControl::cmdOK), Key::Enter, true},
    {ui::ModalWindow::About, ui::NameOf(ui::AboutControl::cmdOK), Key::KeypadEnter, true},
    {ui::ModalWindow::About, ui::NameOf(ui::AboutControl::cmdOK), Key::Escape, true},
    {ui::ModalWindow::About, ui::NameOf(ui::AboutControl::txtSpecialCopyright), Key::Enter, true},
    {ui::ModalWindow::About, ui::NameOf(ui::AboutControl::txtSpecialCopyright), Key::KeypadEnter,
     true},
    {ui::ModalWindow::About, ui::NameOf(ui::AboutControl::txtSpecialCopyright), Key::Escape, true},
    {ui::ModalWindow::Finished, ui::NameOf(ui::FinishedControl::CmdClose), Key::Enter, true},
    {ui::ModalWindow::Finished, ui::NameOf(ui::FinishedControl::CmdClose), Key::Escape, false},
};

// The control that holds the focus as each window opens.
struct FirstFocus {
  ui::ModalWindow window;
  const char* control;
};
inline const FirstFocus kFirstFocus[] = {
    {ui::ModalWindow::About, ui::NameOf(ui::AboutControl::cmdOK)},
    {ui::ModalWindow::Finished, ui::NameOf(ui::FinishedControl::CmdClose)},
};

inline const char* WindowName(ui::ModalWindow window) {
  return window == ui::ModalWindow::About ? "About" : "Finished";
}

}  // namespace quorvane::testing
