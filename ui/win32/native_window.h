// A window built from a design, as Win32 windows: the window itself, its
// panes (child windows of their own class), standard controls (STATIC,
// BUTTON, EDIT, COMBOBOX, SCROLLBAR) and the shapes, lines, bars and image
// that their container paints.
//
// This is the Win32 core of every window (ui/window_core.h), written once:
// it knows rows of a resolved table, not which window it shows, and no rule
// of one: those are its host's (ui/window_host.h). Controls are named by
// their row's index. Places are in twips in the design and in pixels at the
// window's DPI here, recomputed when the window moves to a monitor of
// another DPI.
//
// What the user does reaches the host as Windows reports it: BN_CLICKED
// from buttons, check boxes and option buttons, STN_CLICKED from clickable
// labels, one Choose per choice from lists (see ListNotification), completed
// WM_HSCROLL changes from scroll bars; keys from the message loop before a
// control sees them (RouteKey); the focus as each control gets it. Nothing
// the program itself changes through this class is reported, but a Click.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/design_rows.h"
#include "ui/window_core.h"
#include "ui/window_design.h"

namespace quorvane::ui::win32 {

// A control's identifier (GetDlgCtrlID) is this plus its row in the table;
// it stays clear of IDOK and IDCANCEL.
inline constexpr int kFirstControlId = 1000;

class NativeWindow final : public WindowCore {
 public:
  // Creates the window and all its controls, hidden. owner: nullptr, or the
  // window that the new one stays in front of and that it disables while it
  // runs modally.
  NativeWindow(const DesignRows& design, CoreReports& reports, NativeWindow* owner);
  // Destroys the window if it is still open.
  ~NativeWindow() override;
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;

  // nullptr once the window has been closed.
  HWND Handle() const { return handle_; }
  // nullptr for the kinds that their container paints.
  HWND ControlHandle(int control) const;
  bool IsOpen() const { return handle_ != nullptr; }

  // Hands a key or a turn of the wheel of the message loop's to the host
  // before the control it is for; true when the window acted on it (or
  // kept it from the control), and it must go no further.
  bool RouteKey(const MSG& message);
  // Reports the focus to the host when it has moved to another of this
  // window's controls since last asked; the message loop asks after each
  // message.
  void NoticeFocus();

  // The core's calls (ui/window_core.h). Close destroys the window; the
  // modal loop that waits for it ends.
  std::string Text(int control) const override;
  void SetText(int control, std::string_view text) override;
  int CheckValue(int control) const override;
  void SetCheckValue(int control, int value) override;
  int ChosenIndex(int control) const override;
  int ScrollPosition(int control) const override;
  void SetScrollPosition(int control, int position) override;
  void SetVisible(int control, bool visible) override;
  std::string Caption() const override;
  void SetCaption(std::string_view caption) override;
  int FocusedControl() const override;
  void SetFocus(int control, bool byKey) override;
  void Click(int control) override;
  void ShowDefault(int button) override;
  int CaptionWidth(int control) const override;
  void Place(int control, const PixelRect& place) override;
  int DotsPerInch() const override { return dpi_; }
  void OpenWebAddress(const std::string& address) override;
  void EndProgram() override;
  void Show() override;
  void ShowModal() override;
  void RunUntilClosed() override;
  void Close() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK PaneProc(HWND, UINT, WPARAM, LPARAM);
  // Stands in front of the procedure of every control that the design
  // names, which is kept here.
  static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM);
  static WNDPROC& OriginalProc(ControlKind kind);
  static void RegisterClasses();

  // Messages that the window and its panes answer alike; nullopt: not one.
  std::optional<LRESULT> HandleContainerMessage(HWND container, UINT, WPARAM, LPARAM);
  LRESULT HandleWindowMessage(UINT, WPARAM, LPARAM);
  // Messages to a control, before the control's own procedure; nullopt:
  // the control answers.
  std::optional<LRESULT> HandleControlMessage(int control, UINT, WPARAM, LPARAM);

  // Makes the container's controls, and those of the panes among them,
  // from the pile's top down.
  void CreateControls(int container, const std::vector<int>& pile);
  void CreateControl(int control);
  DWORD StyleOf(int control) const;
  // Gives every control its font at the window's DPI and the lists their
  // height; moveControls: places them anew too, for a new DPI.
  void Layout(bool moveControls);
  RECT PixelPlace(int control) const;
  HFONT FontOf(int control) const;
  HBRUSH Brush(Rgb colour);
  Rgb BackgroundOf(int container) const;
  int ContainerOf(HWND container) const;
  int ControlOf(HWND control) const;
  void Paint(HWND container, int containerIndex);
  HBRUSH ControlColours(HDC dc, HWND control);
  void Command(int control, int code);
  void ListNotification(int control, int code);
  // Loads the window's icons and the image's at the window's DPI.
  void LoadIcons();
  void Scroll(int control, int code, int thumb);
  void Report(int control, Event event);
  void RepaintBehind(int control);
  void PlaceWindow(bool move);
  void ReleaseOwner();
  void Destroyed();

  CoreReports& reports_;
  WindowRow window_;
  std::vector<ControlRow> rows_;
  std::vector<HWND> handles_;
  std::vector<bool> painted_visible_;
  // A list's open state, the item it showed as it opened and the item
  // whose choice it reported last.
  struct ListState {
    bool dropped = false;
    int shown = CB_ERR;
    int confirmed = CB_ERR;
  };
  std::vector<ListState> lists_;
  mutable HDC measure_ = nullptr;  // where captions are measured
  mutable std::vector<std::pair<FontSpec, HFONT>> fonts_;
  std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
  HICON imageIcon_ = nullptr;
  HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
  HWND handle_ = nullptr;
  HWND owner_ = nullptr;
  HWND disabledOwner_ = nullptr;
  int focus_ = kNoControl;    // the control that had the focus last, as reported
  int default_ = kNoControl;  // the button drawn as the one Enter presses
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
};

}  // namespace quorvane::ui::win32
