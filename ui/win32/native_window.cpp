#include "ui/win32/native_window.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ui/win32/control_kinds.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/text_codes.h"

namespace quorvane::ui::win32 {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

struct FaceName {
  Face face;
  const wchar_t* name;
};
constexpr FaceName kFaceNames[] = {
    {Face::Tahoma, L"Tahoma"},
    {Face::MsSansSerif, L"MS Sans Serif"},
    {Face::TimesNewRoman, L"Times New Roman"},
};

const wchar_t* FaceNameOf(Face face) {
  for (const FaceName& row : kFaceNames) {
    if (row.face == face) return row.name;
  }
  std::abort();  // Face::Inherit is resolved before a font is made
}

bool SameFont(const FontSpec& a, const FontSpec& b) {
  return a.face == b.face && a.points == b.points && a.bold == b.bold &&
         a.underline == b.underline;
}

COLORREF ColourOf(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

int Scaled(int twips, int dpi) { return TwipsToPixels(twips, dpi); }

struct ProgramState {
  bool ended = false;
  std::vector<NativeWindow*> live;
};
ProgramState& Program() {
  static ProgramState state;
  return state;
}

HICON LoadIconSized(int resource, int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

void NativeWindow::RegisterClasses() {
  static const bool registered = [] {
    WNDCLASSEXW window{};
    window.cbSize = sizeof window;
    window.lpfnWndProc = WindowProc;
    window.hInstance = GetModuleHandleW(nullptr);
    window.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    window.lpszClassName = kWindowClass;
    WNDCLASSEXW pane = window;
    pane.lpfnWndProc = PaneProc;
    pane.lpszClassName = kPaneClass;
    if (!RegisterClassExW(&window) || !RegisterClassExW(&pane)) std::abort();
    return true;
  }();
  (void)registered;
}

NativeWindow::NativeWindow(const WindowRow& window, std::vector<ControlRow> controls, HWND owner)
    : window_(window),
      rows_(std::move(controls)),
      handles_(rows_.size(), nullptr),
      painted_visible_(rows_.size(), true),
      listAtDropDown_(rows_.size(), CB_ERR),
      owner_(owner) {
  RegisterClasses();
  const DWORD extended = window_.icon == WindowIcon::None ? WS_EX_DLGMODALFRAME : 0;
  handle_ = CreateWindowExW(extended, kWindowClass, Utf8ToWide(window_.caption).c_str(),
                            kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, owner, nullptr,
                            GetModuleHandleW(nullptr), this);
  if (!handle_) std::abort();
  Program().live.push_back(this);
  dpi_ = static_cast<int>(GetDpiForWindow(handle_));
  if (window_.icon != WindowIcon::None) {
    const int resource = window_.icon == WindowIcon::Program ? QUORVANE_PROGRAM_ICON
                                                             : QUORVANE_FINISHED_ICON;
    bigIcon_ = LoadIconSized(resource, GetSystemMetricsForDpi(SM_CXICON, dpi_));
    smallIcon_ = LoadIconSized(resource, GetSystemMetricsForDpi(SM_CXSMICON, dpi_));
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  }
  CreateControls();
  Layout(false);
  PlaceWindow(true);
}

NativeWindow::~NativeWindow() {
  if (handle_) {
    ReleaseOwner();
    DestroyWindow(handle_);
  }
  auto& live = Program().live;
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
  for (auto& [spec, font] : fonts_) DeleteObject(font);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
  for (HICON icon : {imageIcon_, bigIcon_, smallIcon_}) {
    if (icon) DestroyIcon(icon);
  }
}

DWORD NativeWindow::StyleOf(int control) const {
  const ControlRow& row = rows_[control];
  DWORD style = WS_CHILD | WS_VISIBLE | TraitsOf(row.kind).style;
  if (IsLabel(row.kind)) {
    if (row.look & kCentred) style |= SS_CENTER;
    else if (row.look & kRightAligned) style |= SS_RIGHT;
    else if (row.look & kSingleLine) style = (style & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP;
  }
  // Option buttons in a row of one container form one group; every other
  // control starts a group of its own, so arrow keys stay inside a group.
  const bool continuesGroup = row.kind == ControlKind::OptionButton && control > 0 &&
                              rows_[control - 1].kind == ControlKind::OptionButton &&
                              rows_[control - 1].container == row.container;
  if (!continuesGroup && row.kind != ControlKind::Pane) style |= WS_GROUP;
  return style;
}

void NativeWindow::CreateControls() {
  for (size_t i = 0; i < rows_.size(); ++i) {
    const ControlRow& row = rows_[i];
    const KindTraits& traits = TraitsOf(row.kind);
    if (!traits.className) continue;
    HWND parent = row.container == kNoControl ? handle_ : handles_[row.container];
    if (!parent) std::abort();  // a container that is not a window
    DWORD style = StyleOf(static_cast<int>(i));
    // A label that names another control carries an access key for it.
    if (row.buddy != kNoControl) style &= ~static_cast<DWORD>(SS_NOPREFIX);
    const bool isList = row.kind == ControlKind::List;
    const std::wstring caption = isList ? L"" : Utf8ToWide(row.caption ? row.caption : "");
    // Made at their places, so that the start moves none but the lists.
    const RECT place = PixelPlace(static_cast<int>(i));
    handles_[i] = CreateWindowExW(traits.extendedStyle, traits.className, caption.c_str(), style,
                                  place.left, place.top, place.right - place.left,
                                  place.bottom - place.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                  GetModuleHandleW(nullptr), this);
    if (!handles_[i]) std::abort();
    if (isList) {
      for (const char* item : row.items) {
        SendMessageW(handles_[i], CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
      }
    } else if (row.kind == ControlKind::ScrollBar) {
      SetScrollRange(handles_[i], SB_CTL, row.minimum, row.maximum, FALSE);
      SetScrollPos(handles_[i], SB_CTL, row.minimum, FALSE);
    }
  }
}

FontSpec NativeWindow::ResolvedFont(int control) const {
  for (int at = control; at != kNoControl; at = rows_[at].container) {
    if (rows_[at].font.face != Face::Inherit) return rows_[at].font;
  }
  return window_.font;
}

HFONT NativeWindow::FontOf(int control) {
  const FontSpec spec = ResolvedFont(control);
  for (auto& [known, font] : fonts_) {
    if (SameFont(known, spec)) return font;
  }
  const int height = -static_cast<int>(std::lround(spec.points * dpi_ / 72.0));
  HFONT font = CreateFontW(height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE,
                           spec.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, FaceNameOf(spec.face));
  fonts_.emplace_back(spec, font);
  return font;
}

RECT NativeWindow::PixelPlace(int control) const {
  const Rect& p = rows_[control].place;
  const int left = Scaled(p.left, dpi_), top = Scaled(p.top, dpi_);
  return {left, top, left + Scaled(p.width, dpi_), top + Scaled(p.height, dpi_)};
}

void NativeWindow::Layout(bool moveControls) {
  // Fonts are made for one DPI: drop those of the last one once the
  // controls use the new ones.
  std::vector<std::pair<FontSpec, HFONT>> stale;
  stale.swap(fonts_);
  for (size_t i = 0; i < rows_.size(); ++i) {
    HWND control = handles_[i];
    if (!control) continue;
    const int index = static_cast<int>(i);
    RECT place = PixelPlace(index);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(index)), FALSE);
    const bool isList = rows_[i].kind == ControlKind::List;
    if (!moveControls && !isList) continue;
    if (isList) {
      // The height of a drop-down list is that of its open list; the field
      // itself is as high as its font makes it.
      const auto itemHeight = SendMessageW(control, CB_GETITEMHEIGHT, 0, 0);
      place.bottom += static_cast<LONG>(itemHeight * static_cast<LPARAM>(rows_[i].items.size() + 1));
    }
    MoveWindow(control, place.left, place.top, place.right - place.left,
               place.bottom - place.top, FALSE);
  }
  for (auto& [spec, font] : stale) DeleteObject(font);
  if (imageIcon_) DestroyIcon(imageIcon_);
  imageIcon_ = LoadIconSized(QUORVANE_PROGRAM_ICON, MulDiv(32, dpi_, USER_DEFAULT_SCREEN_DPI));
  InvalidateRect(handle_, nullptr, TRUE);
}

void NativeWindow::PlaceWindow(bool move) {
  RECT frame{0, 0, Scaled(window_.clientWidth, dpi_), Scaled(window_.clientHeight, dpi_)};
  AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE)),
                           static_cast<UINT>(dpi_));
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  int left = 0, top = 0;
  if (move && window_.start == StartPosition::CentredOnScreen) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(handle_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    left = work.left + (work.right - work.left - width) / 2;
    top = work.top + (work.bottom - work.top - height) / 2;
  } else {
    flags |= SWP_NOMOVE;
  }
  SetWindowPos(handle_, nullptr, left, top, width, height, flags);
}

