// Times the start of quorvane.exe, from CreateProcess to its main window
// shown, and takes its working set then, beside a bare Win32 form
// (bare-window.exe) started the same way, and prints the medians and their
// ratios. Both executables lie beside this one. The program key is set past
// the first run first, so that no question stands between the start and the
// main window.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 15;
constexpr int kWarmUpRuns = 2;
constexpr auto kGiveUp = std::chrono::seconds(60);

using Clock = std::chrono::steady_clock;

struct Subject {
  const char* executable;
  const char* caption;  // of the window whose showing ends the timing
};
constexpr Subject kQuorvane{"quorvane.exe", "Quorvane Version 1.3 Final - Build 0"};
constexpr Subject kBare{"bare-window.exe", "Bare window"};

std::string Beside(const char* name) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1) + name;
}

struct Sample {
  double milliseconds;  // negative: no window within kGiveUp
  double workingSetMiB;
};

// From the start of the process to its window shown, and its working set
// then. The process is closed afterwards.
Sample TimeOneStart(const Subject& subject) {
  std::string command(1, '"');
  command += Beside(subject.executable);
  command += '"';
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const auto start = Clock::now();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "cannot start %s: error %lu\n", subject.executable, GetLastError());
    return {-1, 0};
  }
  HWND window = nullptr;
  while (Clock::now() - start < kGiveUp) {
    window = FindWindowA(nullptr, subject.caption);
    if (window && IsWindowVisible(window)) break;
    window = nullptr;
    Sleep(1);
  }
  const double elapsed =
      std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  const double workingSet =
      GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)
          ? static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0)
          : 0;
  if (window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
  } else {
    DWORD status = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &status);
    std::fprintf(stderr, "%s showed no window \"%s\" (%s %lu)\n", subject.executable,
                 subject.caption, status == STILL_ACTIVE ? "still running" : "ended with",
                 status == STILL_ACTIVE ? 0ul : status);
  }
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return {window ? elapsed : -1, workingSet};
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

}  // namespace

int main() {
  HKEY key = nullptr;
  if (RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\Tessamont\\Quorvane", &key) != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot set the program past its first run\n");
    return 1;
  }
  RegSetValueExA(key, "FirstRun", 0, REG_SZ, reinterpret_cast<const BYTE*>("No"), sizeof "No");
  RegCloseKey(key);

  std::vector<double> quorvaneTimes, bareTimes, quorvaneMemory, bareMemory;
  for (int run = 0; run < kWarmUpRuns + kRuns; ++run) {
    // Taken in turns, so that a slow spell of the machine hits both alike.
    const Sample q = TimeOneStart(kQuorvane);
    const Sample b = TimeOneStart(kBare);
    if (q.milliseconds < 0 || b.milliseconds < 0) return 1;
    if (run < kWarmUpRuns) continue;
    quorvaneTimes.push_back(q.milliseconds);
    bareTimes.push_back(b.milliseconds);
    quorvaneMemory.push_back(q.workingSetMiB);
    bareMemory.push_back(b.workingSetMiB);
  }
  const double quorvaneTime = Median(quorvaneTimes), bareTime = Median(bareTimes);
  const double quorvaneMiB = Median(quorvaneMemory), bareMiB = Median(bareMemory);
  std::printf("%-32s %10s %12s\n", "Start to window shown", "median ms", "memory MiB");
  std::printf("%-32s %10.1f %12.1f\n", "bare-window.exe (floor)", bareTime, bareMiB);
  std::printf("%-32s %10.1f %12.1f\n", kQuorvane.executable, quorvaneTime, quorvaneMiB);
  std::printf("%-32s %10.2f %12.2f   (aim: at most 1.15 each)\n", "ratio of the medians",
              quorvaneTime / bareTime, bareMiB > 0 ? quorvaneMiB / bareMiB : 0.0);
  return 0;
}
