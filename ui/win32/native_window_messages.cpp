// The window's, its panes' and its controls' messages: painting, colours,
// the cursor over links, the controls' notifications and the focus turned
// into reports to the host, and the keys of the message loop.
#include <algorithm>
#include <cwctype>

#include "ui/win32/accessible_name.h"
#include "ui/win32/control_kinds.h"
#include "ui/win32/link_cursor.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/native_window.h"
#include "ui/win32/text_codes.h"

namespace quorvane::ui::win32 {
namespace {

COLORREF ColourOf(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

bool Down(int virtualKey) { return GetKeyState(virtualKey) < 0; }

std::optional<Key> KeyOf(WPARAM virtualKey) {
  if (Down(VK_CONTROL) || Down(VK_MENU)) return std::nullopt;
  switch (virtualKey) {
    case VK_RETURN:
      return Key::Enter;
    case VK_ESCAPE:
      return Key::Escape;
    case VK_TAB:
      return Down(VK_SHIFT) ? Key::BackTab : Key::Tab;
    case VK_LEFT:
      return Key::Left;
    case VK_RIGHT:
      return Key::Right;
    case VK_UP:
      return Key::Up;
    case VK_DOWN:
      return Key::Down;
    default:
      return std::nullopt;
  }
}

}  // namespace

// One per class, the same for every control of the kind.
WNDPROC& NativeWindow::OriginalProc(ControlKind kind) {
  static WNDPROC procs[static_cast<int>(ControlKind::Image) + 1] = {};
  return procs[static_cast<int>(kind)];
}

HBRUSH NativeWindow::Brush(Rgb colour) {
  const COLORREF value = ColourOf(colour);
  for (auto& [known, brush] : brushes_) {
    if (known == value) return brush;
  }
  HBRUSH brush = CreateSolidBrush(value);
  brushes_.emplace_back(value, brush);
  return brush;
}

Rgb NativeWindow::BackgroundOf(int container) const {
  return container == kNoControl ? window_.background : rows_[container].background;
}

int NativeWindow::ContainerOf(HWND container) const {
  return container == handle_ ? kNoControl : ControlOf(container);
}

int NativeWindow::ControlOf(HWND control) const {
  const int index = GetDlgCtrlID(control) - kFirstControlId;
  if (index < 0 || index >= static_cast<int>(rows_.size()) || handles_[index] != control) {
    return kNoControl;
  }
  return index;
}

void NativeWindow::Paint(HWND container, int containerIndex) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(container, &paint);
  for (size_t i = 0; i < rows_.size(); ++i) {
    const ControlRow& row = rows_[i];
    if (row.container != containerIndex || !IsPainted(row.kind) || !painted_visible_[i]) continue;
    RECT place = PixelPlace(static_cast<int>(i));
    switch (row.kind) {
      case ControlKind::Line:
        place.bottom = place.top + std::max<LONG>(1, place.bottom - place.top);
        [[fallthrough]];
      case ControlKind::Bar:
      case ControlKind::Rectangle:
        if (row.fill) FillRect(dc, &place, Brush(*row.fill));
        if (row.border) FrameRect(dc, &place, Brush(*row.border));
        break;
      case ControlKind::Image: {
        const int size = MulDiv(32, dpi_, USER_DEFAULT_SCREEN_DPI);
        DrawIconEx(dc, (place.left + place.right - size) / 2, (place.top + place.bottom - size) / 2,
                   imageIcon_, size, size, 0, nullptr, DI_NORMAL);
        break;
      }
      default:
        break;
    }
  }
  EndPaint(container, &paint);
}

// The row's colours, whatever colours the system's scheme has. A part that
// is no control of the design (a list's drop-down) is white, as the lists'
// fields are.
HBRUSH NativeWindow::ControlColours(HDC dc, HWND control) {
  const int index = ControlOf(control);
  if (index == kNoControl) {
    SetTextColor(dc, ColourOf(kBlackColour));
    SetBkColor(dc, ColourOf(kWhiteColour));
    return Brush(kWhiteColour);
  }
  const ControlRow& row = rows_[index];
  SetTextColor(dc, ColourOf(row.textColour));
  if (!row.opaque) {
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
  SetBkColor(dc, ColourOf(row.background));
  return Brush(row.background);
}

void NativeWindow::Report(int control, Event event) {
  if (!ProgramEnded()) reports_.Reported(control, event);
}

void NativeWindow::Command(int control, int code) {
  switch (rows_[control].kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      if (code == BN_CLICKED) Report(control, Event::Click);
      break;
    case ControlKind::ClickLabel:
    case ControlKind::LinkLabel:
      if (code == STN_CLICKED) Report(control, Event::Click);
      break;
    case ControlKind::List:
      ListNotification(control, code);
      break;
    default:
      break;
  }
}

// One choice, one Choose. An item chosen from the open list is confirmed
// by CBN_SELENDOK, also when it is the item already shown; the list reports
// the change as CBN_SELCHANGE as well, Windows while the list is open and
// Wine once it has closed, and that is the same choice. On the closed list
// the arrow keys change the item: Wine confirms each change first, Windows
// reports CBN_SELCHANGE alone. So each notification reports the item it
// confirms, and one that confirms the item reported last since the list
// opened adds nothing. A list closed without a choice (Escape) shows the
// item it showed as it opened again, as Windows' own does; Wine's went on
// showing the item it had moved to, beside the pane of the one before. A
// choice confirmed stays shown, even when a cancel follows it.
void NativeWindow::ListNotification(int control, int code) {
  ListState& list = lists_[control];
  HWND h = handles_[control];
  const int chosen = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
  switch (code) {
    case CBN_DROPDOWN:
      list = {true, chosen, CB_ERR};
      return;
    case CBN_SELENDCANCEL:
      if (!list.dropped) return;
      if (chosen != list.shown) SendMessageW(h, CB_SETCURSEL, list.shown, 0);
      // The change that Wine reports after it is none.
      list.confirmed = list.shown;
      return;
    case CBN_CLOSEUP:
      list.dropped = false;
      return;
    case CBN_SELENDOK:
      // Confirmed, so nothing after it takes the choice back: the handler
      // may open a modal window, whose taking of the focus cancels the
      // list's selection while the list is still open.
      list.dropped = false;
      if (chosen == CB_ERR || chosen == list.confirmed) return;
      list.confirmed = chosen;
      Report(control, Event::Choose);
      return;
    case CBN_SELCHANGE:
      // Moving through the open list chooses nothing yet.
      if (list.dropped || chosen == CB_ERR || chosen == list.confirmed) return;
      list.confirmed = chosen;
      Report(control, Event::Choose);
      return;
    default:
      return;
  }
}

// Only completed changes count: a thumb being dragged changes nothing until
// it is let go.
void NativeWindow::Scroll(int control, int code, int thumb) {
  const ControlRow& row = rows_[control];
  const int old = GetScrollPos(handles_[control], SB_CTL);
  int position = old;
  switch (code) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
      position = old - 1;
      break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
      position = old + 1;
      break;
    case SB_LEFT:
      position = row.minimum;
      break;
    case SB_RIGHT:
      position = row.maximum;
      break;
    case SB_THUMBPOSITION:
      position = thumb;
      break;
    default:
      return;
  }
  position = std::clamp(position, row.minimum, row.maximum);
  if (position == old) return;
  SetScrollPos(handles_[control], SB_CTL, position, TRUE);
  Report(control, Event::Change);
}

std::optional<LRESULT> NativeWindow::HandleContainerMessage(HWND container, UINT message,
                                                            WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(container, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, Brush(BackgroundOf(ContainerOf(container))));
      return 1;
    }
    case WM_PAINT:
      Paint(container, ContainerOf(container));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<LRESULT>(
          ControlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_SETCURSOR: {
      const int control = ControlOf(reinterpret_cast<HWND>(wParam));
      if (control != kNoControl && rows_[control].kind == ControlKind::LinkLabel &&
          LOWORD(lParam) == HTCLIENT) {
        SetCursor(LinkCursor());
        return TRUE;
      }
      return std::nullopt;
    }
    case WM_COMMAND: {
      const int control = lParam ? ControlOf(reinterpret_cast<HWND>(lParam)) : kNoControl;
      if (control != kNoControl) Command(control, HIWORD(wParam));
      return 0;
    }
    case WM_HSCROLL: {
      const int control = ControlOf(reinterpret_cast<HWND>(lParam));
      if (control != kNoControl && rows_[control].kind == ControlKind::ScrollBar) {
        Scroll(control, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
      }
      return 0;
    }
    default:
      return std::nullopt;
  }
}

LRESULT NativeWindow::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND self = handle_;
  if (auto answer = HandleContainerMessage(self, message, wParam, lParam)) return *answer;
  switch (message) {
    case WM_ACTIVATE:
      // The host gives the focus back as the window is activated.
      reports_.Activated(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      Layout(true);
      reports_.Rescaled();
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(self, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      Destroyed();
      return 0;
    default:
      return DefWindowProcW(self, message, wParam, lParam);
  }
}

LRESULT CALLBACK NativeWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* window = static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    window->handle_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
  }
  auto* window = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!window || window->handle_ != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
  return window->HandleWindowMessage(message, wParam, lParam);
}

