// The three Win32 windows in-process under Wine: built as their designs
// say, driven with the messages Windows itself sends (BM_CLICK,
// CB_SETCURSEL with CBN_SELCHANGE, WM_HSCROLL, WM_SETTEXT, keys through the
// message loop), checked in Wine's registry and in the controls.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/texts.h"
#include "store/catalogue.h"
#include "tests/support/test_registry.h"
#include "tests/ui/window_keys.h"
#include "ui/quorvane_about_design.h"
#include "ui/quorvane_finished_design.h"
#include "ui/design_rows.h"
#include "ui/program_windows.h"
#include "ui/web_addresses.h"
#include "ui/win32/message_loop.h"
#include "ui/win32/native_window.h"
#include "ui/win32/open_web_address.h"
#include "ui/win32/text_codes.h"
#include "ui/platform_toolkit.h"
#include "ui/window_host.h"
#include "ui/window_view.h"

namespace quorvane::ui::win32 {
namespace {

using enum FormControl;
namespace key = store::key;

const char* ClassOfKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::Pane: return "QuorvanePane";
    case ControlKind::Button: case ControlKind::CheckBox: case ControlKind::OptionButton:
      return "Button";
    case ControlKind::TextBox: case ControlKind::MultiLineBox: return "Edit";
    case ControlKind::List: return "ComboBox";
    case ControlKind::ScrollBar: return "ScrollBar";
    default: return IsLabel(kind) ? "Static" : nullptr;  // painted by the container
  }
}

PlatformToolkit gToolkit;

// A control's place in a window (by default its container), in pixels.
RECT PlaceOf(HWND control, HWND in = nullptr) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, in ? in : GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// Every control of the design is there with its class, caption and place.
template <typename Id>
void ExpectBuiltAsDesigned(const WindowDesign<Id>& design) {
  WindowHost host(RowsOf(design), gToolkit);
  auto& window = static_cast<NativeWindow&>(host.core());
  const WindowView<Id> view(host, design);
  const DesignRows resolved = RowsOf(design);
  for (const ControlSpec<Id>& row : design.controls) {
    SCOPED_TRACE(NameOf(row.id));
    HWND control = window.ControlHandle(IndexOf(row.id));
    const char* className = ClassOfKind(row.kind);
    ASSERT_EQ(control != nullptr, className != nullptr);
    if (!control) continue;
    char found[64] = {};
    GetClassNameA(control, found, sizeof found);
    EXPECT_STRCASEEQ(found, className);
    EXPECT_EQ(view.Text(row.id), row.kind == ControlKind::List || !row.caption ? "" : row.caption);
    const RECT place = PlaceOf(control);
    EXPECT_EQ(place.left, TwipsToPixels(row.place.left));
    EXPECT_EQ(place.top, TwipsToPixels(row.place.top));
    // A label for one line may have grown to the right to show its caption.
    if (resolved.controls[static_cast<std::size_t>(row.id)].holdsOneLine) {
      EXPECT_GE(place.right - place.left, TwipsToPixels(row.place.width));
    } else {
      EXPECT_EQ(place.right - place.left, TwipsToPixels(row.place.width));
    }
    if (row.kind != ControlKind::List) {  // a list is as high as its open list
      EXPECT_EQ(place.bottom - place.top, TwipsToPixels(row.place.height));
    }
  }
  RECT client;
  GetClientRect(window.Handle(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(design.window.clientWidth));
  EXPECT_EQ(client.bottom, TwipsToPixels(design.window.clientHeight));
  EXPECT_EQ(view.Caption(), design.window.caption);
}

TEST(Win32Windows, EachWindowIsBuiltAsDesigned) {
  ExpectBuiltAsDesigned(kQuorvaneFormDesign);
  ExpectBuiltAsDesigned(kQuorvaneAboutDesign);
  ExpectBuiltAsDesigned(kQuorvaneFinishedDesign);
  ResetProgramEndForTesting();  // the last window closed ended the loop
}

// Runs step from a timer inside whatever modal loop runs next (a message
// box's, a window's), every 20 ms until it returns true.
std::function<bool()> gStep;
void WhileModal(std::function<bool()> step) {
  gStep = std::move(step);
  SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
    // Not again while a step runs a message loop of its own.
    std::function<bool()> step = std::exchange(gStep, nullptr);
    if (!step) return;
    if (step()) {
      KillTimer(nullptr, id);
    } else if (!gStep) {
      gStep = std::move(step);
    }
  });
}

