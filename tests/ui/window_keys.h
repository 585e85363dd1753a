// The rules of the windows as tables of behaviours, which the Qt window
// tests and the Win32 window tests both run against their own windows: the
// keys and the focus, the pile of overlapping controls, the owner of the
// secondary windows, the first-run question's keys, the colours behind the
// captions and the places of the labels that never wrap.
#pragma once

#include <string>

#include "ui/access_keys.h"
#include "ui/control_names.h"
#include "ui/design_rows.h"
#include "ui/quorvane_about_design.h"
#include "ui/quorvane_finished_design.h"
#include "ui/quorvane_form_design.h"
#include "ui/window_design.h"
#include "ui/window_host.h"

namespace quorvane::testing {

enum class Key { Enter, KeypadEnter, Escape, Tab, BackTab, Left, Right, Up, Down };

// A window as a test opens it: the main window (at a scroll position) or
// one of the secondary windows over it.
enum class Window { Main, About, Finished };

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

// Where a key takes the focus from a control; `selects`: the option button
// it reaches is selected, and the rest of its group cleared.
struct FocusStep {
  Window window;
  int position;  // the main window's scroll position
  const char* from;
  Key key;
  const char* to;
  bool selects;
};

using About = ui::AboutControl;
using Form = ui::FormControl;

inline const FocusStep kFocusSteps[] = {
    // Tab walks the controls that take the focus in table order, the hidden
    // panes' left out; a box of several lines hands Tab on (in the Win32
    // About window it kept Tab and Shift+Tab, a trap for the keyboard).
    {Window::About, 0, ui::NameOf(About::txtSpecialCopyright), Key::Tab, ui::NameOf(About::cmdOK),
     false},
    {Window::About, 0, ui::NameOf(About::txtSpecialCopyright), Key::BackTab,
     ui::NameOf(About::cmdOK), false},
    {Window::About, 0, ui::NameOf(About::cmdOK), Key::Tab, ui::NameOf(About::txtSpecialCopyright),
     false},
    {Window::Main, 1, ui::NameOf(Form::cmd_Optimise), Key::Tab, ui::NameOf(Form::scroller), false},
    {Window::Main, 1, ui::NameOf(Form::Combo2), Key::BackTab, ui::NameOf(Form::cmdClose), false},
    // An option group is one stop of Tab: its selected button.
    {Window::Main, 8, ui::NameOf(Form::Setting7Apply), Key::BackTab,
     ui::NameOf(Form::Setting7Option1), false},
    // All four arrow keys move inside a group and select the option button
    // they reach (in the Qt windows only Left and Right did).
    {Window::Main, 8, ui::NameOf(Form::Setting7Option1), Key::Down,
     ui::NameOf(Form::Setting7Option2), true},
    {Window::Main, 8, ui::NameOf(Form::Setting7Option1), Key::Right,
     ui::NameOf(Form::Setting7Option2), true},
    {Window::Main, 8, ui::NameOf(Form::Setting7Option2), Key::Up, ui::NameOf(Form::Setting7Option1),
     true},
    {Window::Main, 8, ui::NameOf(Form::Setting7Option2), Key::Left,
     ui::NameOf(Form::Setting7Option1), true},
    // A check box or push button is a group of its own: the focus stays.
    {Window::Main, 6, ui::NameOf(Form::Setting5Option2), Key::Down,
     ui::NameOf(Form::Setting5Option2), false},
    {Window::Main, 6, ui::NameOf(Form::Setting5Apply), Key::Left, ui::NameOf(Form::Setting5Apply),
     false},
};

// The focus moves on from a control whose pane the scroll bar hides: to
// the next control shown that takes it.
struct PaneFocus {
  int from;  // scroll position
  const char* focus;
  int to;
  const char* then;
};
inline const PaneFocus kPaneFocus[] = {
    {1, ui::NameOf(Form::cmd_Optimise), 2, ui::NameOf(Form::scroller)},
    {8, ui::NameOf(Form::Setting7Option1), 1, ui::NameOf(Form::scroller)},
};

// Overlapping controls of the main window: the one that takes input lies
// over a label, a later one over an earlier one, so that neither paints
// over the other (under Wine, "Enabled" painted over "Disabled" as the
// focus left it).
struct Overlap {
  const char* lower;
  const char* upper;
};
inline const Overlap kOverlaps[] = {
    {ui::NameOf(Form::Setting7Option1), ui::NameOf(Form::Setting7Option2)},
    {ui::NameOf(Form::Label39), ui::NameOf(Form::Setting7Option1)},
    {ui::NameOf(Form::Label5), ui::NameOf(Form::Setting1Custom)},
};

// The secondary windows are owned by the main window, which takes no input
// while one is open and has the focus back where it was once it closes.
struct Owned {
  ui::ModalWindow window;
  int position;           // the main window's scroll position
  const char* mainFocus;  // the main window's control that has the focus
};
inline const Owned kOwned[] = {
    {ui::ModalWindow::About, 2, ui::NameOf(Form::Setting1Custom)},
    {ui::ModalWindow::Finished, 1, ui::NameOf(Form::cmd_Optimise)},
};

// The first-run question takes Yes from Enter (its default button) and is
// never accepted by Escape: the Qt box ignores it, Windows' box (under
// Wine) gives back an answer that is not Yes.
struct QuestionKey {
  Key key;
  bool accepts;
};
inline const QuestionKey kQuestionKeys[] = {{Key::Escape, false}, {Key::Enter, true}};

// The colour a control's caption is drawn on: a bar's beneath a label that
// draws no background of its own, else the control's or its pane's white.
struct Fill {
  Window window;
  int position;  // the main window's scroll position
  const char* control;
  ui::Rgb colour;
};
inline const Fill kFills[] = {
    {Window::About, 0, ui::NameOf(About::lblTitle), {255, 192, 128}},
    {Window::About, 0, ui::NameOf(About::lblInfo_1), {255, 255, 192}},
    {Window::Main, 1, ui::NameOf(Form::Label35), ui::kWhiteColour},
    {Window::Main, 8, ui::NameOf(Form::Setting7Option2), ui::kWhiteColour},
    {Window::Finished, 0, ui::NameOf(ui::FinishedControl::Label3), ui::kWhiteColour},
};

// Labels that never wrap stand around their caption, on one line, where
// the design aligns it within their place (the Win32 core wrapped the
// Finished window's centred link).
struct OneLine {
  Window window;
  const char* label;
  ui::Align align;
};
inline const OneLine kOneLineLabels[] = {
    {Window::Finished, ui::NameOf(ui::FinishedControl::Label3), ui::Align::Centre},
    {Window::About, ui::NameOf(About::lblDotLine_1), ui::Align::Right},
};

// The name that a screen reader gives a control that takes input: the
// design's for it (or that of the label that names it), else its caption
// as it is drawn.
inline std::string AccessibleNameOf(const ui::ControlRow& row) {
  return !row.accessibleName.empty() ? row.accessibleName
                                     : ui::WithoutAccessMark(row.caption ? row.caption : "");
}

inline const char* WindowName(Window window) {
  return window == Window::Main ? "main" : window == Window::About ? "About" : "Finished";
}

}  // namespace quorvane::testing
