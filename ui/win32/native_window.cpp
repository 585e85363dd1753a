#include "ui/win32/native_window.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ui/win32/control_kinds.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/open_web_address.h"
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

// The resource's image of that size, or the nearest it carries, scaled.
HICON LoadIconSized(int resource, int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                       IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void Replace(HICON& icon, HICON by) {
  if (icon) DestroyIcon(icon);
  icon = by;
}

// A window's or control's text, whole.
std::wstring WindowText(HWND h) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
  return text;
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

NativeWindow::NativeWindow(const DesignRows& design, CoreReports& reports, NativeWindow* owner)
    : reports_(reports),
      window_(design.window),
      rows_(design.controls),
      handles_(rows_.size(), nullptr),
      painted_visible_(rows_.size(), true),
      lists_(rows_.size()),
      owner_(owner ? owner->Handle() : nullptr) {
  RegisterClasses();
  // A window without an icon has a dialog's frame. One with an icon of its
  // own shows it in the task bar, also when it is owned: a window manager
  // gives the focus to no new ordinary window that is kept out of the task
  // bar, and an owned one is by default.
  const DWORD extended = window_.icon == WindowIcon::None ? WS_EX_DLGMODALFRAME : WS_EX_APPWINDOW;
  handle_ = CreateWindowExW(extended, kWindowClass, Utf8ToWide(window_.caption).c_str(),
                            kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, owner_, nullptr,
                            GetModuleHandleW(nullptr), this);
  if (!handle_) std::abort();
  AddLiveWindow(this);
  dpi_ = static_cast<int>(GetDpiForWindow(handle_));
  CreateControls(kNoControl, design.stacking);
  Layout(false);
  PlaceWindow(true);
}

NativeWindow::~NativeWindow() {
  if (handle_) {
    ReleaseOwner();
    DestroyWindow(handle_);
  }
  RemoveLiveWindow(this);
  for (auto& [spec, font] : fonts_) DeleteObject(font);
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
  if (measure_) DeleteDC(measure_);
  for (HICON icon : {imageIcon_, bigIcon_, smallIcon_}) {
    if (icon) DestroyIcon(icon);
  }
}

DWORD NativeWindow::StyleOf(int control) const {
  const ControlRow& row = rows_[control];
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TraitsOf(row.kind).style;
  if (IsLabel(row.kind)) {
    const DWORD type = row.textAlign == Align::Centre  ? SS_CENTER
                       : row.textAlign == Align::Right ? SS_RIGHT
                       : row.wraps                     ? SS_LEFT
                                                       : SS_LEFTNOWORDWRAP;
    style = (style & ~static_cast<DWORD>(SS_TYPEMASK)) | type;
    // A label that names another control shows its access key.
    if (row.buddy != kNoControl) style &= ~static_cast<DWORD>(SS_NOPREFIX);
  }
  return style;
}

// Windows puts a new child window beneath its siblings: made from the top
// of the resolved pile down, each container's controls lie as the pile
// says, later rows over earlier ones and the controls that take input over
// the rest, with none moved afterwards. Each clips those beneath it.
void NativeWindow::CreateControls(int container, const std::vector<int>& pile) {
  for (auto at = pile.rbegin(); at != pile.rend(); ++at) {
    const int control = *at;
    const ControlRow& row = rows_[control];
    if (row.container != container || !TraitsOf(row.kind).className) continue;
    CreateControl(control);
    if (row.kind == ControlKind::Pane) CreateControls(control, pile);
  }
}

void NativeWindow::CreateControl(int control) {
  const ControlRow& row = rows_[control];
  const KindTraits& traits = TraitsOf(row.kind);
  HWND parent = row.container == kNoControl ? handle_ : handles_[row.container];
  const bool isList = row.kind == ControlKind::List;
  const std::wstring caption = isList ? L"" : Utf8ToWide(row.caption ? row.caption : "");
  // Made at its place, so that only a list moves once it has its font.
  const RECT place = PixelPlace(control);
  HWND h = CreateWindowExW(traits.extendedStyle, traits.className, caption.c_str(),
                           StyleOf(control), place.left, place.top, place.right - place.left,
                           place.bottom - place.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + control)),
                           GetModuleHandleW(nullptr), this);
  if (!h) std::abort();
  handles_[control] = h;
  // A control that the design names answers a screen reader first
  // (ControlProc); its kind tells its own procedure.
  if (!row.accessibleName.empty()) {
    SetWindowLongPtrW(h, GWLP_USERDATA, static_cast<LONG_PTR>(row.kind) + 1);
    OriginalProc(row.kind) = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc)));
  }
  if (isList) {
    for (const char* item : row.items) {
      SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
    }
  } else if (row.kind == ControlKind::ScrollBar) {
    SetScrollRange(h, SB_CTL, row.minimum, row.maximum, FALSE);
    SetScrollPos(h, SB_CTL, row.minimum, FALSE);
  }
}

