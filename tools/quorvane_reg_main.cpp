// quorvane-reg: looks at and seeds the portable registry the way Windows'
// reg.exe does the registry, and writes the program's presets as registry
// files. Run with /? for its usage.
#include <iostream>
#include <string>
#include <vector>

#include "tools/reg_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return quorvane::tools::QuorvaneReg(args, std::cin, std::cout, std::cerr);
}
