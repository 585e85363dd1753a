// quorvane-reg's import and export of big registry files, each run as the
// program it is, in a process of its own: their peak memory (the resident
// set at its largest, as the kernel counts it) beside the size of the file
// they read or write. Three files: many keys, each with a value, and one
// value on one long line, in hex and as text.
#pragma once

#include <string>
#include <vector>

namespace quorvane::bench {

struct TransferFigure {
  std::string name;  // "import, 1000000 keys"
  double fileMiB = 0, peakMiB = 0, seconds = 0;
};

// Registers one benchmark per file with Google Benchmark, which imports it
// into a store in folder and exports it again, once each: their times are
// the benchmark's, their memory its counters and TransferFigures().
void RegisterTransfers(const std::string& folder, const std::string& tool);

// What the transfers that ran measured, in the order they ran.
const std::vector<TransferFigure>& TransferFigures();

}  // namespace quorvane::bench
