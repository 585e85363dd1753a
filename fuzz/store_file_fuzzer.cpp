// The portable registry's file, its bytes mutated: opened for reading and
// for writing, its keys listed and read, written into and deleted from.
// Each input is the store file itself, with nothing beside it. It is
// refused or read; what a write does to it does not matter; a crash, a
// hang or a sanitizer's report is a find.
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "store/open_failure.h"
#include "store/registry.h"
#include "store/sqlite_registry.h"
#include "tools/reg_transfer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  using OpenMode = store::SqliteRegistry::OpenMode;
  constexpr store::RootKey kRoot = store::RootKey::LocalMachine;
  const std::string path = fuzz::ScratchFolder() + "/registry.sqlite3";
  for (const char* suffix : {"-wal", "-shm", "-journal"}) unlink((path + suffix).c_str());
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  for (const OpenMode mode : {OpenMode::ReadOnly, OpenMode::ReadWrite}) {
    try {
      auto backend = store::SqliteRegistry::Open(path, mode);
      const store::Registry registry(*backend);
      std::vector<tools::RegFileKey> keys;
      static_cast<void>(tools::ReadSubtree(*backend, "", &keys));
      store::TypedValue value;
      static_cast<void>(registry.QueryValue(kRoot, "Software\\QuorvaneTest", "MaxMTU", &value));
      static_cast<void>(registry.ReadText(kRoot, "Software\\QuorvaneTest", "", "absent"));
      if (mode == OpenMode::ReadWrite) {
        static_cast<void>(registry.WriteText(kRoot, "Software\\QuorvaneTest\\New", "v", "x"));
        static_cast<void>(registry.RemoveValue(kRoot, "Software\\QuorvaneTest", "MaxMTU"));
        static_cast<void>(backend->DeleteKey(kRoot, "Software\\QuorvaneTest\\Backup"));
        static_cast<void>(tools::ReadSubtree(*backend, "", &keys));
      }
    } catch (const store::RegistryOpenError&) {
      // Refused, with the reason: as it should be for a file that is not one.
    }
  }
  return 0;
}
