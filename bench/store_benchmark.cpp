// Times the registry procedures on the portable registry, in a store of its
// own made in a new temporary folder and removed afterwards. Each figure is
// reported as the median (and mean) of several repetitions.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/store_calls.h"
#include "store/platform_registry.h"
#include "store/registry.h"
#include "store/sqlite_registry.h"

namespace {

constexpr int kRepetitions = 5;

void RegisterCalls(const quorvane::store::Registry& registry) {
  for (const quorvane::bench::StoreCall& call : quorvane::bench::StoreCalls()) {
    benchmark::RegisterBenchmark(call.name, [&registry, &call](benchmark::State& state) {
      call.prepare(registry);
      for (auto _ : state) {
        if (call.beforeEach) {
          state.PauseTiming();
          call.beforeEach(registry);
          state.ResumeTiming();
        }
        benchmark::DoNotOptimize(call.run(registry));
      }
    })
        ->Unit(benchmark::kMicrosecond)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
  }
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::string folder = (fs::temp_directory_path() / "quorvane-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    std::perror("quorvane-store-benchmark: cannot make a temporary folder");
    return 1;
  }

  int status = 0;
  try {
    auto backend = quorvane::store::SqliteRegistry::Open(folder + "/registry.sqlite3");
    const quorvane::store::Registry registry(*backend);
    RegisterCalls(registry);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
      status = 1;
    } else {
      benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
  } catch (const quorvane::store::RegistryOpenError& error) {
    std::fprintf(stderr, "quorvane-store-benchmark: %s\n", error.what());
    status = 1;
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return status;
}
