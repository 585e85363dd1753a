// The calls that the store benchmarks time, one per registry procedure, the
// same on every registry: the native benchmark and the timing program run
// under Wine walk this one table.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "store/registry.h"

namespace quorvane::bench {

// The key the benchmarks write, and remove again when they are done.
inline const std::string kBenchKey = "Software\\QuorvaneBench";
// The text value that ReadText/existing reads and WriteText writes.
inline const std::string kBenchText = "MaxMTU";

struct StoreCall {
  const char* name;
  // Run once before the call is timed, to give it the registry it expects.
  void (*prepare)(const store::Registry& registry);
  // Run, untimed, before every timed call; null when there is nothing to do.
  void (*beforeEach)(const store::Registry& registry);
  // The timed call. Answers something of what it read or whether it wrote,
  // so that no compiler can leave the call out.
  std::int64_t (*run)(const store::Registry& registry);
};

std::span<const StoreCall> StoreCalls();

// Ends the program, saying why, when a write that a figure needs failed:
// a figure taken on a registry that is not as expected would be wrong.
void Require(const store::WriteResult& written);

}  // namespace quorvane::bench
