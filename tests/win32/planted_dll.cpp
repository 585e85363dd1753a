// A stand-in for a DLL that someone planted beside quorvane.exe, in a folder
// anyone can write to: loaded into a process, it leaves a mark, a file named
// as the DLL's own file with ".loaded" added that holds the path of the
// program that loaded it, and does nothing else. It exports nothing, so a
// program that imports from it fails in a way the test sees too.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t mark[MAX_PATH + 8];
  const DWORD length = GetModuleFileNameW(instance, mark, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return TRUE;
  lstrcpyW(mark + length, L".loaded");
  char program[MAX_PATH * 3] = {};
  wchar_t programWide[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, programWide, MAX_PATH);
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, programWide, -1, program, sizeof program, nullptr, nullptr);
  const HANDLE file =
      CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return TRUE;
  DWORD written = 0;
  if (size > 1) WriteFile(file, program, static_cast<DWORD>(size - 1), &written, nullptr);
  CloseHandle(file);
  return TRUE;
}
