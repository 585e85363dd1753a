#include "ui/win32/native_window.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ui/one_line_label.h"
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

int Scaled(int twips, int dpi) { return TwipsToPixels(twips, dpi); }

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

NativeWindow::NativeWindow(DesignRows design, HWND owner, ModalOpener openModal)
    : window_(design.window),
      rows_(std::move(design.controls)),
      handles_(rows_.size(), nullptr),
      painted_visible_(rows_.size(), true),
      lists_(rows_.size()),
      fitPending_(rows_.size(), false),
      owner_(owner),
      openModal_(std::move(openModal)) {
  RegisterClasses();
  // A window without an icon has a dialog's frame. One with an icon of its
  // own shows it in the task bar, also when it is owned: a window manager
  // gives the focus to no new ordinary window that is kept out of the task
  // bar, and an owned one is by default.
  const DWORD extended = window_.icon == WindowIcon::None ? WS_EX_DLGMODALFRAME : WS_EX_APPWINDOW;
  handle_ = CreateWindowExW(extended, kWindowClass, Utf8ToWide(window_.caption).c_str(),
                            kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, owner, nullptr,
                            GetModuleHandleW(nullptr), this);
  if (!handle_) std::abort();
  AddLiveWindow(this);
  dpi_ = static_cast<int>(GetDpiForWindow(handle_));
  CreateControls();
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
  DWORD style = WS_CHILD | WS_VISIBLE | TraitsOf(row.kind).style;
  if (IsLabel(row.kind)) {
    if (row.look & kCentred) style |= SS_CENTER;
    else if (row.look & kRightAligned) style |= SS_RIGHT;
    else if (row.look & kSingleLine) style = (style & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP;
  }
  if (row.startsGroup) style |= WS_GROUP;
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

HFONT NativeWindow::FontOf(int control) {
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
  for (size_t i = 0; i < rows_.size(); ++i) FitLabel(static_cast<int>(i));
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

// Measures only a label that can be seen: one on a pane not shown yet, or
// in a window not shown yet, waits until it is (FitShownLabels), so that
// the start measures the first pane's labels alone.
void NativeWindow::FitLabel(int control) {
  HWND h = handles_[control];
  if (!h || !rows_[control].holdsOneLine) return;
  fitPending_[control] = !IsWindowVisible(handle_) || !IsVisible(control);
  if (fitPending_[control]) return;
  const std::wstring text = WindowText(h);
  if (!measure_) measure_ = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(measure_, FontOf(control));
  SIZE extent{};
  GetTextExtentPoint32W(measure_, text.c_str(), static_cast<int>(text.size()), &extent);
  SelectObject(measure_, previous);
  RECT container;
  GetClientRect(GetParent(h), &container);
  const RECT design = PixelPlace(control);
  const PixelRect place = FitOneLine(
      {design.left, design.top, design.right - design.left, design.bottom - design.top},
      extent.cx + 1, container.right);
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

void NativeWindow::FitShownLabels() {
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (fitPending_[i]) FitLabel(static_cast<int>(i));
  }
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
  // A first focus on a hidden pane goes to the first control shown instead.
  if (first != kNoControl && !IsVisible(first)) {
    first = kNoControl;
    for (size_t i = 0; first == kNoControl && i < rows_.size(); ++i) {
      if (TakesFocus(rows_[i].kind) && IsVisible(static_cast<int>(i))) first = static_cast<int>(i);
    }
  }
  ShowWindow(handle_, SW_SHOW);
  FitShownLabels();
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
  return h ? WideToUtf8(WindowText(h)) : std::string();
}

void NativeWindow::SetText(int control, std::string_view text) {
  HWND h = handles_.at(control);
  if (!h) return;
  SetWindowTextW(h, Utf8ToWide(text).c_str());
  FitLabel(control);
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
    // A hidden control cannot keep the focus: hand it on to the next one.
    const bool hadFocus = !visible && (GetFocus() == h || IsChild(h, GetFocus()));
    ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
    if (visible) FitShownLabels();
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
  return handle_ ? WideToUtf8(WindowText(handle_)) : std::string();
}

void NativeWindow::SetCaption(std::string_view caption) {
  if (handle_) SetWindowTextW(handle_, Utf8ToWide(caption).c_str());
}

void NativeWindow::OpenWebAddress(const std::string& address) {
  win32::OpenWebAddress(handle_, address);
}

void NativeWindow::OpenModal(ModalWindow window) {
  if (openModal_) openModal_(window, handle_);
}

void NativeWindow::EndProgram() { win32::EndProgram(); }

void NativeWindow::OnEvent(int control, Event event, std::function<void()> handler) {
  handlers_.push_back({control, event, std::move(handler)});
}

void NativeWindow::RunModal() { win32::RunModal(*this, owner_); }

}  // namespace quorvane::ui::win32