HWND FindThreadWindow(const char* caption) {
  struct Search { const char* caption; HWND found; } search{caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), [](HWND window, LPARAM data) {
    auto* s = reinterpret_cast<Search*>(data);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (IsWindowVisible(window) && std::string(text) == s->caption) s->found = window;
    return s->found ? FALSE : TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A message box as MessageBoxA showed it; answered with button.
struct Box {
  std::string text;
  bool hasYes, hasNo, hasOk;
};
void AnswerNextBox(const char* title, int button, Box& seen) {
  WhileModal([title, button, &seen] {
    HWND box = FindThreadWindow(title);
    if (!box) return false;
    char text[2048] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's text control
    seen = {text, GetDlgItem(box, IDYES) != nullptr, GetDlgItem(box, IDNO) != nullptr,
            GetDlgItem(box, IDOK) != nullptr};
    PostMessageW(box, WM_COMMAND, button, 0);
    return true;
  });
}

// The window's control of that name (in a pane or not), by its row.
HWND ControlNamed(HWND window, const DesignRows& rows, const char* name) {
  struct Search { int id; HWND found; } search{kFirstControlId + testing::IndexNamed(rows, name),
                                               nullptr};
  EnumChildWindows(window, [](HWND child, LPARAM data) {
    auto* s = reinterpret_cast<Search*>(data);
    if (GetDlgCtrlID(child) == s->id) s->found = child;
    return s->found ? FALSE : TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Posts a key to a control (by default the one that has the focus), as the
// keyboard would (Shift held for BackTab, Alt as the system's keys do), or
// the wheel's turn, which Windows sends to the control under the pointer;
// the message loop that runs next delivers it.
void PostKey(testing::Key key, HWND to = GetFocus()) {
  using K = testing::Key;
  constexpr LPARAM kAltHeld = LPARAM{1} << 29;
  if (key == K::None) return;
  if (key == K::AltA) PostMessageW(to, WM_SYSCHAR, 'a', kAltHeld);
  if (key == K::AltDown) PostMessageW(to, WM_SYSKEYDOWN, VK_DOWN, kAltHeld);
  if (key == K::WheelDown) PostMessageW(to, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  if (key == K::AltA || key == K::AltDown || key == K::WheelDown) return;
  const WPARAM code = key == K::Escape                       ? VK_ESCAPE
                      : key == K::Tab || key == K::BackTab   ? VK_TAB
                      : key == K::Left                       ? VK_LEFT
                      : key == K::Right                      ? VK_RIGHT
                      : key == K::Up                         ? VK_UP
                      : key == K::Down                       ? VK_DOWN
                                                             : VK_RETURN;
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_SHIFT] = key == K::BackTab ? 0x80 : 0;
  SetKeyboardState(state);
  PostMessageW(to, WM_KEYDOWN, code, 0);
}

// Runs the message loop until what is queued has been handled.
void Settle() {
  MSG queued;
  RunMessageLoop([&queued] { return !PeekMessageW(&queued, nullptr, 0, 0, PM_NOREMOVE); });
}

// The colour most of a control's place is drawn in: what its text stands on.
COLORREF MostOf(HWND window, HWND control) {
  const RECT place = PlaceOf(control, window);
  HDC dc = GetDC(window);
  std::map<COLORREF, int> counts;
  for (LONG y = place.top; y < place.bottom; ++y) {
    for (LONG x = place.left; x < place.right; ++x) ++counts[GetPixel(dc, x, y)];
  }
  ReleaseDC(window, dc);
  return std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
           return a.second < b.second;
         })->first;
}

// What a screen reader in another process hears each control say it is,
// through oleacc (read_accessible_names.exe, beside this program): one
// name a control.
std::vector<std::string> NamesHeardFromAnotherProcess(const std::vector<HWND>& controls) {
  char path[MAX_PATH];
  const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
  const std::string heard = std::string(path, GetTempPathA(MAX_PATH, path)) + "names_heard.txt";
  std::string command = "\"" + self.substr(0, self.find_last_of('\\') + 1) +
                        "read_accessible_names.exe\" \"" + heard + "\"";
  for (HWND control : controls) command += " " + std::to_string(reinterpret_cast<INT_PTR>(control));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return {};
  }
  // Its questions come to this thread as messages, answered while it runs.
  const UINT_PTR wake = SetTimer(nullptr, 0, 20, nullptr);
  RunMessageLoop([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; });
  KillTimer(nullptr, wake);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::vector<std::string> names;
  std::ifstream file(heard);
  for (std::string name; std::getline(file, name);) names.push_back(name);
  file.close();
  DeleteFileA(heard.c_str());
  return names;
}

// Each control that takes input in the window, and the name that a screen
// reader must hear it say.
void ExpectAccessibleNames(HWND window, const DesignRows& rows) {
  std::vector<HWND> controls;
  std::vector<std::string> expected;
  for (const ControlRow& row : rows.controls) {
    if (!TakesFocus(row.kind)) continue;
    controls.push_back(ControlNamed(window, rows, row.name));
    expected.push_back(testing::AccessibleNameOf(row));
  }
  EXPECT_EQ(NamesHeardFromAnotherProcess(controls), expected);
}

class MainWindow : public ::testing::Test {
 protected:
  testing::TestRegistry registry;
  std::vector<ModalWindow> opened;
  ui::MainWindow* window = nullptr;

  void SetUp() override {
    // Past the first run: the load step asks nothing.
    ASSERT_TRUE(registry.registry().WriteText(store::kRoot, key::kProgram, store::kFirstRunValue,
                                              store::kFirstRunDone));
    window = new ui::MainWindow(gToolkit, registry.registry(),
                                [this](ModalWindow w, WindowHost&) { opened.push_back(w); });
    ASSERT_EQ(window->Load(), engine::StartOutcome::Continue);
    window->Show();
  }
  void TearDown() override {
    delete window;
    ResetProgramEndForTesting();
  }

  WindowView<FormControl>& view() { return window->view(); }
  NativeWindow& native() { return static_cast<NativeWindow&>(window->host().core()); }
  // Opens a secondary window as the program does, over the main window.
  void Open(ModalWindow w) { OpenProgramWindow(gToolkit, w, window->host()); }
  // Shows the pane of a scroll position, as the scroll bar does.
  void ShowPosition(int position) {
    if (position <= 0 || position == view().ScrollPosition(scroller)) return;
    view().SetScrollPosition(scroller, position);
    window->logic().scroller_Change();
  }
  // Runs act on a window as a table names it: the main window at a scroll
  // position, or a secondary window opened over it; act returns true when
  // done, and is called again every 20 ms until it is or the window closed.
  void InWindow(testing::Window which, int position,
                const std::function<bool(HWND window, const DesignRows& rows)>& act) {
    ShowPosition(position);
    const DesignRows rows = testing::RowsOf(which);
    if (which == testing::Window::Main) {
      while (!act(native().Handle(), rows)) Settle();
      return;
    }
    WhileModal([&] {
      HWND secondary = FindThreadWindow(rows.window.caption);
      if (!secondary || !act(secondary, rows)) return false;
      PostMessageW(secondary, WM_CLOSE, 0, 0);
      return true;
    });
    Open(testing::ModalOf(which));
    gStep = nullptr;  // closed before the timer looked again
  }
  HWND Handle(FormControl control) { return native().ControlHandle(IndexOf(control)); }
  void Click(FormControl control) { SendMessageW(Handle(control), BM_CLICK, 0, 0); }
  void Choose(FormControl list, int item) {
    SendMessageW(Handle(list), CB_SETCURSEL, item, 0);
    SendMessageW(GetParent(Handle(list)), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(Handle(list)), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Handle(list)));
  }
  void Scroll(int code) {
    SendMessageW(native().Handle(), WM_HSCROLL, MAKEWPARAM(code, 0),
                 reinterpret_cast<LPARAM>(Handle(scroller)));
  }
  // As Windows tells a window that it has moved to a monitor of that DPI.
  void ChangeDpi(int dpi) {
    RECT suggested;
    GetWindowRect(native().Handle(), &suggested);
    SendMessageW(native().Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  }
  void Type(FormControl box, const wchar_t* text) {
    SendMessageW(Handle(box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  std::string Read(const std::string& path, const std::string& name) {
    return registry.registry().ReadText(store::kRoot, path, name, "(absent)");
  }
  std::vector<FormControl> ShownPanes() {
    std::vector<FormControl> shown;
    for (FormControl pane : kPanesByPosition) {
      if (IsWindowVisible(Handle(pane))) shown.push_back(pane);
    }
    return shown;
  }
};

TEST_F(MainWindow, StartsOnTheWelcomePaneWithTheValuesOfTheRegistry) {
  EXPECT_EQ(view().Caption(), "Quorvane Version 1.3 Final - Build 0");
  EXPECT_EQ(ShownPanes(), std::vector<FormControl>{SettingWelcome});
  EXPECT_EQ(view().ScrollPosition(scroller), 1);
  EXPECT_EQ(view().Text(Combo1), "");
  EXPECT_EQ(view().Text(Combo2), "");
  EXPECT_EQ(view().Text(Setting3Current),
            std::string(engine::text::kCaptionPrefix) +
                "The Default Value (64 for a Modem or 128 for an Ethernet/Cable Connection)");
  EXPECT_EQ(view().CheckValue(Setting5Option1), kTicked);
  EXPECT_EQ(view().CheckValue(Setting7Option1), kTicked);
  EXPECT_EQ(GetFocus(), Handle(Combo2));  // the first control that takes the focus
}

TEST_F(MainWindow, ScrollBarAndPaneListChooseThePane) {
  Scroll(SB_LINELEFT);  // at the first position: nothing
  EXPECT_EQ(ShownPanes(), std::vector<FormControl>{SettingWelcome});
  Scroll(SB_LINERIGHT);
  EXPECT_EQ(ShownPanes(), std::vector<FormControl>{Setting1});
  Choose(Combo1, 6);  // "NDI Cache"
  EXPECT_EQ(ShownPanes(), std::vector<FormControl>{Setting6});
  EXPECT_EQ(view().ScrollPosition(scroller), 7);
  Scroll(SB_THUMBTRACK);  // a thumb still being dragged changes nothing
  Scroll(SB_PAGELEFT);
  EXPECT_EQ(ShownPanes(), std::vector<FormControl>{Setting5});
  EXPECT_EQ(view().ChosenText(Combo1), "NDI Cache");
  Choose(Combo1, 8);  // "About"
  EXPECT_EQ(opened, std::vector<ModalWindow>{ModalWindow::About});
  EXPECT_EQ(ShownPanes(), std::vector<FormControl>{Setting5});
}

// What a list reports for one choice with the mouse, as Wine's list (the
// change reported after the list has closed) and as Windows' (while it is
// open) send it.
struct ListChoice {
  const char* what;
  std::vector<int> codes;
};
const ListChoice kListChoices[] = {
    {"Wine", {CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}},
    {"Windows", {CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}},
    {"Windows, the item shown chosen again", {CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}},
    {"closed before the change", {CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELCHANGE, CBN_SELENDOK}},
    {"the closed list's keys under Wine", {CBN_SELENDOK, CBN_SELCHANGE}},
    // The handler's modal window takes the focus from the list still open.
    {"Wine, a window opened by the choice",
     {CBN_DROPDOWN, CBN_SELENDOK, CBN_SELENDCANCEL, CBN_CLOSEUP}},
};

TEST_F(MainWindow, OneChoiceInTheListRunsItsHandlerOnce) {
  const auto choose = [this](int item, const std::vector<int>& codes) {
    HWND list = Handle(Combo1);
    for (int code : codes) {
      if (code == CBN_SELENDOK || code == CBN_SELCHANGE) SendMessageW(list, CB_SETCURSEL, item, 0);
      SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), code),
                   reinterpret_cast<LPARAM>(list));
    }
  };
  for (const ListChoice& choice : kListChoices) {
    SCOPED_TRACE(choice.what);
    opened.clear();
    SendMessageW(Handle(Combo1), CB_SETCURSEL, 8, 0);  // the list shows "About"
    choose(8, choice.codes);  // chosen again
    choose(3, choice.codes);  // "Time To Live"
    EXPECT_EQ(ShownPanes(), std::vector<FormControl>{Setting3});
    EXPECT_EQ(view().ChosenText(Combo1), "Time To Live");
    choose(8, choice.codes);
    EXPECT_EQ(opened, std::vector<ModalWindow>(2, ModalWindow::About));
    EXPECT_EQ(view().ChosenText(Combo1), "About");
    choose(0, choice.codes);
    EXPECT_EQ(ShownPanes(), std::vector<FormControl>{SettingWelcome});
  }
}

// Each label stands at its design place at 96 and 144 DPI, on every pane,
// and a label that holds one line shows its caption whole: the title labels
// are grown to the right where the font at hand draws wider than Windows'
// Tahoma.
TEST_F(MainWindow, LabelsStandAtTheirDesignPlacesAndOneLineCaptionsShowWhole) {
  const DesignRows rows = RowsOf(kQuorvaneFormDesign);
  for (int dpi : {96, 144}) {
    SCOPED_TRACE(dpi);
    ChangeDpi(dpi);
    for (int item = 0; item < 8; ++item) {
      Choose(Combo1, item);  // each pane in turn
      for (const ControlRow& row : rows.controls) {
        const auto id = static_cast<FormControl>(&row - rows.controls.data());
        if (!IsLabel(row.kind) || !IsWindowVisible(native().ControlHandle(IndexOf(id)))) continue;
        SCOPED_TRACE(row.name);
        HWND label = native().ControlHandle(IndexOf(id));
        const RECT place = PlaceOf(label);
        RECT container;
        GetClientRect(GetParent(label), &container);
        EXPECT_EQ(place.left, TwipsToPixels(row.place.left, dpi));
        EXPECT_EQ(place.top, TwipsToPixels(row.place.top, dpi));
        EXPECT_GE(place.right - place.left, TwipsToPixels(row.place.width, dpi));
        if (!row.holdsOneLine) continue;
        wchar_t text[512] = {};
        const int length = GetWindowTextW(label, text, 512);
        HDC dc = GetDC(label);
        HGDIOBJ font =
            SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text, length, &extent);
        SelectObject(dc, font);
        ReleaseDC(label, dc);
        EXPECT_TRUE(extent.cx < place.right - place.left || place.right == container.right)
            << extent.cx << " in " << place.right - place.left;
      }
    }
  }
}

// The icons of a window at its DPI: the caption's, the task bar's and the
// About window's image.
TEST_F(MainWindow, IconsAreLoadedAtTheSizeOfTheWindowsDpi) {
  const auto sizeOf = [](HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return static_cast<int>(bitmap.bmWidth);
  };
  for (int dpi : {144, 96}) {
    SCOPED_TRACE(dpi);
    ChangeDpi(dpi);
    const auto icon = [this](WPARAM which) {
      return reinterpret_cast<HICON>(SendMessageW(native().Handle(), WM_GETICON, which, 0));
    };
    EXPECT_EQ(sizeOf(icon(ICON_BIG)), GetSystemMetricsForDpi(SM_CXICON, dpi));
    EXPECT_EQ(sizeOf(icon(ICON_SMALL)), GetSystemMetricsForDpi(SM_CXSMICON, dpi));
  }
  EXPECT_EQ(GetSystemMetricsForDpi(SM_CXICON, 144), 48);
}

TEST_F(MainWindow, ApplyButtonsWriteTheRegistryAndShowWhatItHolds) {
  Choose(Combo1, 1);  // "Max Transmission Unit"
  Type(Setting1Custom, L"1492");
  Click(Setting1Apply);
  EXPECT_EQ(Read(key::kNetTrans, "MaxMTU"), "1492");
  EXPECT_EQ(view().Text(Setting1Current), std::string(engine::text::kCaptionPrefix) + "1492");

  Click(Setting5Option2);
  Click(Setting5Option1);
  Click(Setting5Apply);
  EXPECT_EQ(Read(key::kMstcp, "PMTUBlackHoleDetect"), "1");
  EXPECT_EQ(Read(key::kMstcp, "PMTUDiscovery"), "0");

  Click(Setting7Option2);
  EXPECT_EQ(view().CheckValue(Setting7Option1), kCleared);
  Click(Setting7Apply);
  EXPECT_EQ(registry.registry().ReadNumber(store::kRoot, key::kTcpip, "DisableTaskOffload", -1), 1);
}

TEST_F(MainWindow, OptimiseWritesThePresetAndOpensTheFinishedWindow) {
  Choose(Combo2, 2);  // "Cable Modem"
  Click(cmd_Optimise);
  EXPECT_EQ(Read(key::kMstcp, "DefaultRcvWindow"), "64240");
  EXPECT_EQ(opened, std::vector<ModalWindow>{ModalWindow::Finished});
}

TEST_F(MainWindow, MessageBoxesCarryTheEnginesTextsTitlesAndButtons) {
  Box warning;
  AnswerNextBox("Quorvane", IDOK, warning);
  SendMessageW(Handle(Label37), WM_LBUTTONDOWN, 0, 0);  // a clickable label reports the press
  EXPECT_EQ(warning.text.rfind("If you set your MTU over 1492", 0), 0u) << warning.text;
  EXPECT_NE(warning.text.find(kAdslArticle), std::string::npos);
  EXPECT_TRUE(warning.hasOk);
  EXPECT_FALSE(warning.hasYes);

  ASSERT_TRUE(registry.registry().WriteText(store::kRoot, key::kMstcp, "DefaultTTL", "99"));
  Box question;
  AnswerNextBox(engine::text::kRestoreTitle, IDNO, question);
  Click(cmdRestore);
  EXPECT_TRUE(question.hasYes && question.hasNo);
  EXPECT_EQ(question.text, engine::text::kRestoreConfirm);
  EXPECT_EQ(Read(key::kMstcp, "DefaultTTL"), "99");  // declined: nothing restored
}

TEST_F(MainWindow, AltAClicksTheApplyButtonOfTheShownPaneOnly) {
  Type(Setting1Custom, L"1492");
  const auto altA = [] {
    PostMessageW(GetFocus(), WM_SYSCHAR, 'a', 1 << 29);
    Settle();
  };
  altA();
  EXPECT_EQ(Read(key::kNetTrans, "MaxMTU"), "(absent)");
  Scroll(SB_LINERIGHT);
  altA();
  EXPECT_EQ(Read(key::kNetTrans, "MaxMTU"), "1492");
}

TEST_F(MainWindow, BlueTextOnWhiteWhateverTheSystemColours) {
  HDC dc = GetDC(native().Handle());
  SetTextColor(dc, RGB(1, 2, 3));
  SendMessageW(Handle(Setting1), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(Handle(Label37)));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(Handle(Setting1), WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(Handle(Label36))));
  LOGBRUSH colour{};
  GetObjectW(brush, sizeof colour, &colour);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(colour.lbColor, RGB(255, 255, 255));  // Label36 is white
  ReleaseDC(native().Handle(), dc);
}

