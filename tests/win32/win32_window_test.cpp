// The generic Win32 window on a small design of its own: every kind of
// control built with its class, caption and place; events as Windows
// delivers them reach the handlers of the binding table; the dialog keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/win32/control_kinds.h"
#include "ui/win32/window_view_win32.h"

namespace quorvane::ui::win32 {
namespace {

enum class Sample {
  Page,
  OtherPage,
  Title,
  Link,
  Note,
  Push,
  Entry,
  Notes,
  Flag,
  OptionA,
  OptionB,
  Choice,
  Scroller,
  Square,
  Window
};

constexpr const char* kItems[] = {"One", "Two"};
constexpr FontSpec kTahoma{Face::Tahoma, 8.25};

constexpr ControlSpec<Sample> kSampleControls[] = {
    {.id = Sample::Page, .name = "Page", .kind = ControlKind::Pane, .place = {0, 0, 4500, 3000},
     .look = kWhite},
    {.id = Sample::OtherPage, .name = "OtherPage", .kind = ControlKind::Pane,
     .place = {0, 0, 4500, 3000}, .font = {Face::MsSansSerif, 8.25}, .look = kWhite},
    {.id = Sample::Title, .name = "Title", .kind = ControlKind::Label, .container = Sample::Page,
     .caption = "Sample", .place = {120, 120, 3000, 495}, .font = {Face::Tahoma, 15.75},
     .look = kCentred},
    {.id = Sample::Link, .name = "Link", .kind = ControlKind::LinkLabel,
     .container = Sample::Page, .caption = "http://example/", .place = {120, 600, 2000, 255},
     .look = kBlueText},
    {.id = Sample::Note, .name = "Note", .kind = ControlKind::ClickLabel,
     .container = Sample::Page, .caption = "Note", .place = {2400, 600, 1000, 255}},
    {.id = Sample::Push, .name = "Push", .kind = ControlKind::Button, .container = Sample::Page,
     .caption = "&Push", .place = {3000, 2400, 975, 375}},
    {.id = Sample::Entry, .name = "Entry", .kind = ControlKind::TextBox,
     .container = Sample::Page, .caption = "1500", .place = {120, 960, 1335, 375}},
    {.id = Sample::Notes, .name = "Notes", .kind = ControlKind::MultiLineBox,
     .container = Sample::Page, .caption = "a\r\nb\r\n", .place = {1560, 960, 1335, 675}},
    {.id = Sample::Flag, .name = "Flag", .kind = ControlKind::CheckBox,
     .container = Sample::OtherPage, .caption = "Flag", .place = {120, 120, 2175, 255}},
    {.id = Sample::OptionA, .name = "OptionA", .kind = ControlKind::OptionButton,
     .container = Sample::OtherPage, .caption = "A", .place = {120, 480, 1000, 255}},
    {.id = Sample::OptionB, .name = "OptionB", .kind = ControlKind::OptionButton,
     .container = Sample::OtherPage, .caption = "B", .place = {1200, 480, 1000, 255}},
    {.id = Sample::Choice, .name = "Choice", .kind = ControlKind::List,
     .place = {120, 3120, 2055, 315}, .items = kItems},
    {.id = Sample::Scroller, .name = "Scroller", .kind = ControlKind::ScrollBar,
     .place = {2280, 3120, 2055, 255}, .minimum = 1, .maximum = 2},
    {.id = Sample::Square, .name = "Square", .kind = ControlKind::Rectangle,
     .place = {4400, 3120, 100, 100}, .fill = Rgb{255, 128, 128}},
};
static_assert(IsTableInIdOrder(kSampleControls));

constexpr WindowSpec<Sample> kSampleWindow{.name = "SampleForm", .caption = "Sample window",
                                           .clientWidth = 4500, .clientHeight = 3600,
                                           .font = kTahoma, .cancelButton = Sample::Push};
const WindowDesign<Sample> kSample{kSampleWindow, kSampleControls};

// The logic: counts its handlers' runs and, like the real windows, moves
// between the panes from the list and the scroll bar.
struct SampleLogic {
  using Id = Sample;
  WindowView<Sample>& view;
  std::vector<std::string> ran;
  void Push_Click() { ran.push_back("Push"); }
  void Link_Click() { ran.push_back("Link"); }
  void Note_Click() { ran.push_back("Note"); }
  void Flag_Click() { ran.push_back("Flag"); }
  void Choice_Click() { ran.push_back("Choice " + view.ChosenText(Sample::Choice)); }
  void Scroller_Change() {
    ran.push_back("Scroller " + std::to_string(view.ScrollPosition(Sample::Scroller)));
    view.SetVisible(Sample::Page, view.ScrollPosition(Sample::Scroller) == 1);
    view.SetVisible(Sample::OtherPage, view.ScrollPosition(Sample::Scroller) == 2);
  }
};
constexpr EventBinding<SampleLogic> kSampleBindings[] = {
    {Sample::Push, Event::Click, &SampleLogic::Push_Click},
    {Sample::Link, Event::Click, &SampleLogic::Link_Click},
    {Sample::Note, Event::Click, &SampleLogic::Note_Click},
    {Sample::Flag, Event::Click, &SampleLogic::Flag_Click},
    {Sample::Choice, Event::Choose, &SampleLogic::Choice_Click},
    {Sample::Scroller, Event::Change, &SampleLogic::Scroller_Change},
};

std::string ClassOf(HWND control) {
  char name[64] = {};
  GetClassNameA(control, name, sizeof name);
  return name;
}

// The place of a control in its container's client area, in pixels.
RECT PlaceOf(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

class SampleWindow : public ::testing::Test {
 protected:
  Win32WindowView<Sample> view{kSample, nullptr};
  SampleLogic logic{view, {}};

  void SetUp() override {
    ConnectEvents<SampleLogic>(view, logic, kSampleBindings);
    view.SetVisible(Sample::OtherPage, false);
    view.Window().Show();
  }
  void TearDown() override { ResetProgramEndForTesting(); }

  HWND Handle(Sample control) const { return view.ControlHandle(control); }
  void Notify(Sample control, int code) {
    SendMessageW(GetParent(Handle(control)), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(Handle(control)), code),
                 reinterpret_cast<LPARAM>(Handle(control)));
  }
  void ScrollBy(int code) {
    SendMessageW(view.Handle(), WM_HSCROLL, MAKEWPARAM(code, 0),
                 reinterpret_cast<LPARAM>(Handle(Sample::Scroller)));
  }
  // Hands queued input to the window as the program's message loop does.
  void Pump() {
    PostMessageW(view.Handle(), WM_NULL, 0, 0);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (IsDialogMessageW(view.Handle(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
};

TEST_F(SampleWindow, BuildsEachControlWithItsClassCaptionAndPlace) {
  struct Expected {
    Sample control;
    const char* className;
    const char* caption;
  };
  const Expected expected[] = {
      {Sample::Page, "QuorvanePane", ""},   {Sample::Title, "Static", "Sample"},
      {Sample::Link, "Static", "http://example/"}, {Sample::Push, "Button", "&Push"},
      {Sample::Entry, "Edit", "1500"},      {Sample::Notes, "Edit", "a\r\nb\r\n"},
      {Sample::Flag, "Button", "Flag"},     {Sample::OptionA, "Button", "A"},
      {Sample::Choice, "ComboBox", ""},     {Sample::Scroller, "ScrollBar", ""},
  };
  for (const Expected& row : expected) {
    SCOPED_TRACE(kSample[row.control].name);
    HWND control = Handle(row.control);
    ASSERT_NE(control, nullptr);
    EXPECT_STRCASEEQ(ClassOf(control).c_str(), row.className);
    EXPECT_EQ(view.Text(row.control), row.caption);
    const RECT place = PlaceOf(control);
    const Rect& twips = kSample[row.control].place;
    EXPECT_EQ(place.left, TwipsToPixels(twips.left));
    EXPECT_EQ(place.top, TwipsToPixels(twips.top));
    EXPECT_EQ(place.right - place.left, TwipsToPixels(twips.width));
    if (row.control != Sample::Choice) {  // a list is as high as its open list
      EXPECT_EQ(place.bottom - place.top, TwipsToPixels(twips.height));
    }
  }
  EXPECT_EQ(Handle(Sample::Square), nullptr);  // painted by the window
  RECT client;
  GetClientRect(view.Handle(), &client);
  EXPECT_EQ(client.right, TwipsToPixels(4500));
  EXPECT_EQ(client.bottom, TwipsToPixels(3600));
  EXPECT_EQ(view.Caption(), "Sample window");

  const auto style = [this](Sample control) {
    return static_cast<DWORD>(GetWindowLongPtrW(Handle(control), GWL_STYLE));
  };
  EXPECT_EQ(style(Sample::Link) & SS_NOTIFY, static_cast<DWORD>(SS_NOTIFY));
  EXPECT_EQ(style(Sample::Title) & SS_TYPEMASK, static_cast<DWORD>(SS_CENTER));
  EXPECT_EQ(style(Sample::Choice) & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
  EXPECT_EQ(style(Sample::Notes) & (ES_MULTILINE | WS_VSCROLL),
            static_cast<DWORD>(ES_MULTILINE | WS_VSCROLL));
  EXPECT_EQ(style(Sample::Flag) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX));
  EXPECT_TRUE(style(Sample::OptionA) & WS_GROUP);
  EXPECT_FALSE(style(Sample::OptionB) & WS_GROUP);
  EXPECT_EQ(SendMessageW(Handle(Sample::Choice), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(view.ChosenText(Sample::Choice), "");
}

TEST_F(SampleWindow, DeliversEventsAsWindowsSendsThem) {
  SendMessageW(Handle(Sample::Push), BM_CLICK, 0, 0);
  SendMessageW(Handle(Sample::Link), WM_LBUTTONDOWN, 0, 0);  // a static notifies on the press
  SendMessageW(Handle(Sample::Note), WM_LBUTTONDOWN, 0, 0);
  SendMessageW(Handle(Sample::Title), WM_LBUTTONDOWN, 0, 0);  // not clickable
  SendMessageW(Handle(Sample::Choice), CB_SETCURSEL, 1, 0);
  Notify(Sample::Choice, CBN_SELCHANGE);
  ScrollBy(SB_LINELEFT);  // at the minimum: no change, no event
  ScrollBy(SB_THUMBTRACK);
  ScrollBy(SB_LINERIGHT);
  ScrollBy(SB_PAGERIGHT);  // at the maximum
  SendMessageW(Handle(Sample::Flag), BM_CLICK, 0, 0);
  EXPECT_EQ(logic.ran, (std::vector<std::string>{"Push", "Link", "Note", "Choice Two",
                                                 "Scroller 2", "Flag"}));
  EXPECT_FALSE(view.IsVisible(Sample::Page));
  EXPECT_TRUE(view.IsVisible(Sample::OtherPage));
  EXPECT_EQ(view.CheckValue(Sample::Flag), kTicked);

  // Choosing the item already shown from the open list.
  logic.ran.clear();
  Notify(Sample::Choice, CBN_DROPDOWN);
  Notify(Sample::Choice, CBN_SELENDOK);
  Notify(Sample::Choice, CBN_CLOSEUP);
  EXPECT_EQ(logic.ran, (std::vector<std::string>{"Choice Two"}));

  // What the program sets reports nothing.
  logic.ran.clear();
  view.SetScrollPosition(Sample::Scroller, 1);
  view.SetCheckValue(Sample::Flag, kCleared);
  SendMessageW(Handle(Sample::Entry), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"576"));
  EXPECT_TRUE(logic.ran.empty());
  EXPECT_EQ(view.Text(Sample::Entry), "576");
  EXPECT_EQ(view.ScrollPosition(Sample::Scroller), 1);
}

TEST_F(SampleWindow, OptionButtonsOfAPaneExcludeEachOther) {
  view.SetCheckValue(Sample::OptionA, kTicked);
  view.SetCheckValue(Sample::OptionB, kTicked);
  EXPECT_EQ(view.CheckValue(Sample::OptionA), kCleared);
  EXPECT_EQ(view.CheckValue(Sample::OptionB), kTicked);
  SendMessageW(Handle(Sample::OptionA), BM_CLICK, 0, 0);
  EXPECT_EQ(view.CheckValue(Sample::OptionA), kTicked);
  EXPECT_EQ(view.CheckValue(Sample::OptionB), kCleared);
}

TEST_F(SampleWindow, KeysAndColoursFollowTheDesign) {
  // Escape clicks the cancel button; Alt+P the button with that access key.
  SetFocus(Handle(Sample::Entry));
  PostMessageW(Handle(Sample::Entry), WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  PostMessageW(Handle(Sample::Entry), WM_SYSCHAR, 'p', 1 << 29);
  Pump();
  EXPECT_EQ(logic.ran, (std::vector<std::string>{"Push", "Push"}));

  // Blue text without a background of its own, whatever the system colours.
  HDC dc = GetDC(view.Handle());
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      view.ControlHandle(Sample::Page), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
      reinterpret_cast<LPARAM>(Handle(Sample::Link))));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(brush, GetStockObject(NULL_BRUSH));
  ReleaseDC(view.Handle(), dc);

  // The hand over the link.
  SendMessageW(Handle(Sample::Link), WM_SETCURSOR, reinterpret_cast<WPARAM>(Handle(Sample::Link)),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));
}

TEST_F(SampleWindow, ModalWindowDisablesItsOwnerUntilClosed) {
  Win32WindowView<Sample> modal{kSample, view.Handle()};
  SampleLogic modalLogic{modal, {}};
  bool ownerWasDisabled = false;
  ConnectEvents<SampleLogic>(modal, modalLogic, kSampleBindings);
  modal.Window().SetEventSink([&](int, Event) {
    ownerWasDisabled = !IsWindowEnabled(view.Handle());
    modal.Close();
  });
  PostMessageW(modal.ControlHandle(Sample::Push), WM_KEYDOWN, VK_ESCAPE, 0);
  RunModal(modal.Window(), view.Handle());
  EXPECT_TRUE(ownerWasDisabled);
  EXPECT_FALSE(modal.Window().IsOpen());
  EXPECT_TRUE(IsWindowEnabled(view.Handle()));
}

TEST_F(SampleWindow, EndingTheProgramClosesEveryWindowAndStopsTheEvents) {
  view.EndProgram();
  EXPECT_FALSE(view.Window().IsOpen());
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

}  // namespace
}  // namespace quorvane::ui::win32
