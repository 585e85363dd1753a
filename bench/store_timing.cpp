// Times the registry procedures on Windows' own registry (under Wine, Wine's)
// through the same table of calls as the native benchmark. Google Benchmark
// is not at hand for this build, so each call is timed alone with a steady
// clock and the median of many calls is printed, with the 10th and 90th
// percentiles for the spread.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "bench/store_calls.h"
#include "store/registry.h"
#include "store/win_registry.h"

namespace {

constexpr int kWarmUpCalls = 50;
constexpr int kTimedCalls = 1000;

using Clock = std::chrono::steady_clock;

// The value at `fraction` of the way through the sorted samples.
double Percentile(const std::vector<double>& sorted, double fraction) {
  const auto index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
  return sorted[index];
}

}  // namespace

int main() {
  quorvane::store::WinRegistry backend;
  const quorvane::store::Registry registry(backend);
  std::int64_t sink = 0;

  std::printf("%-22s %12s %12s %12s %8s\n", "Procedure", "median us", "p10 us", "p90 us",
              "calls");
  for (const quorvane::bench::StoreCall& call : quorvane::bench::StoreCalls()) {
    call.prepare(registry);
    for (int i = 0; i < kWarmUpCalls; ++i) {
      if (call.beforeEach) call.beforeEach(registry);
      sink += call.run(registry);
    }
    std::vector<double> micros;
    micros.reserve(kTimedCalls);
    for (int i = 0; i < kTimedCalls; ++i) {
      if (call.beforeEach) call.beforeEach(registry);
      const Clock::time_point start = Clock::now();
      sink += call.run(registry);
      const Clock::time_point end = Clock::now();
      micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("%-22s %12.1f %12.1f %12.1f %8d\n", call.name, Percentile(micros, 0.5),
                Percentile(micros, 0.1), Percentile(micros, 0.9), kTimedCalls);
  }

  RegDeleteTreeA(HKEY_LOCAL_MACHINE, quorvane::bench::kBenchKey.c_str());
  return sink == -1 ? 1 : 0;  // uses the sink; no call answers -1
}
