// Times the registry procedures on the portable registry, in a store of its
// own made in a new temporary folder and removed afterwards, beside the
// floors they are held to: raw SQLite on the same file (sqlite_floor.h) and
// a budget for a refresh of the nine values. Each figure is the median of
// several repetitions, taken in turns with the others (random interleaving),
// so that a figure and its floor meet the same load; a table at the end sets
// each figure beside its floor with the ratio. Then quorvane-reg's import
// and export of big files, their peak memory beside the file's size
// (transfer_memory.h).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/sqlite_floor.h"
#include "bench/store_calls.h"
#include "bench/transfer_memory.h"
#include "engine/current_values.h"
#include "store/catalogue.h"
#include "store/platform_registry.h"
#include "store/registry.h"
#include "store/sqlite_registry.h"

namespace {

using quorvane::store::Registry;

constexpr int kRepetitions = 9;

constexpr const char* kReadFloor = "Floor/ReadText/existing";
constexpr const char* kWriteFloor = "Floor/WriteText";
constexpr const char* kRefresh = "ReadCurrentValues";
// What a refresh of the panes (nine reads) may take, in microseconds.
constexpr double kRefreshBudgetUs = 100.0;
// The most memory an import or an export may take, as a multiple of the
// size of the file it reads or writes.
constexpr double kTransferMemoryLimit = 2.0;

template <typename Body>
void Register(const char* name, Body body) {
  benchmark::RegisterBenchmark(name, body)
      ->Unit(benchmark::kMicrosecond)
      ->Repetitions(kRepetitions)
      ->ReportAggregatesOnly(true);
}

void RegisterCalls(const Registry& registry) {
  for (const quorvane::bench::StoreCall& call : quorvane::bench::StoreCalls()) {
    Register(call.name, [&registry, &call](benchmark::State& state) {
      call.prepare(registry);
      for (auto _ : state) {
        if (call.beforeEach) {
          state.PauseTiming();
          call.beforeEach(registry);
          state.ResumeTiming();
        }
        benchmark::DoNotOptimize(call.run(registry));
      }
    });
  }
}

// Every one of the nine settings present, as after the program has applied
// them: the slowest refresh, since every key on every path is found.
void StoreAllSettings(const Registry& registry) {
  for (const quorvane::store::Setting& setting : quorvane::store::kSettings) {
    if (setting.kind == quorvane::store::Kind::Number) {
      quorvane::bench::Require(
          registry.WriteNumber(quorvane::store::kRoot, setting.key, setting.valueName, 1));
    } else {
      quorvane::bench::Require(
          registry.WriteText(quorvane::store::kRoot, setting.key, setting.valueName, "1"));
    }
  }
}

void RegisterFloorsAndRefresh(const Registry& registry, quorvane::bench::SqliteFloor& floor) {
  Register(kReadFloor, [&floor](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(floor.ReadValue());
  });
  Register(kWriteFloor, [&floor](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(floor.WriteValue());
  });
  Register(kRefresh, [&registry](benchmark::State& state) {
    StoreAllSettings(registry);
    for (auto _ : state) benchmark::DoNotOptimize(quorvane::engine::ReadCurrentValues(registry));
  });
}

// The console's report, keeping besides the median wall time of each
// benchmark in microseconds.
class MedianKeeper : public benchmark::ConsoleReporter {
 public:
  // In colour only on a terminal, as Google Benchmark's own report.
  MedianKeeper() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians[run.run_name.function_name] =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
      }
    }
  }
  std::map<std::string, double> medians;
};

// Each figure beside its floor; a pair left out by --benchmark_filter is not
// shown.
void PrintRatios(const std::map<std::string, double>& medians,
                 const quorvane::bench::SqliteFloor& floor) {
  const std::string writeFloor = "raw durable write (" + floor.journalMode() + ", synchronous " +
                                 std::to_string(floor.synchronous()) + ")";
  struct Pair {
    std::string figure, floorName, floorLabel, goal;
    double limit;
  };
  const Pair pairs[] = {
      {"ReadText/existing", kReadFloor, "raw lookups, one read transaction", "at most", 1.2},
      {"WriteText", kWriteFloor, writeFloor, "at most", 1.2},
      {kRefresh, "", "budget", "under", 1.0},
  };
  std::printf("\nEach figure beside its floor (medians of wall time, same run)\n");
  std::printf("%-20s %10s   %-38s %10s %7s   %s\n", "Figure", "us", "Floor", "us", "ratio",
              "goal");
  for (const Pair& pair : pairs) {
    const auto figure = medians.find(pair.figure);
    const auto floorTime = medians.find(pair.floorName);
    if (figure == medians.end() || (!pair.floorName.empty() && floorTime == medians.end())) {
      continue;
    }
    const double floorUs = pair.floorName.empty() ? kRefreshBudgetUs : floorTime->second;
    const double ratio = figure->second / floorUs;
    const bool met = pair.goal == "under" ? ratio < pair.limit : ratio <= pair.limit;
    std::printf("%-20s %10.2f   %-38s %10.2f %7.2f   %s %.2f: %s\n", pair.figure.c_str(),
                figure->second, pair.floorLabel.c_str(), floorUs, ratio, pair.goal.c_str(),
                pair.limit, met ? "met" : "NOT MET");
  }
}

// Each transfer's peak memory beside the size of its file.
void PrintTransfers() {
  const auto& figures = quorvane::bench::TransferFigures();
  if (figures.empty()) return;
  std::printf("\nPeak memory of quorvane-reg beside the file it reads or writes (one run)\n");
  std::printf("%-30s %9s %10s %10s %7s   %s\n", "Transfer", "s", "file MiB", "peak MiB", "ratio",
              "goal");
  for (const auto& figure : figures) {
    const double ratio = figure.peakMiB / figure.fileMiB;
    std::printf("%-30s %9.2f %10.1f %10.1f %7.2f   at most %.2f: %s\n", figure.name.c_str(),
                figure.seconds, figure.fileMiB, figure.peakMiB, ratio, kTransferMemoryLimit,
                ratio <= kTransferMemoryLimit ? "met" : "NOT MET");
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
  // Repetitions in turns unless the command line says otherwise: a figure
  // and its floor then meet the same load on a shared machine.
  std::vector<char*> arguments(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  arguments.insert(arguments.begin() + (argc > 0 ? 1 : 0), interleave);
  int count = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);

  int status = 0;
  try {
    const std::string path = folder + "/registry.sqlite3";
    auto backend = quorvane::store::SqliteRegistry::Open(path);
    const Registry registry(*backend);
    // The floors read and write the value that the figures do.
    quorvane::bench::Require(registry.WriteText(quorvane::store::kRoot, quorvane::bench::kBenchKey,
                                                quorvane::bench::kBenchText, "1500"));
    quorvane::bench::SqliteFloor floor(path, quorvane::bench::kBenchKey,
                                       quorvane::bench::kBenchText);
    RegisterCalls(registry);
    RegisterFloorsAndRefresh(registry, floor);
    quorvane::bench::RegisterTransfers(folder, QUORVANE_REG_TOOL);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) {
      status = 1;
    } else {
      MedianKeeper reporter;
      benchmark::RunSpecifiedBenchmarks(&reporter);
      PrintRatios(reporter.medians, floor);
      PrintTransfers();
    }
    benchmark::Shutdown();
  } catch (const quorvane::store::RegistryOpenError& error) {
    std::fprintf(stderr, "quorvane-store-benchmark: %s\n", error.what());
    status = 1;
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "quorvane-store-benchmark: the floor: %s\n", error.what());
    status = 1;
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return status;
}
