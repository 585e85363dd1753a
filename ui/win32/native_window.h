// A window built from a design, as Win32 windows: the window itself, its
// panes (child windows of their own class), standard controls (STATIC,
// BUTTON, EDIT, COMBOBOX, SCROLLBAR) and the shapes, lines, bars and image
// that their container paints.
//
// This is the Win32 core of every window (ui/window_core.h), written once:
// it knows rows of a resolved table, not which window it shows. Controls are
// named by their row's index; the view (ui/window_view.h) puts the window's
// own Id on top. Places are in twips in the design and in pixels at the
// window's DPI here, recomputed when the window moves to a monitor of
// another DPI.
//
// Events reach their handlers (OnEvent) as Windows reports them: BN_CLICKED
// from buttons, check boxes and option buttons, STN_CLICKED from clickable
// labels, one Choose per choice from lists (see ListNotification), and
// completed WM_HSCROLL changes from scroll bars. Nothing the program itself
// changes through this class reports an event.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/design_rows.h"
#include "ui/window_core.h"
#include "ui/window_design.h"

namespace quorvane::ui::win32 {

// A control's identifier (GetDlgCtrlID) is this plus its row in the table;
// it stays clear of IDOK and IDCANCEL, which the dialog keys send for Enter
// and Escape.
inline constexpr int kFirstControlId = 1000;

// Opens a secondary window modally over owner; returns once it is closed.
using ModalOpener = std::function<void(ModalWindow window, HWND owner)>;

class NativeWindow final : public WindowCore {
 public:
  // Creates the window and all its controls, hidden. owner: nullptr, or the
  // window that the new one stays in front of and that it disables while it
  // runs modally. openModal opens the windows that this one opens.
  NativeWindow(DesignRows design, HWND owner, ModalOpener openModal = {});
  // Destroys the window if it is still open.
  ~NativeWindow() override;
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;

  // nullptr once the window has been closed.
  HWND Handle() const { return handle_; }
  // nullptr for the kinds that their container paints.
  HWND ControlHandle(int control) const;
  bool IsOpen() const { return handle_ != nullptr; }

  // The main window: closing it ends the program's message loop.
  void SetEndsProgramWhenClosed(bool ends) { endsProgram_ = ends; }
  // While the window is open, owner is disabled; it is enabled again before
  // the window goes, so that it gets the activation back.
  void DisableOwnerWhileOpen(HWND owner);

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
  void OpenWebAddress(const std::string& address) override;
  void OpenModal(ModalWindow window) override;
  void Close() override;
  void EndProgram() override;
  void OnEvent(int control, Event event, std::function<void()> handler) override;
  void Show() override;
  void RunModal() override;

  // True unless the control or one of its containers is hidden.
  bool IsVisible(int control) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK PaneProc(HWND, UINT, WPARAM, LPARAM);
  static void RegisterClasses();

  // Messages that the window and its panes answer alike; nullopt: not one.
  std::optional<LRESULT> HandleContainerMessage(HWND container, UINT, WPARAM, LPARAM);
  LRESULT HandleWindowMessage(UINT, WPARAM, LPARAM);

  void CreateControls();
  DWORD StyleOf(int control) const;
  // Gives every control its font at the window's DPI and the lists their
  // height; moveControls: places them anew too, for a new DPI.
  void Layout(bool moveControls);
  RECT PixelPlace(int control) const;
  HFONT FontOf(int control);
  HBRUSH Brush(Rgb colour);
  Rgb BackgroundOf(int container) const;
  int ContainerOf(HWND container) const;
  int ControlOf(HWND control) const;
  void Paint(HWND container, int containerIndex);
  HBRUSH ControlColours(HDC dc, HWND control, UINT message);
  void Command(int control, int code);
  void ListNotification(int control, int code);
  // Loads the window's icons and the image's at the window's DPI.
  void LoadIcons();
  // Widens a label that holds one line as far as its caption needs.
  void FitLabel(int control);
  void FitShownLabels();
  void Scroll(int control, int code, int thumb);
  void Deliver(int control, Event event);
  void RepaintBehind(int control);
  void PlaceWindow(bool move);
  void ReleaseOwner();
  void Destroyed();

  WindowRow window_;
  std::vector<ControlRow> rows_;
  std::vector<HWND> handles_;
  std::vector<bool> painted_visible_;
  // A list's open state and the item whose choice it reported last.
  struct ListState {
    bool dropped = false;
    int confirmed = CB_ERR;
  };
  std::vector<ListState> lists_;
  std::vector<bool> fitPending_;  // labels whose fit waits until they are shown
  HDC measure_ = nullptr;         // where captions are measured
  std::vector<std::pair<FontSpec, HFONT>> fonts_;
  std::vector<std::pair<COLORREF, HBRUSH>> brushes_;
  HICON imageIcon_ = nullptr;
  HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
  HWND handle_ = nullptr;
  HWND owner_ = nullptr;
  HWND disabledOwner_ = nullptr;
  HWND focus_ = nullptr;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  bool endsProgram_ = false;
  ModalOpener openModal_;
  struct Handler {
    int control;
    Event event;
    std::function<void()> run;
  };
  std::vector<Handler> handlers_;
};

}  // namespace quorvane::ui::win32
