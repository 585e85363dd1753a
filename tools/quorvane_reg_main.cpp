// quorvane-reg: looks at and seeds the portable registry the way Windows'
// reg.exe does the registry, runs the program's operations on it, and
// writes the program's presets as registry files. Run with /? for its
// usage.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "tools/reg_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return quorvane::tools::QuorvaneReg(args, isatty(STDIN_FILENO) == 1, std::cin, std::cout,
                                      std::cerr);
}
