// What a screen reader in another process hears each window say it is:
// for each window handle on the command line (decimal) after the file to
// write, the name of its accessible object (OBJID_CLIENT, CHILDID_SELF)
// through oleacc, one line each in UTF-8, or "<none>".
#include <windows.h>
// After windows.h, which they need.
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  std::FILE* heard = argc > 1 ? std::fopen(argv[1], "w") : nullptr;
  if (!heard) return 1;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  for (int i = 2; i < argc; ++i) {
    HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(argv[i], nullptr, 10)));
    IAccessible* object = nullptr;
    std::string line = "<none>";
    // __uuidof: oleacc's import library offers IID_IAccessible as a
    // function's address.
    if (SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                             __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&object)))) {
      VARIANT self;
      self.vt = VT_I4;
      self.lVal = CHILDID_SELF;
      BSTR name = nullptr;
      if (SUCCEEDED(object->get_accName(self, &name)) && name) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, name, -1, nullptr, 0, nullptr, nullptr);
        line.assign(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, name, -1, line.data(), size, nullptr, nullptr);
        SysFreeString(name);
      }
      object->Release();
    }
    std::fprintf(heard, "%s\n", line.c_str());
  }
  CoUninitialize();
  return std::fclose(heard) == 0 ? 0 : 1;
}
