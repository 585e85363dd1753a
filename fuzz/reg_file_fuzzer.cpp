// The registry files' reader, with the writer as its oracle: whatever a
// file reads as, written as quorvane-reg writes it and read again, reads
// the same, whole; and every name and text it reads is valid UTF-8.
//
// The first byte of an input says what the rest is: an even byte, UTF-8
// text that becomes a UTF-16 file with its byte-order mark, as reg.exe
// writes them (so that the mutations work on text); an odd byte, the
// file's bytes as they are (8-bit files, REGEDIT4, any mark).
#include "fuzz/fuzz_support.h"
#include "fuzz/reg_file_oracle.h"
#include "tools/reg_file.h"
#include "tools/utf16.h"

namespace quorvane::fuzz {
namespace {

bool ValidNamesAndTexts(const std::vector<tools::RegFileKey>& keys) {
  for (const tools::RegFileKey& key : keys) {
    if (!tools::IsValidUtf8(key.path)) return false;
    for (const tools::RegFileValue& value : key.values) {
      if (!tools::IsValidUtf8(value.name)) return false;
      if (store::IsStringType(value.type) &&
          !tools::IsValidUtf8(Bytes(value.data.data(), value.data.size()))) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace
}  // namespace quorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvane;
  if (size == 0) return 0;
  const std::string_view rest = fuzz::Bytes(data + 1, size - 1);
  std::string file;
  if (data[0] % 2 == 0) {
    const auto units = tools::LittleEndianBytes(tools::Utf16Of(rest));
    file = "\xFF\xFE" + std::string(units.begin(), units.end());
  } else {
    file = rest;
  }
  const tools::RegFileRead read = tools::ReadRegFile(file);
  fuzz::Require(fuzz::ValidNamesAndTexts(read.keys), "every name and text read is valid UTF-8");
  fuzz::Require(tools::UnwritableKey(read.keys) == nullptr, "a key read can be written");

  const tools::RegFileRead again = tools::ReadRegFile(tools::WriteRegFile(read.keys));
  fuzz::Require(again.outcome == tools::RegFileRead::Outcome::Read, "a written file reads whole");
  fuzz::Require(again.unknownEscapes.empty(), "a written file holds only known escapes");
  fuzz::Require(fuzz::SameKeys(read.keys, again.keys), "a written file reads as it was read");
  return 0;
}
