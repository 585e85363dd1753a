// What a window's logic may do with its controls, whatever toolkit draws
// them. The handlers of each window are written once against this view;
// the Qt windows and the Win32 windows implement it, and the tests do with
// an in-memory view.
//
// Texts are UTF-8. No call of the view runs a handler: a change the logic
// makes (a scroll position, a selection) reports nothing back, so the logic
// runs any handler that should follow itself, in the order it chooses.
#pragma once

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

template <typename Id>
class WindowView {
 public:
  virtual ~WindowView() = default;

  // A label's or button's caption, or an entry box's text.
  virtual std::string Text(Id control) const = 0;
  virtual void SetText(Id control, std::string_view text) = 0;

  // Check boxes and option buttons. Setting an option button to kTicked
  // clears the other option buttons of its container.
  virtual int CheckValue(Id control) const = 0;
  virtual void SetCheckValue(Id control, int value) = 0;

  // Lists: the index of the item the user chose last in the design's list
  // of items, -1 while none is; and its text, "" while none is.
  virtual int ChosenIndex(Id control) const = 0;
  virtual std::string ChosenText(Id control) const = 0;

  // Scroll bars.
  virtual int ScrollPosition(Id control) const = 0;
  virtual void SetScrollPosition(Id control, int position) = 0;

  // Panes and other controls.
  virtual void SetVisible(Id control, bool visible) = 0;

  // The window's caption.
  virtual std::string Caption() const = 0;
  virtual void SetCaption(std::string_view caption) = 0;

  // Hands the address to the platform's opener with this window as the
  // caller; whatever happens is not reported and the window stays open.
  virtual void OpenWebAddress(const std::string& address) = 0;

  // Opens a secondary window modally; returns when it has been closed.
  virtual void OpenModal(ModalWindow window) = 0;

  // Unloads this window (a secondary window: its modal call returns).
  virtual void Close() = 0;

  // Ends the program at once: every window closes and no further handler
  // runs.
  virtual void EndProgram() = 0;
};

// The events a control reports to its window's logic.
enum class Event {
  Click,   // a button, check box or clickable label was clicked
  Change,  // a scroll bar's position changed (a completed change only)
  Choose,  // the user chose an item of a list, also the one already shown
};

// Which handler of the logic serves which event of which control. Each
// window's logic lists its handlers in one table of these; the adapters
// walk it to connect the controls. Events not listed are ignored.
template <typename Logic>
struct EventBinding {
  typename Logic::Id control;
  Event event;
  void (Logic::*handler)();
};

}  // namespace quorvane::ui