std::optional<LRESULT> NativeWindow::HandleControlMessage(int control, UINT message, WPARAM wParam,
                                                          LPARAM lParam) {
  // A control that the design names: a screen reader hears that name.
  if (message == WM_GETOBJECT && !rows_[control].accessibleName.empty()) {
    return AccessibleObjectNamed(handles_[control], wParam, lParam,
                                 Utf8ToWide(rows_[control].accessibleName));
  }
  return std::nullopt;
}

void NativeWindow::NoticeFocus() {
  HWND focus = GetFocus();
  if (!handle_ || !focus || GetAncestor(focus, GA_ROOT) != handle_) return;
  const int control = FocusedControl();
  if (control == focus_) return;
  focus_ = control;
  reports_.FocusMoved(control);
}

LRESULT CALLBACK NativeWindow::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto kind = static_cast<ControlKind>(GetWindowLongPtrW(hwnd, GWLP_USERDATA) - 1);
  const WNDPROC original = OriginalProc(kind);
  HWND root = GetAncestor(hwnd, GA_ROOT);
  auto* window = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(root, GWLP_USERDATA));
  const int control = window && window->handle_ == root ? window->ControlOf(hwnd) : kNoControl;
  if (control != kNoControl) {
    const auto answer = window->HandleControlMessage(control, message, wParam, lParam);
    if (answer) return *answer;
  }
  return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

