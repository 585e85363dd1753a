#include "store/letter_case.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "store/letter_case_pairs.h"

namespace quorvane::store {
namespace {

constexpr std::size_t kPairCount = std::size(kCasePairs);

constexpr bool ByLower(const CasePair& a, const CasePair& b) { return a.lower < b.lower; }
constexpr bool ByUpper(const CasePair& a, const CasePair& b) { return a.upper < b.upper; }

// The same pairs, looked up from the upper-case side.
constexpr std::array<CasePair, kPairCount> kByUpper = [] {
  std::array<CasePair, kPairCount> pairs{};
  std::copy(std::begin(kCasePairs), std::end(kCasePairs), pairs.begin());
  std::sort(pairs.begin(), pairs.end(), ByUpper);
  return pairs;
}();

static_assert(std::is_sorted(std::begin(kCasePairs), std::end(kCasePairs), ByLower),
              "letter_case_pairs.h is ordered by the lower-case unit");
static_assert(std::adjacent_find(kByUpper.begin(), kByUpper.end(),
                                 [](const CasePair& a, const CasePair& b) {
                                   return a.upper == b.upper;
                                 }) == kByUpper.end(),
              "an upper-case unit belongs to one pair at most");

}  // namespace

char16_t UpperCaseUnit(char16_t unit) {
  if (unit < 0x80) return unit >= u'a' && unit <= u'z' ? unit - (u'a' - u'A') : unit;
  const CasePair* pair = std::lower_bound(std::begin(kCasePairs), std::end(kCasePairs),
                                          CasePair{unit, 0}, ByLower);
  return pair != std::end(kCasePairs) && pair->lower == unit ? pair->upper : unit;
}

char16_t LowerCaseUnit(char16_t unit) {
  if (unit < 0x80) return unit >= u'A' && unit <= u'Z' ? unit + (u'a' - u'A') : unit;
  const auto pair = std::lower_bound(kByUpper.begin(), kByUpper.end(), CasePair{0, unit}, ByUpper);
  return pair != kByUpper.end() && pair->upper == unit ? pair->lower : unit;
}

}  // namespace quorvane::store