TEST_F(MainWindow, AltCEndsTheProgram) {
  PostMessageW(GetFocus(), WM_SYSCHAR, 'c', 1 << 29);
  EXPECT_EQ(RunMessageLoop([] { return false; }), 0);
  EXPECT_FALSE(native().IsOpen());
}

// ShellExecuteA's arguments, as the shell would have had them.
struct ShellCall {
  HWND window;
  std::string operation, file, parameters, directory;
  int show;
};
std::vector<ShellCall> gShellCalls;
HINSTANCE WINAPI RecordShellExecute(HWND w, LPCSTR op, LPCSTR file, LPCSTR params, LPCSTR dir,
                                    INT show) {
  gShellCalls.push_back({w, op, file, params, dir, show});
  return reinterpret_cast<HINSTANCE>(33);
}

TEST_F(MainWindow, AboutWindowOpensModallyWithItsVersionAndLinksAndClosesOnEscape) {
  SetShellExecuteForTesting(RecordShellExecute);
  gShellCalls.clear();
  HWND about = nullptr;
  std::string version;
  bool focusOnOk = false, ownerDisabled = false, handOverLink = false;
  WhileModal([&] {
    about = FindThreadWindow("About Quorvane");
    if (!about) return false;
    char text[64] = {};
    HWND label = GetDlgItem(about, kFirstControlId + static_cast<int>(AboutControl::lblVersion));
    GetWindowTextA(label, text, sizeof text);
    version = text;
    HWND ok = GetDlgItem(about, kFirstControlId + static_cast<int>(AboutControl::cmdOK));
    focusOnOk = GetFocus() == ok;
    ownerDisabled = !IsWindowEnabled(native().Handle());
    HWND link = GetDlgItem(about, kFirstControlId + static_cast<int>(AboutControl::lblURL));
    SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, 0));
    // The program's one link pointer: 32 by 32, hot spot at the fingertip.
    ICONINFO pointer{};
    BITMAP mask{};
    if (GetIconInfo(GetCursor(), &pointer)) {
      GetObjectW(pointer.hbmMask, sizeof mask, &mask);
      DeleteObject(pointer.hbmMask);
      if (pointer.hbmColor) DeleteObject(pointer.hbmColor);
    }
    handOverLink = !pointer.fIcon && pointer.xHotspot == 6 && pointer.yHotspot == 4 &&
                   mask.bmWidth == 32 && GetCursor() != LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
    SendMessageW(link, WM_LBUTTONDOWN, 0, 0);
    PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
  });
  Open(ModalWindow::About);
  SetShellExecuteForTesting(nullptr);
  EXPECT_EQ(version, "Version: 1.3 - Build 0");
  EXPECT_TRUE(focusOnOk);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(handOverLink);
  EXPECT_FALSE(IsWindow(about));
  EXPECT_TRUE(IsWindowEnabled(native().Handle()));
  ASSERT_EQ(gShellCalls.size(), 1u);
  const ShellCall& call = gShellCalls[0];
  EXPECT_EQ(call.window, about);
  EXPECT_EQ(call.operation, "Open");
  EXPECT_EQ(call.file, kMakerHomePage);
  EXPECT_EQ(call.parameters, "");
  EXPECT_EQ(call.directory, ExecutableFolder());
  EXPECT_NE(call.directory.back(), '\\');
  EXPECT_EQ(call.show, SW_SHOWNORMAL);
}

