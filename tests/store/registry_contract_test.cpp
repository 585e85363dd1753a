// What the program relies on from the registry, checked the same way on
// every backend: natively on the portable registry, under Wine on the
// Windows registry calls. Everything here lives below kTestArea.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "store/registry.h"
#include "store/registry_backend.h"
#include "tests/support/test_registry.h"

namespace quorvane::store {
namespace {

using testing::kTestArea;
using testing::TestRegistry;

constexpr ValueType kTypeBinary = 3;  // REG_BINARY

const std::string kArea = kTestArea + "\\Contract";

class RegistryContract : public ::testing::Test {
 protected:
  RegistryBackend& backend() { return test_.backend(); }
  const Registry& registry() const { return test_.registry(); }

  bool KeyExists(const std::string& path) {
    KeyHandle key = kNoKey;
    const Status status = backend().OpenKey(kRoot, path, &key);
    backend().CloseKey(key);
    return status == kSuccess;
  }

  // Queries name in kArea through the backend, as QueryValue does.
  Status Query(const std::string& name, ValueType* type, std::uint8_t* data,
               std::uint32_t* size) {
    KeyHandle key = kNoKey;
    backend().OpenKey(kRoot, kArea, &key);
    const Status status = backend().QueryValue(key, name, type, data, size);
    backend().CloseKey(key);
    return status;
  }

  // Stores raw bytes under (path, name) with the given type.
  void Store(const std::string& path, const std::string& name, ValueType type,
             const std::vector<std::uint8_t>& bytes) {
    KeyHandle key = kNoKey;
    ASSERT_EQ(backend().CreateKey(kRoot, path, &key), kSuccess);
    EXPECT_EQ(backend().SetValue(key, name, type, bytes.data(),
                                 static_cast<std::uint32_t>(bytes.size())),
              kSuccess);
    backend().CloseKey(key);
  }

  static constexpr RootKey kRoot = RootKey::LocalMachine;

 private:
  TestRegistry test_;
};

// Open, create and close.

TEST_F(RegistryContract, OpeningAMissingKeyFailsAndCreatesNothing) {
  KeyHandle key = 12345;
  EXPECT_EQ(backend().OpenKey(kRoot, kArea + "\\Missing", &key), kNotFound);
  EXPECT_EQ(key, kNoKey);
  backend().CloseKey(key);
  EXPECT_FALSE(KeyExists(kArea + "\\Missing"));
  EXPECT_FALSE(KeyExists(kArea));
}

TEST_F(RegistryContract, CreatingAKeyCreatesItsMissingParents) {
  KeyHandle key = kNoKey;
  ASSERT_EQ(backend().CreateKey(kRoot, kArea + "\\One\\Two\\Three", &key), kSuccess);
  EXPECT_NE(key, kNoKey);
  EXPECT_EQ(backend().CloseKey(key), kSuccess);
  for (const char* below : {"", "\\One", "\\One\\Two", "\\One\\Two\\Three"}) {
    EXPECT_TRUE(KeyExists(kArea + below)) << below;
  }
  // Creating it again opens the same key.
  ASSERT_EQ(backend().CreateKey(kRoot, kArea + "\\One\\Two\\Three", &key), kSuccess);
  backend().CloseKey(key);
}

TEST_F(RegistryContract, NamesIgnoreLetterCaseAndKeysOneTrailingBackslash) {
  ASSERT_TRUE(registry().WriteText(kRoot, kArea + "\\Mixed\\Case", "v", "x"));
  EXPECT_TRUE(KeyExists(kArea + "\\MIXED\\case"));
  EXPECT_TRUE(KeyExists(kArea + "\\mixed\\Case\\"));
  EXPECT_EQ(registry().ReadText(kRoot, kArea + "\\mIxEd\\cAsE\\", "v", "default"), "x");

  ASSERT_TRUE(registry().WriteText(kRoot, kArea, "MaxMTU", "1500"));
  ASSERT_TRUE(registry().WriteText(kRoot, kArea, "MAXMTU", "576"));
  EXPECT_EQ(registry().ReadText(kRoot, kArea, "MaxMtu", "default"), "576");
  ASSERT_TRUE(registry().RemoveValue(kRoot, kArea, "maxMTU"));
  EXPECT_EQ(registry().ReadText(kRoot, kArea, "MaxMTU", "default"), "default");
}

TEST_F(RegistryContract, ClosingTheEmptyHandleDoesNoHarm) {
  EXPECT_NE(backend().CloseKey(kNoKey), kSuccess);
  // Every other operation fails against it, and nothing is created.
  ValueType type = kTypeNone;
  std::uint32_t size = 0;
  const std::uint8_t byte = 1;
  EXPECT_NE(backend().QueryValue(kNoKey, "v", &type, nullptr, &size), kSuccess);
  EXPECT_NE(backend().SetValue(kNoKey, "v", kTypeBinary, &byte, 1), kSuccess);
  EXPECT_NE(backend().DeleteValue(kNoKey, "v"), kSuccess);
}

// Query, set and delete on the backend.

TEST_F(RegistryContract, QueryReportsTypeAndSizeAndAsksForABigEnoughBuffer) {
  Store(kArea, "bytes", kTypeBinary, {1, 2, 3, 4, 5, 6});
  ValueType type = kTypeNone;
  std::uint32_t size = 0;
  EXPECT_EQ(Query("bytes", &type, nullptr, &size), kSuccess);
  EXPECT_EQ(type, kTypeBinary);
  EXPECT_EQ(size, 6u);

  std::vector<std::uint8_t> small(2, 0);
  size = 2;
  EXPECT_EQ(Query("bytes", &type, small.data(), &size), kMoreData);
  EXPECT_EQ(size, 6u);

  std::vector<std::uint8_t> roomy(10, 0xEE);
  size = 10;
  EXPECT_EQ(Query("bytes", &type, roomy.data(), &size), kSuccess);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(roomy, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 0xEE, 0xEE}));

