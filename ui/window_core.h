// What a toolkit supplies for one window built from a resolved design
// (design_rows.h): the window and its controls, named by their row, in one
// vocabulary for every toolkit. A core carries out what the resolved rows
// say and works out no rule of the design itself; the view a window's logic
// gets (core_view.h) and the window's life (window_host.h) are written once
// over it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ui/window_view.h"

namespace quorvane::ui {

class WindowCore {
 public:
  virtual ~WindowCore() = default;

  // As WindowView's calls of the same names, by row.
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
