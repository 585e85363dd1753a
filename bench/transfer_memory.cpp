#include "bench/transfer_memory.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

extern char** environ;

namespace quorvane::bench {
namespace {

constexpr double kMiB = 1024.0 * 1024.0;

std::vector<TransferFigure>& Figures() {
  static std::vector<TransferFigure> figures;
  return figures;
}

// Writes a registry file of version 5.00 at path, its lines made by next
// (false once there are no more), in UTF-16LE as reg.exe writes it.
void WriteRegistryFile(const std::string& path, const std::function<bool(std::string*)>& next) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  std::string text = "Windows Registry Editor Version 5.00\r\n", wide = "\xFF\xFE";
  do {
    for (const char c : text) wide += {c, '\0'};  // the lines are ASCII
    if (wide.size() > (1 << 20)) {
      file.write(wide.data(), static_cast<std::streamsize>(wide.size()));
      wide.clear();
    }
    text.clear();
  } while (next(&text));
  file.write(wide.data(), static_cast<std::streamsize>(wide.size()));
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

struct Run {
  double seconds;
  double peakMiB;
};

// Runs the tool with args on the store, its output thrown away: its wall
// time and its peak resident set.
Run RunTool(const std::string& tool, const std::string& store, std::vector<std::string> args) {
  std::vector<std::string> environment{"QUORVANE_REGISTRY=" + store};
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (std::strncmp(*variable, "QUORVANE_REGISTRY=", 18) != 0) environment.push_back(*variable);
  }
  args.insert(args.begin(), tool);
  std::vector<char*> argv, envp;
  for (std::string& arg : args) argv.push_back(arg.data());
  for (std::string& variable : environment) envp.push_back(variable.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, tool.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  if (spawned != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    throw std::runtime_error("quorvane-reg " + args[1] + " failed");
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  return {took.count(), static_cast<double>(usage.ru_maxrss) * 1024.0 / kMiB};
}

double MiBOf(const std::string& path) {
  return static_cast<double>(std::filesystem::file_size(path)) / kMiB;
}

struct Shape {
  const char* name;
  // The file's lines after its first: false once there are no more.
  std::function<std::function<bool(std::string*)>()> lines;
};

// A million keys below one, each with a number; one binary value of about
// 16 MiB, 100 MiB of hex on one line; and one text of 50 million
// characters, 100 MiB in quotes.
const Shape kShapes[] = {
    {"1000000 keys",
     [] {
       return [key = 0](std::string* text) mutable {
         if (key == 1000000) return false;
         char line[96];
         std::snprintf(line, sizeof line,
                       "\r\n[HKEY_LOCAL_MACHINE\\Software\\QuorvaneBench\\k%07d]\r\n"
                       "\"v\"=dword:%08x\r\n",
                       key, static_cast<unsigned>(key));
         *text = line;
         ++key;
         return true;
       };
     }},
    {"one line of 100 MiB",
     [] {
       constexpr int kBytes = 100 * 1024 * 1024 / 6;  // "00," in UTF-16
       return [written = -1](std::string* text) mutable {
         if (written == kBytes) return false;
         if (written < 0) {
           *text = "\r\n[HKEY_LOCAL_MACHINE\\Software\\QuorvaneBench]\r\n\"big\"=hex:";
           written = 0;
           return true;
         }
         const int now = std::min(kBytes - written, 65536);
         for (int i = 0; i < now; ++i) *text += written + i + 1 == kBytes ? "5a\r\n" : "5a,";
         written += now;
         return true;
       };
     }},
    {"one text of 100 MiB",
     [] {
       constexpr int kCharacters = 50 * 1024 * 1024;
       return [written = -1](std::string* text) mutable {
         if (written == kCharacters) return false;
         if (written < 0) {
           *text = "\r\n[HKEY_LOCAL_MACHINE\\Software\\QuorvaneBench]\r\n\"big\"=\"";
           written = 0;
           return true;
         }
         const int now = std::min(kCharacters - written, 1 << 20);
         text->assign(static_cast<std::size_t>(now), 'q');
         written += now;
         if (written == kCharacters) *text += "\"\r\n";
         return true;
       };
     }},
};

}  // namespace

void RegisterTransfers(const std::string& folder, const std::string& tool) {
  for (const Shape& shape : kShapes) {
    const std::string name = std::string("Transfer/") + shape.name;
    benchmark::RegisterBenchmark(name.c_str(), [&shape, folder, tool](benchmark::State& state) {
      const std::string file = folder + "/transfer.reg";
      const std::string exported = folder + "/exported.reg";
      const std::string store = folder + "/transfer.sqlite3";
      WriteRegistryFile(file, shape.lines());
      for (auto _ : state) {
        for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(store + suffix);
        const Run imported = RunTool(tool, store, {"import", file});
        const Run written =
            RunTool(tool, store, {"export", "HKLM\\Software\\QuorvaneBench", exported, "/y"});
        state.SetIterationTime(imported.seconds + written.seconds);
        const double fileMiB = MiBOf(file), exportedMiB = MiBOf(exported);
        state.counters["file_MiB"] = fileMiB;
        state.counters["import_peak_MiB"] = imported.peakMiB;
        state.counters["export_peak_MiB"] = written.peakMiB;
        Figures().push_back({std::string("import, ") + shape.name, fileMiB, imported.peakMiB,
                             imported.seconds});
        Figures().push_back({std::string("export, ") + shape.name, exportedMiB, written.peakMiB,
                             written.seconds});
      }
      for (const std::string& made : {file, exported, store}) std::filesystem::remove(made);
    })
        ->Unit(benchmark::kSecond)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(1);
  }
}

const std::vector<TransferFigure>& TransferFigures() { return Figures(); }

}  // namespace quorvane::bench