HWND NativeWindow::ControlHandle(int control) const { return handles_.at(control); }

void NativeWindow::DisableOwnerWhileOpen(HWND owner) {
  if (!owner) return;
  disabledOwner_ = owner;
  EnableWindow(owner, FALSE);
}

void NativeWindow::ReleaseOwner() {
  if (disabledOwner_ && IsWindow(disabledOwner_)) EnableWindow(disabledOwner_, TRUE);
  disabledOwner_ = nullptr;
}

void NativeWindow::Show() {
  if (!handle_) return;
  int first = window_.firstFocus;
  for (size_t i = 0; first == kNoControl && i < rows_.size(); ++i) {
    if (TakesFocus(rows_[i].kind) && IsVisible(static_cast<int>(i))) first = static_cast<int>(i);
  }
  ShowWindow(handle_, SW_SHOW);
  focus_ = first == kNoControl ? nullptr : handles_[first];
  SetForegroundWindow(handle_);
  SetFocus(focus_ ? focus_ : handle_);
  UpdateWindow(handle_);
}

void NativeWindow::Close() {
  if (!handle_) return;
  ReleaseOwner();
  DestroyWindow(handle_);
}

void NativeWindow::Destroyed() {
  handle_ = nullptr;
  std::fill(handles_.begin(), handles_.end(), nullptr);
  if (endsProgram_) PostQuitMessage(0);
}