// The shared tables of the windows' rules (tests/ui/window_keys.h), which
// the Qt window tests run as well.
TEST_F(MainWindow, PaneFocusAndOverlapsAsTheTablesSay) {
  const DesignRows rows = RowsOf(kQuorvaneFormDesign);
  for (const testing::PaneFocus& move : testing::kPaneFocus) {
    ShowPosition(move.from);
    SetFocus(ControlNamed(native().Handle(), rows, move.focus));
    ShowPosition(move.to);
    EXPECT_EQ(GetFocus(), ControlNamed(native().Handle(), rows, move.then)) << move.focus;
  }
  for (const auto& [lower, upper] : testing::kOverlaps) {
    // The windows after upper in its siblings' pile lie beneath it, and
    // each clips those beneath it as it paints.
    HWND below = ControlNamed(native().Handle(), rows, lower);
    HWND beneath = ControlNamed(native().Handle(), rows, upper);
    while (beneath && beneath != below) beneath = GetWindow(beneath, GW_HWNDNEXT);
    EXPECT_TRUE(beneath && (GetWindowLongPtrW(below, GWL_STYLE) & WS_CLIPSIBLINGS)) << upper;
  }
}

TEST_F(MainWindow, SecondaryWindowsAreOwnedAsTheTableSays) {
  const DesignRows rows = RowsOf(kQuorvaneFormDesign);
  for (const testing::Owned& owned : testing::kOwned) {
    ShowPosition(owned.position);
    HWND focus = ControlNamed(native().Handle(), rows, owned.mainFocus);
    SetFocus(focus);
    WhileModal([&] {
      HWND secondary = GetActiveWindow();
      if (!secondary || secondary == native().Handle()) return false;
      EXPECT_EQ(GetWindow(secondary, GW_OWNER), native().Handle());
      EXPECT_FALSE(IsWindowEnabled(native().Handle()));
      PostMessageW(secondary, WM_CLOSE, 0, 0);
      return true;
    });
    Open(testing::ModalOf(owned.window));
    EXPECT_EQ(GetFocus(), focus) << testing::WindowName(owned.window);
  }
}

