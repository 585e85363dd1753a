// A writer for the tests that need another process: writes COUNT text values
// NAME0, NAME1, ... (each holding its number) below kTestArea\KEY in the
// store at STORE, the keys cycling through KEY\K0 to KEY\K4 so that
// writers share keys. After each write has returned, it reports the number
// on standard output, one line each, in a single write(2).
//
//   registry_writer STORE KEY NAME COUNT
//
// Exits 1 when a write fails or the store cannot be opened.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "store/registry.h"
#include "store/sqlite_registry.h"
#include "tests/support/test_registry.h"

int main(int argc, char** argv) {
  using quorvane::store::RootKey;
  if (argc != 5) {
    std::fprintf(stderr, "usage: registry_writer STORE KEY NAME COUNT\n");
    return 2;
  }
  try {
    auto store = quorvane::store::SqliteRegistry::Open(argv[1]);
    const quorvane::store::Registry registry(*store);
    const std::string key = quorvane::testing::kTestArea + "\\" + argv[2];
    const long count = std::strtol(argv[4], nullptr, 10);
    for (long i = 0; i < count; ++i) {
      const std::string number = std::to_string(i);
      if (!registry.WriteText(RootKey::LocalMachine, key + "\\K" + std::to_string(i % 5),
                              argv[3] + number, number)) {
        std::fprintf(stderr, "registry_writer: write %ld failed\n", i);
        return 1;
      }
      const std::string line = number + "\n";
      if (write(STDOUT_FILENO, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
        return 1;
      }
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "registry_writer: %s\n", error.what());
    return 1;
  }
  return 0;
}
