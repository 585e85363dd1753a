/* A STAND-IN for quorvane.exe, for the package test only, while the Windows
   program is not built yet: it is packaged and installed in its place and,
   like the program once its main window is up, keeps running until it is
   ended. It is never shipped. */
#include <windows.h>

int main(void) {
  Sleep(INFINITE);
  return 0;
}
