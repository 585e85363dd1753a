// What a toolkit supplies for one window built from a resolved design
// (design_rows.h): the window and its controls, named by their row, in one
// vocabulary for every toolkit. A core makes, places, draws and drives the
// controls, reports what the user does as it happens, and runs a modal
// loop. Every rule of what the design means while the window lives (which
// key does what, where the focus goes, which option buttons exclude each
// other, where a label stands) is its host's (window_host.h): the core
// reports to the host and carries out what the host asks, and works out no
// rule of its own.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "engine/user_dialogs.h"
#include "ui/design_rows.h"

namespace quorvane::ui {

// A check box's or option button's value: 0 cleared, 1 ticked (selected),
// 2 greyed (check boxes only).
inline constexpr int kCleared = 0;
inline constexpr int kTicked = 1;
inline constexpr int kGreyed = 2;

// The events a control reports to its window's logic.
enum class Event {
  Click,   // a button, check box, option button or clickable label was clicked
  Change,  // a scroll bar's position changed (a completed change only)
  Choose,  // the user chose an item of a list, also the one already shown
};

// The keys whose meaning is the window's, whatever toolkit reports them.
// BackTab is Shift and Tab.
enum class Key { Enter, Escape, Tab, BackTab, Left, Right, Up, Down };

// What a core tells its window's host, as it happens.
class CoreReports {
 public:
  virtual ~CoreReports() = default;
  // The user clicked, changed or chose a control, also by a Click the host
  // asked for.
  virtual void Reported(int control, Event event) = 0;
  // A key pressed in the window while `focused` has the focus (kNoControl:
  // none of the controls), before the control takes it. True: the window
  // acted on it, and the control must not see it.
  virtual bool KeyPressed(Key key, int focused) = 0;
  // Alt and a character (a letter or digit, in lower case): true when it
  // was a control's access key.
  virtual bool AccessKeyPressed(char character) = 0;
  // The mouse wheel turned over (or, where the window system sends it
  // there, at) `control` (kNoControl: none of them), before the control
  // takes it. False: the control must not see it.
  virtual bool WheelTurned(int control) = 0;
  // The focus has moved to a control, by any means (kNoControl: to none).
  virtual void FocusMoved(int control) = 0;
  // The window has become the active one (true), or is no longer.
  virtual void Activated(bool active) = 0;
  // The window's resolution has changed: its controls stand anew at their
  // design places, in the pixels of the new resolution.
  virtual void Rescaled() = 0;
};

class WindowCore {
 public:
  virtual ~WindowCore() = default;

  // A control's state, by row; SetCheckValue sets that control alone.
  virtual std::string Text(int control) const = 0;
  virtual void SetText(int control, std::string_view text) = 0;
  virtual int CheckValue(int control) const = 0;
  virtual void SetCheckValue(int control, int value) = 0;
  // The row of the item the user chose last in a list, -1 while none is.
  virtual int ChosenIndex(int control) const = 0;
  virtual int ScrollPosition(int control) const = 0;
  virtual void SetScrollPosition(int control, int position) = 0;
  // Shows or hides the control itself (its containers may hide it still).
  virtual void SetVisible(int control, bool visible) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;

  // The control that has the keyboard's focus in this window, kNoControl
  // for none; it is the window's focus also while the window is inactive.
  virtual int FocusedControl() const = 0;
  // Gives a control the focus (kNoControl: the window itself); byKey: as
  // the keyboard moves it, so that the focus is drawn from now on and an
  // entry box selects its text.
  virtual void SetFocus(int control, bool byKey) = 0;
  // Clicks a button, check box or option button as the user's click would
  // (a check box changes its own value; an option button does not), which
  // is reported.
  virtual void Click(int control) = 0;
  // Draws a push button as the one that Enter presses (kNoControl: none).
  virtual void ShowDefault(int button) = 0;

  // The pixels that a label's caption needs on one line, in its font.
  virtual int CaptionWidth(int control) const = 0;
  // Places a control, in pixels of the window's resolution from the top
  // left of its container.
  virtual void Place(int control, const PixelRect& place) = 0;
  // The window's resolution: 96 where the toolkit counts device-independent
  // pixels.
  virtual int DotsPerInch() const = 0;

  // Hands the address to the platform's opener with this window as the
  // caller, reporting nothing.
  virtual void OpenWebAddress(const std::string& address) = 0;
  // Ends the program at once: every window closes, no further handler runs.
  virtual void EndProgram() = 0;

  // Shows the window at its start position and activates it; ShowModal
  // also keeps its owner from taking input until it closes. Both return at
  // once.
  virtual void Show() = 0;
  virtual void ShowModal() = 0;
  // Runs the toolkit's loop until the window has been closed (or the
  // program has ended).
  virtual void RunUntilClosed() = 0;
  // Closes the window; its owner takes input again first.
  virtual void Close() = 0;
};

// What a toolkit supplies to the program: a window's core, and message
// boxes.
class Toolkit {
 public:
  virtual ~Toolkit() = default;
  // Builds a window and all its controls, hidden, from a resolved design;
  // it reports to `reports` for as long as it lives. owner: the core of
  // the window that opens this one (nullptr: none), which this one stays in
  // front of.
  virtual std::unique_ptr<WindowCore> MakeWindow(const DesignRows& design, CoreReports& reports,
                                                 WindowCore* owner) = 0;
  // A modal message box over owner (nullptr: none), with the message's
  // title (the program's when it names none), text, buttons, default button
  // and icon; returns the answer (message_box_keys.h).
  virtual engine::Answer ShowMessage(const engine::Message& message, WindowCore* owner) = 0;
  // The busy pointer over the program's windows, until ShowBusy(false).
  virtual void ShowBusy(bool busy) = 0;
};

}  // namespace quorvane::ui
