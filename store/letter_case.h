// Letter case as the Windows registry knows it: one table of pairs of
// UTF-16 units, compiled in (letter_case_pairs.h, made from the Unicode
// Character Database by make_case_table.py), the same on every computer
// and in every locale. Names compare equal when their units are equal in
// upper case; they are listed by their units in lower case. Both come from
// the same pairs, so they make the same names equal.
#pragma once

namespace quorvane::store {

struct CasePair {
  char16_t lower;
  char16_t upper;
};

// The unit in upper case, or the unit itself when it is in no pair as the
// lower-case one.
char16_t UpperCaseUnit(char16_t unit);

// The unit in lower case, or the unit itself when it is in no pair as the
// upper-case one.
char16_t LowerCaseUnit(char16_t unit);

}  // namespace quorvane::store