TEST(Win32Windows, FirstRunQuestionKeysAsTheTableSays) {
  for (const auto& [key, accepts] : testing::kQuestionKeys) {
    // The last row's window, closed, ended the loop: the box's too.
    ResetProgramEndForTesting();
    testing::TestRegistry registry;  // the first run still to come
    ui::MainWindow window(gToolkit, registry.registry());
    int ticks = 0;
    WhileModal([&, key = key] {
      HWND box = FindThreadWindow("Welcome to Quorvane");
      if (!box) return false;
      if (++ticks == 1) {
        PostKey(key, GetDlgItem(box, IDYES));  // the box's keys are its own
        return false;
      }
      // A key that does not answer leaves the question to No.
      PostMessageW(box, WM_COMMAND, IDNO, 0);
      return true;
    });
    EXPECT_EQ(window.Load() == engine::StartOutcome::Continue, accepts);
    gStep = nullptr;  // answered before the timer looked again
  }
  ResetProgramEndForTesting();
}

TEST_F(MainWindow, CaptionsAsTheTableSays) {
  for (const testing::Caption& caption : testing::kCaptions) {
    SCOPED_TRACE(caption.control);
    InWindow(caption.window, caption.position, [&](HWND window, const DesignRows& rows) {
      UpdateWindow(window);
      HWND control = ControlNamed(window, rows, caption.control);
      if (const auto on = caption.drawnOn) {
        EXPECT_EQ(MostOf(window, control), RGB(on->red, on->green, on->blue));
      }
      if (!caption.oneLine) return true;
      EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
      const RECT place = PlaceOf(control);
      EXPECT_TRUE(testing::StandsAroundItsCaption(
          {place.left, place.top, place.right - place.left, place.bottom - place.top},
          testing::DesignPlaceOf(caption.window, caption.control)));
      return true;
    });
  }
}

