// What the fuzz targets share: the entry that libFuzzer (or the corpus
// replay of the tests) calls, a scratch folder of the process's own, and
// the check that ends a run when an oracle is not met, so that the input
// is kept as a find.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace quorvane::fuzz {

// Ends the process, saying what did not hold, unless condition holds.
inline void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "Not met: %s\n", what);
  std::abort();
}

// A folder for this process alone, on a memory file system where there is
// one (syncs are cheap there), removed when the process ends.
inline const std::string& ScratchFolder() {
  struct Folder {
    std::string path;
    Folder() {
      const char* tmp = std::getenv("TMPDIR");
      std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm"
                         : tmp != nullptr && *tmp != '\0'             ? tmp
                                                                      : "/tmp";
      std::string pattern = base + "/quorvane-fuzz-XXXXXX";
      Require(mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
      path = pattern;
    }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static const Folder folder;
  return folder.path;
}

// The input as bytes of text.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace quorvane::fuzz