bool NativeWindow::RouteKey(const MSG& message) {
  if (message.message == WM_MOUSEWHEEL) {
    return !reports_.WheelTurned(ControlOf(message.hwnd));
  }
  if (message.message == WM_SYSCHAR) {
    const auto character = static_cast<wchar_t>(message.wParam);
    const bool letter = (character >= L'a' && character <= L'z') ||
                        (character >= L'A' && character <= L'Z') ||
                        (character >= L'0' && character <= L'9');
    return letter && reports_.AccessKeyPressed(static_cast<char>(towlower(character)));
  }
  if (message.message != WM_KEYDOWN) return false;
  const std::optional<Key> key = KeyOf(message.wParam);
  if (!key) return false;
  const int focused = FocusedControl();
  // An open drop-down list keeps every key: they choose in it or close it.
  if (focused != kNoControl && rows_[focused].kind == ControlKind::List &&
      SendMessageW(handles_[focused], CB_GETDROPPEDSTATE, 0, 0)) {
    return false;
  }
  return reports_.KeyPressed(*key, focused);
}

LRESULT CALLBACK NativeWindow::PaneProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(
                          reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* window = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (window && window->handle_) {
    if (auto answer = window->HandleContainerMessage(hwnd, message, wParam, lParam)) return *answer;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace quorvane::ui::win32
