// The grammar of key paths and value names, and letter case: an input is
// two names, split at its first line feed.
//
// Oracles: folding is idempotent and keeps a name's length in UTF-16
// units; two valid names fold alike exactly when reg.exe's order puts
// neither before the other; upper and lower case come back to the unit
// they left; a path that splits joins back to itself; a name is refused
// exactly when it holds a NUL or is longer than Windows allows; the 8-bit
// code page always gives valid UTF-8.
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "store/letter_case.h"
#include "store/registry_names.h"
#include "tools/reg_arguments.h"
#include "tools/reg_file.h"
#include "tools/utf16.h"

namespace quorvane::fuzz {
namespace {

void CheckName(const std::string& name) {
  const std::string folded = store::FoldedName(name);
  Require(store::FoldedName(folded) == folded, "folding is idempotent");
  Require(store::WindowsLength(folded) == store::WindowsLength(name),
          "folding keeps the length in UTF-16 units");
  for (const char16_t unit : tools::Utf16Of(name)) {
    const char16_t upper = store::UpperCaseUnit(unit);
    const char16_t lower = store::LowerCaseUnit(unit);
    Require(upper == unit || store::LowerCaseUnit(upper) == unit, "upper case comes back");
    Require(lower == unit || store::UpperCaseUnit(lower) == unit, "lower case comes back");
  }

  const bool holdsNul = name.find('\0') != std::string::npos;
  Require((store::CheckValueName(name) == store::kSuccess) ==
              (!holdsNul && store::WindowsLength(name) <= store::kMaxValueNameLength),
          "a value name is refused exactly when it holds a NUL or is too long");
  std::vector<std::string_view> keys;
  if (store::SplitPath(name, &keys) == store::kSuccess) {
    Require(keys.size() <= store::kMaxKeyDepth, "a path is no deeper than Windows allows");
    std::string joined;
    for (const std::string_view key : keys) {
      Require(!key.empty() && store::WindowsLength(key) <= store::kMaxKeyNameLength,
              "each key of a path has a name Windows allows");
      joined += (joined.empty() ? "" : "\\") + std::string(key);
    }
    Require(joined == name || joined + "\\" == name, "a path joins back to itself");
  }

  const tools::RegParse parse = tools::ParseRegArguments({"query", "HKLM\\" + name});
  Require(parse.outcome != tools::RegParse::Outcome::Run || parse.command.path == name,
          "a key on the command line names its path");
  const std::string narrow = tools::Utf8OfWindows1252(name);
  Require(tools::ValidUtf8(narrow) == narrow, "Windows-1252 gives valid UTF-8");
}

}  // namespace
}  // namespace quorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  const std::string_view input = fuzz::Bytes(data, size);
  const std::size_t split = input.find('\n');
  const std::string a(input.substr(0, split));
  const std::string b(split == std::string_view::npos ? "" : input.substr(split + 1));
  fuzz::CheckName(a);
  fuzz::CheckName(b);
  if (tools::ValidUtf8(a) == a && tools::ValidUtf8(b) == b) {
    const bool equal = store::FoldedName(a) == store::FoldedName(b);
    const bool unordered = !tools::RegExeOrder(a, b) && !tools::RegExeOrder(b, a);
    fuzz::Require(equal == unordered, "names fold alike exactly when neither comes first");
  }
  return 0;
}
