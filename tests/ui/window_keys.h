// The rules of the windows as tables of behaviours, which the Qt window
// tests and the Win32 window tests both run against their own windows: the
// keys and the focus, the pile of overlapping controls, the owner of the
// secondary windows, the first-run question's keys, the colours behind the
// captions and the places of the labels that never wrap; and what the two
// runners read from the designs alike.
#pragma once

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "ui/access_keys.h"
#include "ui/control_names.h"
#include "ui/design_rows.h"
#include "ui/one_line_label.h"
#include "ui/quorvane_about_design.h"
#include "ui/quorvane_finished_design.h"
#include "ui/quorvane_form_design.h"
#include "ui/window_design.h"
#include "ui/window_host.h"

namespace quorvane::testing {

using ui::NameOf;
using About = ui::AboutControl;
using Finished = ui::FinishedControl;
using Form = ui::FormControl;

// AltDown opens a list; WheelDown turns the mouse wheel one notch, over
// the row's `over`.
enum class Key {
  None, Enter, KeypadEnter, Escape, Tab, BackTab, Left, Right, Up, Down, AltA, AltDown, WheelDown
};

// A window as a test opens it: the main window (at a scroll position) or
// one of the secondary windows over it.
enum class Window { Main, About, Finished };

// What a key (and those after it) does in a window from the control that
// has the focus: where the focus goes (an option button it reaches is the
// selected one of its group), or kCloses; and what the list or scroll bar
// that the wheel turns over, else the control reached, shows then. A box
// of several lines takes no Enter, Tab or Escape.
inline constexpr const char* kCloses = nullptr;
struct WindowKey {
  Window window;
  int position;  // the main window's scroll position
  const char* from;
  Key key;
  const char* to;
  const char* shows = nullptr;  // nullptr: not looked at
  const char* over = nullptr;   // where the wheel turns
  std::array<Key, 2> then{};    // the keys after `key`
};
inline const WindowKey kWindowKeys[] = {
    // Enter and Escape close the About window whichever of cmdOK and the
    // text box has the focus; Enter closes the Finished window, and Escape
    // does nothing there (it has no cancel button).
    {Window::About, 0, NameOf(About::cmdOK), Key::Enter, kCloses},
    {Window::About, 0, NameOf(About::cmdOK), Key::KeypadEnter, kCloses},
    {Window::About, 0, NameOf(About::cmdOK), Key::Escape, kCloses},
    {Window::About, 0, NameOf(About::txtSpecialCopyright), Key::Enter, kCloses},
    {Window::About, 0, NameOf(About::txtSpecialCopyright), Key::KeypadEnter, kCloses},
    {Window::About, 0, NameOf(About::txtSpecialCopyright), Key::Escape, kCloses},
    {Window::Finished, 0, NameOf(Finished::CmdClose), Key::Enter, kCloses},
    {Window::Finished, 0, NameOf(Finished::CmdClose), Key::Escape, NameOf(Finished::CmdClose)},
    // Tab walks the controls that take the focus in table order, the hidden
    // panes' left out; the text box hands Tab on (in the Win32 About window
    // it kept Tab and Shift+Tab, a trap for the keyboard).
    {Window::About, 0, NameOf(About::txtSpecialCopyright), Key::Tab, NameOf(About::cmdOK)},
    {Window::About, 0, NameOf(About::txtSpecialCopyright), Key::BackTab, NameOf(About::cmdOK)},
    {Window::About, 0, NameOf(About::cmdOK), Key::Tab, NameOf(About::txtSpecialCopyright)},
    {Window::Main, 1, NameOf(Form::cmd_Optimise), Key::Tab, NameOf(Form::scroller)},
    {Window::Main, 1, NameOf(Form::Combo2), Key::BackTab, NameOf(Form::cmdClose)},
    // An option group is one stop of Tab: its selected button.
    {Window::Main, 8, NameOf(Form::Setting7Apply), Key::BackTab, NameOf(Form::Setting7Option1)},
    // All four arrow keys move inside a group and select the option button
    // they reach (in the Qt windows only Left and Right did).
    {Window::Main, 8, NameOf(Form::Setting7Option1), Key::Down, NameOf(Form::Setting7Option2)},
    {Window::Main, 8, NameOf(Form::Setting7Option1), Key::Right, NameOf(Form::Setting7Option2)},
    {Window::Main, 8, NameOf(Form::Setting7Option2), Key::Up, NameOf(Form::Setting7Option1)},
    {Window::Main, 8, NameOf(Form::Setting7Option2), Key::Left, NameOf(Form::Setting7Option1)},
    // A check box or push button is a group of its own: the focus stays.
    {Window::Main, 6, NameOf(Form::Setting5Option2), Key::Down, NameOf(Form::Setting5Option2)},
    {Window::Main, 6, NameOf(Form::Setting5Apply), Key::Left, NameOf(Form::Setting5Apply)},
    // An access key gives its push button the focus as it clicks it, as
    // Windows' dialog keys do, so that Enter clicks it again (on Qt the
    // focus stayed, and Enter did nothing). A list opened with nothing
    // chosen highlights nothing: Down reaches the first item (on Qt the
    // second); Escape closes it showing what it showed as it opened (on
    // Win32 the item it had moved to, beside the pane of the one before).
    {Window::Main, 2, NameOf(Form::Setting1Custom), Key::AltA, NameOf(Form::Setting1Apply),
     nullptr, nullptr, {Key::Enter}},
    {Window::Main, 1, NameOf(Form::Combo2), Key::AltDown, NameOf(Form::Combo2), "Modem", nullptr,
     {Key::Down, Key::Enter}},
    {Window::Main, 1, NameOf(Form::Combo1), Key::AltDown, NameOf(Form::Combo1), "", nullptr,
     {Key::Down, Key::Escape}},
    // The wheel turns no scroll bar (on Qt it changed the pane), and a list
    // it turns over chooses without taking the focus (on Qt it took it).
    {Window::Main, 1, NameOf(Form::Combo2), Key::WheelDown, NameOf(Form::Combo2), "1",
     NameOf(Form::scroller)},
    {Window::Main, 1, NameOf(Form::Combo2), Key::WheelDown, NameOf(Form::Combo2),
     "Welcome to Quorvane", NameOf(Form::Combo1)},
};

// The control that holds the focus as each secondary window opens.
inline const char* FirstFocusOf(Window window) {
  return window == Window::About ? NameOf(About::cmdOK) : NameOf(Finished::CmdClose);
}

// The focus moves on from a control whose pane the scroll bar hides, to
// the next control shown that takes it: from position `from` to `to`.
struct PaneFocus {
  int from;
  const char* focus;
  int to;
  const char* then;
};
inline const PaneFocus kPaneFocus[] = {
    {1, NameOf(Form::cmd_Optimise), 2, NameOf(Form::scroller)},
    {8, NameOf(Form::Setting7Option1), 1, NameOf(Form::scroller)},
};

// Overlapping controls of the main window: the one that takes input lies
// over a label, a later one over an earlier one, so that neither paints
// over the other (under Wine, "Enabled" painted over "Disabled" as the
// focus left it).
inline const std::pair<const char*, const char*> kOverlaps[] = {  // lower, upper
    {NameOf(Form::Setting7Option1), NameOf(Form::Setting7Option2)},
    {NameOf(Form::Label39), NameOf(Form::Setting7Option1)},
    {NameOf(Form::Label5), NameOf(Form::Setting1Custom)},
};

// The secondary windows are owned by the main window, which takes no input
// while one is open and has the focus back where it was once it closes.
struct Owned {
  Window window;
  int position;           // the main window's scroll position
  const char* mainFocus;  // the main window's control that has the focus
};
inline const Owned kOwned[] = {
    {Window::About, 2, NameOf(Form::Setting1Custom)},
    {Window::Finished, 1, NameOf(Form::cmd_Optimise)},
};

// The first-run question takes Yes from Enter (its default button) and is
// never accepted by Escape: the Qt box ignores it, Windows' box (under
// Wine) gives back an answer that is not Yes.
inline const std::pair<Key, bool> kQuestionKeys[] = {{Key::Escape, false}, {Key::Enter, true}};

// What a control's caption is drawn on (a bar beneath a label that draws
// no background of its own, else the control's or its pane's white), and,
// for a label that never wraps, where it stands: around its caption, on
// one line, where the design aligns it within its place (the Win32 core
// wrapped the Finished window's centred link).
struct Caption {
  Window window;
  int position;  // the main window's scroll position
  const char* control;
  std::optional<ui::Rgb> drawnOn;  // nullopt: what its caption's width lays it over
  bool oneLine;
};
inline const Caption kCaptions[] = {
    {Window::About, 0, NameOf(About::lblTitle), ui::Rgb{255, 192, 128}, false},
    {Window::About, 0, NameOf(About::lblInfo_1), ui::Rgb{255, 255, 192}, false},
    {Window::About, 0, NameOf(About::lblDotLine_1), std::nullopt, true},
    {Window::Main, 1, NameOf(Form::Label35), ui::kWhiteColour, false},
    {Window::Main, 8, NameOf(Form::Setting7Option2), ui::kWhiteColour, false},
    {Window::Finished, 0, NameOf(Finished::Label3), ui::kWhiteColour, true},
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

inline ui::ModalWindow ModalOf(Window window) {
  return window == Window::About ? ui::ModalWindow::About : ui::ModalWindow::Finished;
}

inline ui::DesignRows RowsOf(Window window) {
  return window == Window::Main    ? ui::RowsOf(ui::kQuorvaneFormDesign)
         : window == Window::About ? ui::RowsOf(ui::kQuorvaneAboutDesign)
                                   : ui::RowsOf(ui::kQuorvaneFinishedDesign);
}

// The row index of the control of that name; there must be one.
inline int IndexNamed(const ui::DesignRows& rows, std::string_view name) {
  for (std::size_t i = 0; i < rows.controls.size(); ++i) {
    if (rows.controls[i].name == name) return static_cast<int>(i);
  }
  throw std::logic_error("no control " + std::string(name));
}

// A control's place in its window's design, in pixels.
inline ui::PixelRect DesignPlaceOf(Window window, std::string_view control) {
  const ui::DesignRows rows = RowsOf(window);
  const ui::Rect& place = rows.controls[IndexNamed(rows, control)].place;
  using ui::TwipsToPixels;
  return {TwipsToPixels(place.left), TwipsToPixels(place.top), TwipsToPixels(place.width),
          TwipsToPixels(place.height)};
}

// Whether a label that never wraps stands around its caption: narrower
// than its design place, on the same line, and centred in it or against its
// right edge to within a pixel.
inline bool StandsAroundItsCaption(const ui::PixelRect& place, const ui::PixelRect& design) {
  const int centreOff = std::abs(2 * place.left + place.width - 2 * design.left - design.width);
  const int rightOff = std::abs(place.left + place.width - design.left - design.width);
  return place.width < design.width && place.top == design.top &&
         place.height == design.height && std::min(centreOff, 2 * rightOff) <= 2;
}

}  // namespace quorvane::testing
