// The yardstick of the start timing: a bare Win32 form of the main window's
// size with one control of each kind the welcome pane shows (a label, a
// drop-down list, a push button, a scroll bar), its text in Tahoma 8.25
// measured before the window is shown, built and started the same way as
// quorvane.exe: the least any window with those controls does.
#include <windows.h>

#include <initializer_list>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND Child(const wchar_t* windowClass, const wchar_t* text, DWORD style, RECT place, HWND parent,
           HFONT font) {
  HWND child = CreateWindowW(windowClass, text, WS_CHILD | WS_VISIBLE | style, place.left,
                             place.top, place.right, place.bottom, parent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = L"BareWindow";
  RegisterClassW(&windowClass);
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, 355, 327};  // the main window's client area
  AdjustWindowRect(&frame, kStyle, FALSE);
  HWND window = CreateWindowW(L"BareWindow", L"Bare window", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              instance, nullptr);
  HFONT tahoma = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  HWND label = Child(L"STATIC", L"I am using a", SS_LEFT, {8, 88, 97, 25}, window, tahoma);
  HWND list = Child(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                    {104, 88, 137, 120}, window, tahoma);
  for (const wchar_t* item : {L"Modem", L"ADSL Modem", L"Cable Modem", L"LAN Connection"}) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  }
  Child(L"BUTTON", L"Optimise", BS_PUSHBUTTON | WS_TABSTOP, {248, 88, 73, 25}, window, tahoma);
  HWND bar = Child(L"SCROLLBAR", L"", SBS_HORZ | WS_TABSTOP, {8, 272, 337, 17}, window, tahoma);
  SetScrollRange(bar, SB_CTL, 1, 8, FALSE);
  // The text measured before the window is shown.
  HDC dc = GetDC(label);
  HGDIOBJ previous = SelectObject(dc, tahoma);
  SIZE extent{};
  GetTextExtentPoint32W(dc, L"I am using a", 12, &extent);
  SelectObject(dc, previous);
  ReleaseDC(label, dc);

  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DeleteObject(tahoma);
  return 0;
}
