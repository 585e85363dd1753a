// What a toolkit supplies for one window built from a resolved design
// (design_rows.h): the window and its controls, named by their row, in one
// vocabulary for every toolkit. A core carries out what the resolved rows
// say and works out no rule of the design itself; the view a window's logic
// gets (window_view.h) and the window's life (window_host.h) are written once
// over it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quorvane::ui {

// The secondary windows the main window opens, each modally and without an
// owner window; the call returns when the user has closed it.
enum class ModalWindow { About, Finished };

// A check box's or option button's value: 0 cleared, 1 ticked (selected),
// 2 greyed (check boxes only).
inline constexpr int kCleared = 0;
inline constexpr int kTicked = 1;
inline constexpr int kGreyed = 2;

// The events a control reports to its window's logic.
enum class Event {
  Click,   // a button, check box or clickable label was clicked
  Change,  // a scroll bar's position changed (a completed change only)
  Choose,  // the user chose an item of a list, also the one already shown
};

class WindowCore {
 public:
  virtual ~WindowCore() = default;

  // WindowView's calls (window_view.h), by row.
  virtual std::string Text(int control) const = 0;
  virtual void SetText(int control, std::string_view text) = 0;
  virtual int CheckValue(int control) const = 0;
  virtual void SetCheckValue(int control, int value) = 0;
  // The row of the item the user chose last in a list, -1 while none is.
  virtual int ChosenIndex(int control) const = 0;
  virtual int ScrollPosition(int control) const = 0;
  virtual void SetScrollPosition(int control, int position) = 0;
  virtual void SetVisible(int control, bool visible) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;
  virtual void OpenWebAddress(const std::string& address) = 0;
  virtual void OpenModal(ModalWindow window) = 0;
  virtual void Close() = 0;
  virtual void EndProgram() = 0;

  // Calls handler at each event of that kind the control reports.
  virtual void OnEvent(int control, Event event, std::function<void()> handler) = 0;
  // Shows the window at its start position, with the focus on its first
  // control, and activates it.
  virtual void Show() = 0;
  // Shows the window modally (nothing else of the program takes input) and
  // returns once it has been closed.
  virtual void RunModal() = 0;
};

}  // namespace quorvane::ui