  EXPECT_EQ(Query("absent", &type, nullptr, &size), kNotFound);
}

TEST_F(RegistryContract, DeletingAValueLeavesItsKey) {
  ASSERT_TRUE(registry().WriteText(kRoot, kArea, "v", "x"));
  KeyHandle key = kNoKey;
  ASSERT_EQ(backend().OpenKey(kRoot, kArea, &key), kSuccess);
  EXPECT_EQ(backend().DeleteValue(key, "v"), kSuccess);
  EXPECT_EQ(backend().DeleteValue(key, "v"), kNotFound);
  backend().CloseKey(key);
  EXPECT_TRUE(KeyExists(kArea));
}

// The five procedures.

TEST_F(RegistryContract, MissingKeysAndValuesReadAsTheDefault) {
  EXPECT_EQ(registry().ReadText(kRoot, kArea + "\\Nowhere", "v", "Not Set"), "Not Set");
  EXPECT_EQ(registry().ReadNumber(kRoot, kArea + "\\Nowhere", "v", -7), -7);
  ASSERT_TRUE(registry().WriteText(kRoot, kArea, "other", "x"));
  EXPECT_EQ(registry().ReadText(kRoot, kArea, "v", "Not Set"), "Not Set");
  EXPECT_EQ(registry().ReadNumber(kRoot, kArea, "v", 42), 42);
  EXPECT_EQ(registry().QueryText(kRoot, kArea, "v"), std::nullopt);
  EXPECT_EQ(registry().QueryNumber(kRoot, kArea, "v"), std::nullopt);
  // Reading created nothing.
  EXPECT_FALSE(KeyExists(kArea + "\\Nowhere"));
}

TEST_F(RegistryContract, AValueOfAnotherTypeReadsAsTheDefault) {
  ASSERT_TRUE(registry().WriteNumber(kRoot, kArea, "number", 1));
  ASSERT_TRUE(registry().WriteText(kRoot, kArea, "text", "1"));
  Store(kArea, "wide", kTypeNumber, {1, 0, 0, 0, 0, 0, 0, 0});
  Store(kArea, "bytes", kTypeBinary, {'6', '4'});

  EXPECT_EQ(registry().ReadText(kRoot, kArea, "number", "default"), "default");
  EXPECT_EQ(registry().ReadText(kRoot, kArea, "bytes", "default"), "default");
  EXPECT_EQ(registry().ReadNumber(kRoot, kArea, "text", 9), 9);
  EXPECT_EQ(registry().ReadNumber(kRoot, kArea, "wide", 9), 9);  // too big for 32 bits
}

TEST_F(RegistryContract, TextIsStoredAsTypeOneAndReadsBackUnchanged) {
  ASSERT_TRUE(registry().WriteText(kRoot, kArea, "MaxMTU", "1500"));
  ValueType type = kTypeNone;
  std::uint32_t size = 0;
  EXPECT_EQ(Query("MaxMTU", &type, nullptr, &size), kSuccess);
  EXPECT_EQ(type, kTypeText);
  EXPECT_EQ(size, 5u);  // with its terminating NUL, which Windows' own readers count on
  EXPECT_EQ(registry().ReadText(kRoot, kArea, "MaxMTU", "default"), "1500");
}

// A text reads up to its first NUL. It is stored with a NUL added where it
// lacks one at its end, and only there; an exact copy keeps every byte.
TEST_F(RegistryContract, TextEndsAtItsFirstNulAndCopiesWithoutANulMoreOrLess) {
  const std::pair<std::vector<std::uint8_t>, std::vector<std::uint8_t>> texts[] = {
      {{'6', '4', 0}, {'6', '4', 0}},
      {{'6', '4', 0, 0}, {'6', '4', 0, 0}},
      {{'6', '4', 0, '9', '9'}, {'6', '4', 0, '9', '9', 0}},
  };
  for (const auto& [given, stored] : texts) {
    Store(kArea, "v", kTypeText, given);
    EXPECT_EQ(registry().ReadText(kRoot, kArea, "v", "default"), "64");
    TypedValue copy;
    ASSERT_EQ(registry().QueryValue(kRoot, kArea, "v", &copy), kSuccess);
    ASSERT_TRUE(registry().WriteValue(kRoot, kArea, "copy", copy));
    ASSERT_EQ(registry().QueryValue(kRoot, kArea, "copy", &copy), kSuccess);
    EXPECT_EQ(copy.data, stored);
  }
}

