#include "bench/store_calls.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace quorvane::bench {
namespace {

constexpr auto kRoot = store::RootKey::LocalMachine;

// Values as the program keeps them: short decimal texts and one number.
const std::string kMissingName = "NoSuchValue";
const std::string kNumberName = "DisableTaskOffload";
const std::string kRemovedName = "SackOpts";

void Nothing(const store::Registry&) {}

void StoreText(const store::Registry& registry) {
  Require(registry.WriteText(kRoot, kBenchKey, kBenchText, "1500"));
}

void ForgetMissing(const store::Registry& registry) {
  Require(registry.WriteText(kRoot, kBenchKey, kBenchText, "1500"));  // the key exists
  Require(registry.RemoveValue(kRoot, kBenchKey, kMissingName));
}

void StoreNumber(const store::Registry& registry) {
  Require(registry.WriteNumber(kRoot, kBenchKey, kNumberName, 1));
}

void StoreRemoved(const store::Registry& registry) {
  Require(registry.WriteText(kRoot, kBenchKey, kRemovedName, "1"));
}

std::int64_t ReadExisting(const store::Registry& registry) {
  return static_cast<std::int64_t>(
      registry.ReadText(kRoot, kBenchKey, kBenchText, "").size());
}

std::int64_t ReadMissing(const store::Registry& registry) {
  return static_cast<std::int64_t>(
      registry.ReadText(kRoot, kBenchKey, kMissingName, "Not Set").size());
}

// Every timed write changes the value: a store may well skip a write that
// changes nothing (SQLite does), which would time no write at all.
bool NextFlip() {
  static bool flip = false;
  flip = !flip;
  return flip;
}

std::int64_t WriteText(const store::Registry& registry) {
  return registry.WriteText(kRoot, kBenchKey, kBenchText, NextFlip() ? "1500" : "1492").status;
}

std::int64_t ReadNumber(const store::Registry& registry) {
  return registry.ReadNumber(kRoot, kBenchKey, kNumberName, 0);
}

std::int64_t WriteNumber(const store::Registry& registry) {
  return registry.WriteNumber(kRoot, kBenchKey, kNumberName, NextFlip() ? 1 : 0).status;
}

std::int64_t RemovePresent(const store::Registry& registry) {
  return registry.RemoveValue(kRoot, kBenchKey, kRemovedName).status;
}

const std::array<StoreCall, 6> kCalls = {{
    {"ReadText/existing", StoreText, nullptr, ReadExisting},
    {"ReadText/missing", ForgetMissing, nullptr, ReadMissing},
    {"WriteText", Nothing, nullptr, WriteText},
    {"ReadNumber", StoreNumber, nullptr, ReadNumber},
    {"WriteNumber", Nothing, nullptr, WriteNumber},
    {"RemoveValue/present", Nothing, StoreRemoved, RemovePresent},
}};

}  // namespace

std::span<const StoreCall> StoreCalls() { return kCalls; }

void Require(const store::WriteResult& written) {
  if (written) return;
  std::fprintf(stderr, "A write the benchmark needs failed with status %ld.\n", written.status);
  std::exit(1);
}

}  // namespace quorvane::bench
