// Which way a web address goes to the user's browser where the program runs
// with administrator rights (quorvane.exe asks for them). A browser that an
// elevated program starts inherits its rights, and every page it then shows
// runs with them; the desktop's own shell runs as the user who is logged on,
// without them. So an elevated program hands the address to the desktop's
// shell, and opens it through the shell itself only when no desktop shell
// answers (no Explorer) or when it is not elevated.
#pragma once

#include <string>

namespace quorvane::ui {

// The platform's two ways of opening an address, and what chooses between
// them.
class WebAddressShells {
 public:
  virtual ~WebAddressShells() = default;

  // Whether the program runs with administrator rights; true when that
  // cannot be told, so that the address goes to the desktop's shell first.
  virtual bool Elevated() const = 0;
  // Hands the address to the desktop's shell and returns true, whatever the
  // shell then does with it; false, having handed nothing over, when no
  // desktop shell answers.
  virtual bool OpenThroughDesktopShell(const std::string& address) = 0;
  // Hands the address to the shell from the program itself; the shell's
  // answer is ignored.
  virtual void OpenThroughProgramShell(const std::string& address) = 0;
};

// Opens the address as the user who is logged on: each address is handed
// over once, the way the program's rights and the desktop's shell allow.
inline void OpenAsLoggedOnUser(WebAddressShells& shells, const std::string& address) {
  if (shells.Elevated() && shells.OpenThroughDesktopShell(address)) return;
  shells.OpenThroughProgramShell(address);
}

}  // namespace quorvane::ui
