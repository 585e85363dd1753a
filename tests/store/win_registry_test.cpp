// What only the Windows backend can show: the conversion between the
// program's UTF-8 and the registry's ANSI code page, checked against what
// advapi32 itself stores, and a text that grows while it is being read.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "store/registry.h"
#include "store/win_registry.h"
#include "tests/support/recording_backend.h"
#include "tests/support/test_registry.h"

namespace quorvane::store {
namespace {

using testing::kTestArea;

constexpr auto kLocalMachine = RootKey::LocalMachine;

// "Größe" in UTF-8 (as the program holds it) and in code page 1252 (as the
// registry's A calls hand it over).
const std::string kSizeUtf8 = "Gr\xC3\xB6\xC3\x9F" "e";
const std::string kSizeAnsi = "Gr\xF6\xDF" "e";

// The raw value at HKLM\path\name as advapi32 reports it, or nullopt when
// it is missing.
struct RawValue {
  DWORD type;
  std::string bytes;
};
std::optional<RawValue> ReadRaw(const std::string& path, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  RawValue value{REG_NONE, std::string(4096, '\0')};
  DWORD size = static_cast<DWORD>(value.bytes.size());
  const LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                                       reinterpret_cast<BYTE*>(value.bytes.data()), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  value.bytes.resize(size);
  return value;
}

// Stores exactly `bytes`: the A call would count a NUL that follows them in
// memory into the value, so a guard byte follows them instead.
void WriteRaw(const std::string& path, const std::string& name, DWORD type,
              const std::string& bytes) {
  const std::string guarded = bytes + '#';
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type,
                           reinterpret_cast<const BYTE*>(guarded.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

class WinRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the ANSI code page 1252, not " << GetACP();
  }

  // Queries name in kTestArea into buffer, whose size is offered.
  Status Query(const std::string& name, ValueType* type, std::string* buffer,
               std::uint32_t* size) {
    KeyHandle key = kNoKey;
    backend_.OpenKey(kLocalMachine, kTestArea, &key);
    *size = static_cast<std::uint32_t>(buffer->size());
    const Status status = backend_.QueryValue(
        key, name, type, buffer->empty() ? nullptr : reinterpret_cast<std::uint8_t*>(buffer->data()),
        size);
    backend_.CloseKey(key);
    return status;
  }

  testing::TestRegistry place_;
  WinRegistry backend_;
  Registry registry_{backend_};
};

TEST_F(WinRegistryTest, MultiByteTextPathAndNameRoundTripAndStoreTheirAnsiBytes) {
  const std::string path = kTestArea + "\\" + kSizeUtf8;
  const std::string text = kSizeUtf8 + " 1500";

  ASSERT_TRUE(registry_.WriteText(kLocalMachine, path, kSizeUtf8, text));
  EXPECT_EQ(registry_.ReadText(kLocalMachine, path, kSizeUtf8, "absent"), text);

  // The word's five bytes in the code page, not its seven in UTF-8, and the
  // terminating NUL.
  const std::optional<RawValue> raw = ReadRaw(kTestArea + "\\" + kSizeAnsi, kSizeAnsi);
  ASSERT_TRUE(raw.has_value());
  EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(raw->bytes, kSizeAnsi + " 1500" + '\0');

  EXPECT_TRUE(registry_.RemoveValue(kLocalMachine, path, kSizeUtf8));
  EXPECT_FALSE(ReadRaw(kTestArea + "\\" + kSizeAnsi, kSizeAnsi).has_value());
}

TEST_F(WinRegistryTest, TextSizesCountUtf8WhileOtherTypesPassThrough) {
  std::string longUtf8, longAnsi;
  for (int i = 0; i < 100; ++i) {
    longUtf8 += kSizeUtf8;
    longAnsi += kSizeAnsi;
  }
  WriteRaw(kTestArea, "text", REG_SZ, kSizeAnsi);
  WriteRaw(kTestArea, "long", REG_SZ, longAnsi);
  WriteRaw(kTestArea, "binary", REG_BINARY, kSizeAnsi);
  ValueType type = kTypeNone;
  std::uint32_t size = 0;
  std::string buffer;
  EXPECT_EQ(Query("text", &type, &buffer, &size), kSuccess);
  EXPECT_EQ(type, kTypeText);
  EXPECT_EQ(size, kSizeUtf8.size());
  EXPECT_EQ(Query("long", &type, &buffer, &size), kSuccess);
  EXPECT_EQ(size, longUtf8.size());
  EXPECT_EQ(registry_.ReadText(kLocalMachine, kTestArea, "long", "absent"), longUtf8);

  // Room for the ANSI bytes is not room for the UTF-8 ones.
  buffer.assign(kSizeAnsi.size(), '\0');
  EXPECT_EQ(Query("text", &type, &buffer, &size), kMoreData);
  EXPECT_EQ(size, kSizeUtf8.size());
  buffer.assign(size, '\0');
  EXPECT_EQ(Query("text", &type, &buffer, &size), kSuccess);
  EXPECT_EQ(buffer, kSizeUtf8);

  buffer.assign(16, '\0');
  EXPECT_EQ(Query("binary", &type, &buffer, &size), kSuccess);
  EXPECT_EQ(type, static_cast<ValueType>(REG_BINARY));
  EXPECT_EQ(buffer.substr(0, size), kSizeAnsi);
}

// Writing a text with stand-in characters would store another text, or in
// a path or name address another key: such writes are refused whole.
TEST_F(WinRegistryTest, TextOutsideTheCodePageIsRefusedNotApproximated) {
  const std::string outside = "\xE6\x97\xA5\xE6\x9C\xAC";  // two CJK characters
  const std::string bestFit = "\xC4\x80";                   // Ā, "A" by best fit
  const std::string notUtf8 = "\xFF\xFE";

  for (const std::string& text : {outside, bestFit, notUtf8}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(registry_.WriteText(kLocalMachine, kTestArea, "name", text));
    EXPECT_FALSE(ReadRaw(kTestArea, "name").has_value());
    EXPECT_FALSE(registry_.WriteText(kLocalMachine, kTestArea, text, "1"));
    EXPECT_FALSE(registry_.WriteText(kLocalMachine, kTestArea + "\\" + text, "name", "1"));
  }
  EXPECT_FALSE(ReadRaw(kTestArea, "?").has_value());
  EXPECT_FALSE(ReadRaw(kTestArea, "A").has_value());
  EXPECT_FALSE(ReadRaw(kTestArea + "\\??", "name").has_value());
  EXPECT_FALSE(ReadRaw(kTestArea + "\\A", "name").has_value());
}

// The exact copy of a value keeps what the ANSI calls cannot hand over:
// read and written through the wide calls, every character and byte stays.
// A text is stored with its terminating NUL, through the A calls and the W
// calls alike, also the copy of one that an earlier version stored without.
TEST_F(WinRegistryTest, TheExactCopyKeepsTextBeyondTheCodePageAndTheNulEndsEveryText) {
  const std::wstring stored = L"\u65E5\u672C\u8A9E\u00FC\u20AC\u03A9";  // 日本語ü€Ω, NUL-ended
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\QuorvaneTest", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, L"MaxMTU", 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.c_str()),
                           static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);