HFONT NativeWindow::FontOf(int control) const {
  const FontSpec& spec = rows_[control].effectiveFont;
  for (auto& [known, font] : fonts_) {
    if (known == spec) return font;
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
  const PixelRect p = PixelsOf(rows_[control].place, dpi_);
  return {p.left, p.top, p.left + p.width, p.top + p.height};
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
  LoadIcons();
  InvalidateRect(handle_, nullptr, TRUE);
}

// Each at the size of the window's DPI: the caption's and the task bar's
// icons as the system's metrics for that DPI say, the image 32 pixels at
// 96 DPI and in proportion.
void NativeWindow::LoadIcons() {
  if (window_.icon != WindowIcon::None) {
    const int resource = window_.icon == WindowIcon::Program ? QUORVANE_PROGRAM_ICON
                                                             : QUORVANE_FINISHED_ICON;
    HICON big = LoadIconSized(resource, GetSystemMetricsForDpi(SM_CXICON, dpi_));
    HICON small = LoadIconSized(resource, GetSystemMetricsForDpi(SM_CXSMICON, dpi_));
    SendMessageW(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    Replace(bigIcon_, big);  // no longer the window's
    Replace(smallIcon_, small);
  }
  const bool hasImage = std::any_of(rows_.begin(), rows_.end(), [](const ControlRow& row) {
    return row.kind == ControlKind::Image;
  });
  if (hasImage) {
    Replace(imageIcon_,
            LoadIconSized(QUORVANE_PROGRAM_ICON, MulDiv(32, dpi_, USER_DEFAULT_SCREEN_DPI)));
  }
}

int NativeWindow::CaptionWidth(int control) const {
  HWND h = handles_[control];
  if (!h) return 0;
  const std::wstring text = WindowText(h);
  if (!measure_) measure_ = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(measure_, FontOf(control));
  SIZE extent{};
  GetTextExtentPoint32W(measure_, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(measure_, previous);
  return extent.cx;
}

void NativeWindow::Place(int control, const PixelRect& place) {
  HWND h = handles_[control];
  if (!h) return;
  RECT now;
  GetWindowRect(h, &now);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&now), 2);
  if (now.left == place.left && now.top == place.top && now.right - now.left == place.width &&
      now.bottom - now.top == place.height) {
    return;
  }
  // Repaints what it uncovers, when it draws narrower than before.
  MoveWindow(h, place.left, place.top, place.width, place.height, TRUE);
}

void NativeWindow::PlaceWindow(bool move) {
  RECT frame{0, 0, TwipsToPixels(window_.clientWidth, dpi_),
             TwipsToPixels(window_.clientHeight, dpi_)};
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

void NativeWindow::ReleaseOwner() {
  if (disabledOwner_ && IsWindow(disabledOwner_)) EnableWindow(disabledOwner_, TRUE);
  disabledOwner_ = nullptr;
}

void NativeWindow::Show() {
  if (!handle_) return;
  ShowWindow(handle_, SW_SHOW);
  SetForegroundWindow(handle_);
  UpdateWindow(handle_);
}

void NativeWindow::ShowModal() {
  if (!handle_ || ProgramEnded()) return;
  if (owner_) {
    disabledOwner_ = owner_;
    EnableWindow(owner_, FALSE);
  }
  Show();
}

void NativeWindow::RunUntilClosed() {
  RunMessageLoop([this] { return !IsOpen(); });
  Close();
}

void NativeWindow::Close() {
  if (!handle_) return;
  // The owner first, so that it gets the activation back.
  ReleaseOwner();
  DestroyWindow(handle_);
}

void NativeWindow::Destroyed() {
  handle_ = nullptr;
  std::fill(handles_.begin(), handles_.end(), nullptr);
  WindowClosed();
}

std::string NativeWindow::Text(int control) const {
  HWND h = handles_.at(control);
  return h ? WideToUtf8(WindowText(h)) : std::string();
}

void NativeWindow::SetText(int control, std::string_view text) {
  HWND h = handles_.at(control);
  if (!h) return;
  SetWindowTextW(h, Utf8ToWide(text).c_str());
  if (IsLabel(rows_[control].kind) && !rows_[control].opaque) RepaintBehind(control);
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
  // Drawn whole again, so that a control with the focus shows it: the
  // check's own repaint leaves the focus mark out.
  if (GetFocus() == h) InvalidateRect(h, nullptr, TRUE);
}

int NativeWindow::ChosenIndex(int control) const {
  HWND h = handles_.at(control);
  const auto chosen = h ? SendMessageW(h, CB_GETCURSEL, 0, 0) : CB_ERR;
  return chosen == CB_ERR ? -1 : static_cast<int>(chosen);
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
    ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
    return;
  }
  painted_visible_[control] = visible;
  const RECT place = PixelPlace(control);
  const int container = rows_[control].container;
  InvalidateRect(container == kNoControl ? handle_ : handles_[container], &place, TRUE);
}

int NativeWindow::FocusedControl() const {
  for (HWND at = GetFocus(); at && at != handle_; at = GetParent(at)) {
    const int control = ControlOf(at);
    if (control != kNoControl) return control;
  }
  // Not this window's now: the control that had it last, which gets it
  // back as the window is activated.
  return focus_;
}

void NativeWindow::SetFocus(int control, bool byKey) {
  if (!handle_) return;
  HWND h = control == kNoControl ? handle_ : handles_.at(control);
  if (!h) return;
  ::SetFocus(h);
  NoticeFocus();
  if (!byKey) return;
  // Reached by the keyboard: the focus is drawn, and an entry box's text is
  // selected, as the dialog keys do.
  SendMessageW(handle_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  if (control != kNoControl && rows_[control].kind == ControlKind::TextBox) {
    SendMessageW(h, EM_SETSEL, 0, -1);
  }
}

void NativeWindow::Click(int control) {
  HWND h = handles_.at(control);
  if (!h) return;
  // An option button's click changes nothing of its own (BS_RADIOBUTTON),
  // and a click made of mouse messages would hide its focus mark.
  if (rows_[control].kind == ControlKind::OptionButton) {
    Report(control, Event::Click);
  } else {
    SendMessageW(h, BM_CLICK, 0, 0);
  }
}

void NativeWindow::ShowDefault(int button) {
  if (button == default_) return;
  for (int control : {default_, button}) {
    HWND h = control == kNoControl ? nullptr : handles_[control];
    if (h && rows_[control].kind == ControlKind::Button) {
      SendMessageW(h, BM_SETSTYLE, control == button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
  }
  default_ = button;
}

std::string NativeWindow::Caption() const {
  return handle_ ? WideToUtf8(WindowText(handle_)) : std::string();
}

void NativeWindow::SetCaption(std::string_view caption) {
  if (handle_) SetWindowTextW(handle_, Utf8ToWide(caption).c_str());
}

void NativeWindow::OpenWebAddress(const std::string& address) {
  win32::OpenWebAddress(handle_, address);
}

void NativeWindow::EndProgram() { win32::EndProgram(); }

}  // namespace quorvane::ui::win32