std::string NativeWindow::Text(int control) const {
  HWND h = handles_.at(control);
  if (!h) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
  return WideToUtf8(text);
}

void NativeWindow::SetText(int control, std::string_view text) {
  HWND h = handles_.at(control);
  if (!h) return;
  SetWindowTextW(h, Utf8ToWide(text).c_str());
  if (IsLabel(rows_[control].kind) && !(rows_[control].look & kWhite)) RepaintBehind(control);
}

// A label without a background of its own leaves the old text on the
// screen unless what lies beneath it is painted again first.
void NativeWindow::RepaintBehind(int control) {
  HWND h = handles_[control];
  HWND parent = GetParent(h);
  RECT place;
  GetWindowRect(h, &place);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  RedrawWindow(parent, &place, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int NativeWindow::CheckValue(int control) const {
  HWND h = handles_.at(control);
  return h ? static_cast<int>(SendMessageW(h, BM_GETCHECK, 0, 0)) : kCleared;
}

void NativeWindow::SetCheckValue(int control, int value) {
  HWND h = handles_.at(control);
  if (!h) return;
  SendMessageW(h, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  if (rows_[control].kind != ControlKind::OptionButton || value != kTicked) return;
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (static_cast<int>(i) != control && rows_[i].kind == ControlKind::OptionButton &&
        rows_[i].container == rows_[control].container && handles_[i]) {
      SendMessageW(handles_[i], BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
}

std::string NativeWindow::ChosenText(int control) const {
  HWND h = handles_.at(control);
  if (!h) return {};
  const auto chosen = SendMessageW(h, CB_GETCURSEL, 0, 0);
  if (chosen == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(SendMessageW(h, CB_GETLBTEXTLEN, chosen, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(h, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text.data()))));
  return WideToUtf8(text);
}

int NativeWindow::ScrollPosition(int control) const {
  HWND h = handles_.at(control);
  return h ? GetScrollPos(h, SB_CTL) : rows_[control].minimum;
}

void NativeWindow::SetScrollPosition(int control, int position) {
  if (HWND h = handles_.at(control)) SetScrollPos(h, SB_CTL, position, TRUE);
}

void NativeWindow::SetVisible(int control, bool visible) {
  if (!handle_) return;
  if (HWND h = handles_.at(control)) {
    // A hidden control cannot keep the focus: hand it on to the next one.
    const bool hadFocus = !visible && (GetFocus() == h || IsChild(h, GetFocus()));
    ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
    if (hadFocus) SetFocus(GetNextDlgTabItem(handle_, nullptr, FALSE));
    return;
  }
  painted_visible_[control] = visible;
  const RECT place = PixelPlace(control);
  const int container = rows_[control].container;
  InvalidateRect(container == kNoControl ? handle_ : handles_[container], &place, TRUE);
}

// Visible once the window itself is shown: the control and its containers
// are not hidden.
bool NativeWindow::IsVisible(int control) const {
  for (int at = control; at != kNoControl; at = rows_[at].container) {
    HWND h = handles_.at(at);
    const bool shown = h ? (GetWindowLongPtrW(h, GWL_STYLE) & WS_VISIBLE) != 0 : painted_visible_[at];
    if (!shown) return false;
  }
  return true;
}

std::string NativeWindow::Caption() const {
  if (!handle_) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(handle_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(handle_, text.data(), static_cast<int>(text.size()))));
  return WideToUtf8(text);
}

void NativeWindow::SetCaption(std::string_view caption) {
  if (handle_) SetWindowTextW(handle_, Utf8ToWide(caption).c_str());
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
  if (container == kNoControl) return window_.background;
  const ControlRow& pane = rows_[container];
  if (pane.fill) return *pane.fill;
  if (pane.look & kWhite) return kWhiteColour;
  return BackgroundOf(pane.container);
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

// Black text (blue where the design says) on the design's backgrounds,
// whatever colours the system's scheme has.
HBRUSH NativeWindow::ControlColours(HDC dc, HWND control, UINT message) {
  const int index = ControlOf(control);
  SetTextColor(dc, index != kNoControl && (rows_[index].look & kBlueText) ? ColourOf(kBlueColour)
                                                                          : ColourOf(kBlackColour));
  if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX || index == kNoControl) {
    SetBkColor(dc, ColourOf(kWhiteColour));
    return Brush(kWhiteColour);
  }
  const ControlRow& row = rows_[index];
  if (IsLabel(row.kind) && !(row.look & kWhite)) {
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  }
  const Rgb background = (row.look & kWhite) ? kWhiteColour : BackgroundOf(row.container);
  SetBkColor(dc, ColourOf(background));
  return Brush(background);
}

void NativeWindow::Deliver(int control, Event event) {
  if (ProgramEnded() || !sink_) return;
  sink_(control, event);
}

void NativeWindow::Command(int control, int code) {
  HWND h = handles_[control];
  switch (rows_[control].kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      if (code == BN_CLICKED) Deliver(control, Event::Click);
      break;
    case ControlKind::ClickLabel:
    case ControlKind::LinkLabel:
      if (code == STN_CLICKED) Deliver(control, Event::Click);
      break;
    case ControlKind::List:
      // A change of item reports CBN_SELCHANGE; choosing the item already
      // shown from the open list reports only CBN_SELENDOK.
      if (code == CBN_DROPDOWN) {
        listAtDropDown_[control] = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
      } else if (code == CBN_SELCHANGE) {
        listAtDropDown_[control] = CB_ERR;
        Deliver(control, Event::Choose);
      } else if (code == CBN_SELENDOK) {
        const int chosen = static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
        const bool same = chosen != CB_ERR && chosen == listAtDropDown_[control];
        listAtDropDown_[control] = CB_ERR;
        if (same) Deliver(control, Event::Choose);
      } else if (code == CBN_CLOSEUP) {
        listAtDropDown_[control] = CB_ERR;
      }
      break;
    default:
      break;
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
  Deliver(control, Event::Change);
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
          ControlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message));
    case WM_SETCURSOR: {
      const int control = ControlOf(reinterpret_cast<HWND>(wParam));
      if (control != kNoControl && rows_[control].kind == ControlKind::LinkLabel &&
          LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
        return TRUE;
      }
      return std::nullopt;
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int control = lParam ? ControlOf(reinterpret_cast<HWND>(lParam)) : kNoControl;
      if (control != kNoControl) {
        Command(control, HIWORD(wParam));
        return 0;
      }
      // Enter and Escape, as the dialog keys report them to the window.
      if (id == IDOK) {
        int target = window_.defaultButton;
        if (target == kNoControl) {
          const int focused = ControlOf(GetFocus());
          if (focused != kNoControl && rows_[focused].kind == ControlKind::Button) target = focused;
        }
        if (target != kNoControl) Deliver(target, Event::Click);
      } else if (id == IDCANCEL && window_.cancelButton != kNoControl) {
        Deliver(window_.cancelButton, Event::Click);
      }
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
      // As a dialog does: the focus leaves with the activation and comes
      // back to the control that had it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(self, focus)) focus_ = focus;
      } else if (focus_ && IsWindow(focus_) && IsWindowVisible(focus_)) {
        SetFocus(focus_);
      } else {
        SetFocus(GetNextDlgTabItem(self, nullptr, FALSE));
      }
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      Layout(true);
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

void EndProgram() {
  ProgramState& program = Program();
  if (program.ended) return;
  program.ended = true;
  // The last opened first: a modal window gives its owner back.
  const std::vector<NativeWindow*> live = program.live;
  for (auto it = live.rbegin(); it != live.rend(); ++it) (*it)->Close();
  PostQuitMessage(0);
}

bool ProgramEnded() { return Program().ended; }

void ResetProgramEndForTesting() {
  Program().ended = false;
  MSG quit;
  while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

std::optional<int> RunMessageLoop(const std::function<bool()>& done) {
  MSG message;
  while (!done()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      const int status = got == 0 ? static_cast<int>(message.wParam) : 1;
      PostQuitMessage(status);
      return status;
    }
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    bool ours = false;
    for (NativeWindow* window : Program().live) ours = ours || window->Handle() == root;
    if (ours && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return std::nullopt;
}

void RunModal(NativeWindow& window, HWND owner) {
  if (ProgramEnded()) return;
  window.DisableOwnerWhileOpen(owner);
  window.Show();
  RunMessageLoop([&window] { return !window.IsOpen(); });
  window.Close();
}

}  // namespace quorvane::ui::win32
