// Times how long a program takes from its start to its first window shown,
// and how much memory it holds then, beside a reference program started the
// same way: the two are run in turns on one X display, so that both meet the
// same machine, and the ratio of their medians is printed.
//
//   quorvane-startup-timing RUNS REFERENCE-COMMAND... -- SUBJECT-COMMAND...
//
// A window counts as shown when the X server reports it mapped (MapNotify on
// the root window, override-redirect windows such as tooltips and splash
// surfaces left out). The memory is the started process's resident set at
// that moment. Each program is then ended, and the next run starts only once
// it is gone.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kLongestStart = std::chrono::seconds(30);
constexpr int kWarmUpRuns = 2;

struct Sample {
  double milliseconds;
  double residentMiB;
};

struct Program {
  const char* label;
  std::vector<char*> argv;  // null-terminated
  std::vector<Sample> samples;
};

// The resident set of a live process, in MiB; 0 when it cannot be read.
double ResidentMiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
  }
  return 0;
}

// Waits up to `limit` for a window that is not override-redirect to be
// mapped on the display; false when none was.
bool AwaitMappedWindow(Display* display, Clock::time_point limit) {
  const int connection = ConnectionNumber(display);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect) return true;
    }
    const auto left = limit - Clock::now();
    if (left <= Clock::duration::zero()) return false;
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(left).count();
    timeval timeout{static_cast<time_t>(micros / 1000000), static_cast<suseconds_t>(micros % 1000000)};
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(connection, &readable);
    select(connection + 1, &readable, nullptr, nullptr, &timeout);
  }
}

// Ends the process and its group, and waits until it is gone.
void End(pid_t pid) {
  kill(-pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
}

std::optional<Sample> RunOnce(Display* display, Program& program) {
  XSync(display, True);  // forget what earlier runs left queued
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid < 0) return std::nullopt;
  if (pid == 0) {
    setpgid(0, 0);  // its own group, so that ending it ends its helpers too
    execvp(program.argv[0], program.argv.data());
    std::perror(program.argv[0]);
    _exit(127);
  }
  setpgid(pid, pid);
  const bool shown = AwaitMappedWindow(display, start + kLongestStart);
  const Clock::time_point mapped = Clock::now();
  const double resident = ResidentMiB(pid);
  End(pid);
  if (!shown) return std::nullopt;
  return Sample{std::chrono::duration<double, std::milli>(mapped - start).count(), resident};
}

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

std::vector<double> Column(const Program& program, double Sample::*field) {
  std::vector<double> values;
  for (const Sample& sample : program.samples) values.push_back(sample.*field);
  return values;
}

// The name a command goes by in the table: its words, each without its
// folder ("/.../bare-qt-window Quorvane" is "bare-qt-window Quorvane").
std::string Label(const std::vector<char*>& argv) {
  std::string label;
  for (const char* word : argv) {
    if (!word) break;  // argv ends in nullptr
    const std::string text = word;
    if (!label.empty()) label += ' ';
    label += text.substr(text.find_last_of('/') + 1);
  }
  return label;
}

void PrintRow(const std::string& label, const Program& program) {
  const std::vector<double> times = Column(program, &Sample::milliseconds);
  std::printf("%-32s %9.1f %9.1f %9.1f %11.1f %6zu\n", label.c_str(), Percentile(times, 0.5),
              Percentile(times, 0.1), Percentile(times, 0.9),
              Percentile(Column(program, &Sample::residentMiB), 0.5), times.size());
}

int Usage() {
  std::fprintf(stderr,
               "usage: quorvane-startup-timing RUNS REFERENCE-COMMAND... -- SUBJECT-COMMAND...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) return Usage();
  const int runs = std::atoi(argv[1]);
  const std::span<char*> words(argv + 2, static_cast<std::size_t>(argc - 2));
  const auto separator = std::find_if(words.begin(), words.end(),
                                      [](const char* word) { return std::strcmp(word, "--") == 0; });
  if (runs < 1 || separator == words.begin() || separator == words.end() ||
      separator + 1 == words.end()) {
    return Usage();
  }
  Program reference{"reference", {words.begin(), separator}, {}};
  Program subject{"subject", {separator + 1, words.end()}, {}};
  reference.argv.push_back(nullptr);
  subject.argv.push_back(nullptr);
  reference.label = reference.argv[0];
  subject.label = subject.argv[0];

  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "quorvane-startup-timing: no X display (is DISPLAY set?)\n");
    return 1;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

  // In turns, after a few untimed starts that fill the file cache.
  for (int run = -kWarmUpRuns; run < runs; ++run) {
    for (Program* program : {&reference, &subject}) {
      const std::optional<Sample> sample = RunOnce(display, *program);
      if (!sample) {
        std::fprintf(stderr, "quorvane-startup-timing: %s showed no window\n", program->label);
        return 1;
      }
      if (run >= 0) program->samples.push_back(*sample);
    }
  }
  XCloseDisplay(display);

  const std::string floor = Label(reference.argv) + " (floor)";
  std::printf("%-32s %9s %9s %9s %11s %6s\n", "Start to window shown", "median ms", "p10 ms",
              "p90 ms", "memory MiB", "runs");
  PrintRow(floor, reference);
  PrintRow(Label(subject.argv), subject);
  const double timeRatio = Percentile(Column(subject, &Sample::milliseconds), 0.5) /
                           Percentile(Column(reference, &Sample::milliseconds), 0.5);
  const double memoryRatio = Percentile(Column(subject, &Sample::residentMiB), 0.5) /
                             Percentile(Column(reference, &Sample::residentMiB), 0.5);
  std::printf("%-32s %9.2f %9s %9s %11.2f   (aim: at most 1.15 each)\n",
              "ratio of the medians to the floor", timeRatio, "", "", memoryRatio);
  return 0;
}