// A screen reader hears the design's name of every control that takes
// input (the lists and the scroll bar had none, or the chosen item's), read
// through oleacc from another process.
TEST_F(MainWindow, ScreenReadersHearEveryInputControlsName) {
  Choose(Combo1, 3);  // a list's item is its value, not its name
  Choose(Combo2, 1);
  ExpectAccessibleNames(native().Handle(), RowsOf(kQuorvaneFormDesign));
  InWindow(testing::Window::About, 0, [](HWND about, const DesignRows& rows) {
    ExpectAccessibleNames(about, rows);
    return true;
  });
}

TEST_F(MainWindow, WindowKeysAsTheTableSays) {
  for (const testing::WindowKey& key : testing::kWindowKeys) {
    SCOPED_TRACE(std::string(testing::WindowName(key.window)) + " " + key.from + " " +
                 std::to_string(static_cast<int>(key.key)));
    int ticks = 0;
    bool open = false;
    InWindow(key.window, key.position, [&](HWND window, const DesignRows& rows) {
      if (++ticks == 1) {
        if (key.window != testing::Window::Main) {
          EXPECT_EQ(GetFocus(), ControlNamed(window, rows, testing::FirstFocusOf(key.window)));
        }
        SetFocus(ControlNamed(window, rows, key.from));
        for (testing::Key pressed : {key.key, key.then[0], key.then[1]}) {
          PostKey(pressed, key.over ? ControlNamed(window, rows, key.over) : GetFocus());
        }
        return false;
      }
      if (key.to == testing::kCloses && ticks < 25) return false;  // half a second to close
      open = true;
      if (key.to == testing::kCloses) return true;
      HWND reached = ControlNamed(window, rows, key.to);
      EXPECT_EQ(GetFocus(), reached);
      if (key.shows) {
        HWND shows = ControlNamed(window, rows, key.over ? key.over : key.to);
        const auto item = SendMessageW(shows, CB_GETCURSEL, 0, 0);
        wchar_t text[64] = L"";
        if (item != CB_ERR) SendMessageW(shows, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(shows == Handle(scroller) ? std::to_string(GetScrollPos(shows, SB_CTL))
                                            : WideToUtf8(text),
                  key.shows);
      }
      // An option button reached is its group's selected one.
      for (const ControlRow& row : rows.controls) {
        HWND option = ControlNamed(window, rows, row.name);
        if (row.kind == ControlKind::OptionButton && GetParent(option) == GetParent(reached)) {
          EXPECT_EQ(SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED, option == reached);
        }
      }
      return true;
    });
    EXPECT_EQ(open, key.to != testing::kCloses);
    EXPECT_TRUE(IsWindowEnabled(native().Handle()));
  }
}

// The Finished window holds the focus from the moment it opens, also where
// a window manager decides which window gets it: it is active, and it is
// not kept out of the task bar (a window manager focuses no new ordinary
// window that is).
TEST_F(MainWindow, FinishedWindowIgnoresEscapeAndClosesOnEnter) {
  int ticks = 0;
  bool openAfterEscape = false, active = false, focusOnClose = false, inTaskBar = false;
  WhileModal([&] {
    HWND finished = FindThreadWindow("Quorvane");
    if (!finished || finished == native().Handle()) return false;
    if (++ticks == 1) {
      active = GetForegroundWindow() == finished && GetActiveWindow() == finished;
      focusOnClose = GetFocus() == GetDlgItem(finished, kFirstControlId + static_cast<int>(
                                                            FinishedControl::CmdClose));
      inTaskBar = (GetWindowLongPtrW(finished, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0;
      PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
      return false;
    }
    openAfterEscape = true;
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    return true;
  });
  Open(ModalWindow::Finished);
  EXPECT_TRUE(active);
  EXPECT_TRUE(focusOnClose);
  EXPECT_TRUE(inTaskBar);
  EXPECT_TRUE(openAfterEscape);
  EXPECT_TRUE(IsWindowEnabled(native().Handle()));
}

}  // namespace
}  // namespace quorvane::ui::win32