  TypedValue copy;
  ASSERT_EQ(registry_.QueryValue(kLocalMachine, kTestArea, "MaxMTU", &copy), kSuccess);
  const std::string utf8 = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xC3\xBC\xE2\x82\xAC\xCE\xA9";
  EXPECT_EQ(copy, (TypedValue{kTypeText, std::vector<std::uint8_t>(utf8.begin(), utf8.end() + 1)}));
  ASSERT_TRUE(registry_.WriteValue(kLocalMachine, kTestArea, "Copy", copy));

  std::wstring back(64, L'\0');
  DWORD type = REG_NONE;
  DWORD size = static_cast<DWORD>(back.size() * sizeof(wchar_t));
  ASSERT_EQ(RegQueryValueExW(key, L"Copy", nullptr, &type, reinterpret_cast<BYTE*>(back.data()),
                             &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, (stored.size() + 1) * sizeof(wchar_t));
  EXPECT_EQ(back.substr(0, stored.size() + 1), std::wstring(stored.c_str(), stored.size() + 1));
  WriteRaw(kTestArea, "Earlier", REG_SZ, "1500");
  ASSERT_EQ(registry_.QueryValue(kLocalMachine, kTestArea, "Earlier", &copy), kSuccess);
  ASSERT_TRUE(registry_.WriteValue(kLocalMachine, kTestArea, "Copy", copy));
  ASSERT_TRUE(registry_.WriteText(kLocalMachine, kTestArea, "Text", "1500"));
  for (const wchar_t* name : {L"Copy", L"Text"}) {
    EXPECT_EQ(RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, sizeof L"1500") << name;
  }
  RegCloseKey(key);
  // The settings' own text procedures still refuse what the code page lacks.
  EXPECT_FALSE(registry_.WriteText(kLocalMachine, kTestArea, "Text", utf8));
}

TEST_F(WinRegistryTest, NameWithANulIsRefusedRatherThanCutShort) {
  const std::string name("Max\0MTU", 7);
  EXPECT_FALSE(registry_.WriteText(kLocalMachine, kTestArea, name, "1500"));
  EXPECT_FALSE(ReadRaw(kTestArea, "Max").has_value());
}

// Between the size query and the read, another program writes a longer text:
// the backend says so (kMoreData with the new UTF-8 size) and the read
// procedure asks again, so the new text comes back whole.
TEST_F(WinRegistryTest, TextThatGrowsWhileReadIsReadWhole) {
  const struct {
    std::string before;     // code page 1252
    std::string after;      // the same text in UTF-8 and ...
    std::string afterAnsi;  // ... in code page 1252
  } cases[] = {
      // The ANSI bytes no longer fit the buffer either.
      {"1500", kSizeUtf8 + " und L\xC3\xA4nge", kSizeAnsi + " und L\xE4nge"},
      // The ANSI bytes still fit; their UTF-8 form does not.
      {"abcdefg", kSizeUtf8 + "12", kSizeAnsi + "12"},
  };
  for (const auto& growth : cases) {
    SCOPED_TRACE(growth.before);
    WriteRaw(kTestArea, "MaxMTU", REG_SZ, growth.before);
    testing::RecordingBackend recording(backend_);
    int queries = 0;
    recording.fail = [&](const std::string& call) {
      if (call == "query MaxMTU" && ++queries == 2) {
        WriteRaw(kTestArea, "MaxMTU", REG_SZ, growth.afterAnsi);  // as another program would
      }
      return false;
    };
    EXPECT_EQ(Registry(recording).ReadText(kLocalMachine, kTestArea, "MaxMTU", "absent"),
              growth.after);
    EXPECT_EQ(queries, 3);
  }
}

}  // namespace
}  // namespace quorvane::store