// Empty text is a value, not the default; multi-byte text is stored as its
// bytes; a long one reaches beyond any fixed buffer and 16-bit position.
TEST_F(RegistryContract, TextsReadBackWhole) {
  for (const std::string& text : {std::string(), std::string("Gr\xC3\xBC\xC3\x9F" "e"),
                                  std::string(70000, 'x')}) {
    ASSERT_TRUE(registry().WriteText(kRoot, kArea, "v", text));
    EXPECT_EQ(registry().QueryText(kRoot, kArea, "v"), text) << text.size();
    EXPECT_EQ(registry().ReadText(kRoot, kArea, "v", "default"), text) << text.size();
  }
}

TEST_F(RegistryContract, NumbersKeepTheirSignAndRange) {
  for (const std::int32_t number : {0, 1, -1, INT32_MIN, INT32_MAX}) {
    ASSERT_TRUE(registry().WriteNumber(kRoot, kArea, "DisableTaskOffload", number));
    EXPECT_EQ(registry().ReadNumber(kRoot, kArea, "DisableTaskOffload", 77), number);
  }
}

TEST_F(RegistryContract, WritingCreatesTheKeyAndItsParents) {
  const std::string backup = kArea + "\\Tessamont\\Quorvane\\Backup\\";
  ASSERT_FALSE(KeyExists(kArea + "\\Tessamont"));
  EXPECT_TRUE(registry().WriteText(kRoot, backup, "MaxMTU", "Not Set"));
  EXPECT_TRUE(registry().WriteNumber(kRoot, backup, "DisableTaskOffload", 0));
  EXPECT_EQ(registry().ReadText(kRoot, backup, "MaxMTU", "default"), "Not Set");
  EXPECT_EQ(registry().ReadNumber(kRoot, backup, "DisableTaskOffload", 5), 0);
  // The trailing backslash names the key Backup directly below Quorvane.
  EXPECT_TRUE(KeyExists(kArea + "\\Tessamont\\Quorvane\\Backup"));
}

TEST_F(RegistryContract, TheEmptyNameIsTheKeysDefaultValue) {
  const std::string key = kArea + "\\cachesize";
  ASSERT_TRUE(registry().WriteText(kRoot, key, "", "256"));
  EXPECT_EQ(registry().ReadText(kRoot, key, "", "default"), "256");
  // It is not a value of any other name.
  EXPECT_EQ(registry().ReadText(kRoot, key, "cachesize", "default"), "default");
  ASSERT_TRUE(registry().WriteText(kRoot, key, "cachesize", "other"));
  EXPECT_EQ(registry().ReadText(kRoot, key, "", "default"), "256");

  ASSERT_TRUE(registry().RemoveValue(kRoot, key, ""));
  EXPECT_EQ(registry().ReadText(kRoot, key, "", "default"), "default");
  EXPECT_EQ(registry().ReadText(kRoot, key, "cachesize", "default"), "other");
}

TEST_F(RegistryContract, RemovingWhatIsNotThereSucceedsAndChangesNothing) {
  EXPECT_TRUE(registry().RemoveValue(kRoot, kArea + "\\Nowhere", "v"));
  EXPECT_FALSE(KeyExists(kArea + "\\Nowhere"));
  ASSERT_TRUE(registry().WriteText(kRoot, kArea, "kept", "x"));
  EXPECT_TRUE(registry().RemoveValue(kRoot, kArea, "v"));
  EXPECT_EQ(registry().ReadText(kRoot, kArea, "kept", "default"), "x");
}

TEST_F(RegistryContract, AWriteReplacesTheValueTypeIncluded) {
  ASSERT_TRUE(registry().WriteText(kRoot, kArea, "v", "1"));
  ASSERT_TRUE(registry().WriteNumber(kRoot, kArea, "v", 1));
  EXPECT_EQ(registry().ReadText(kRoot, kArea, "v", "default"), "default");
  EXPECT_EQ(registry().ReadNumber(kRoot, kArea, "v", 9), 1);

  ASSERT_TRUE(registry().WriteText(kRoot, kArea, "v", "Yes"));
  EXPECT_EQ(registry().ReadNumber(kRoot, kArea, "v", 9), 9);
  EXPECT_EQ(registry().ReadText(kRoot, kArea, "v", "default"), "Yes");

  ASSERT_TRUE(registry().WriteText(kRoot, kArea, "v", "a longer text than before"));
  ASSERT_TRUE(registry().WriteText(kRoot, kArea, "v", "No"));
  EXPECT_EQ(registry().ReadText(kRoot, kArea, "v", "default"), "No");
}

}  // namespace
}  // namespace quorvane::store
