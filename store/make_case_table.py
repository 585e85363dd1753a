#!/usr/bin/env python3
"""Makes letter_case_pairs.h, the one table by which registry names compare.

The Windows registry compares names one UTF-16 unit at a time, each unit in
upper case by a table of its own, the same on every computer. This script
makes that table from the Unicode Character Database, so that the build
needs neither the database nor this script (Python's standard library only):

    make_case_table.py [UNICODE_DATA_FOLDER]

reads UnicodeData.txt and DerivedAge.txt (its version) from the folder,
/usr/share/unicode by default (Debian's unicode-data package), and writes
letter_case_pairs.h beside this script.

The rule: a lower-case unit L and an upper-case unit U form a pair when the
simple upper-case mapping of L is U and the simple lower-case mapping of U
is L, both in the Basic Multilingual Plane. A unit whose mapping does not
come back to it keeps its own case: dotless i (U+0131) upper-cases to I,
whose lower case is i, so it stays itself, as do the long s, the micro sign,
the title-case digraphs, Greek final sigma and the Greek symbol forms.
Units beyond the pairs (and surrogates, so every character beyond the
plane) compare as they are. Each lower-case unit and each upper-case unit
belongs to one pair at most, so upper-casing and lower-casing by the pairs
make the same names equal.
"""

import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
OUTPUT = HERE / "letter_case_pairs.h"
PLANE_END = 0x10000


def read_mappings(data_file):
    """The simple upper-case and lower-case mappings within the plane."""
    upper, lower = {}, {}
    with open(data_file, encoding="utf-8") as lines:
        for line in lines:
            fields = line.rstrip("\n").split(";")
            code = int(fields[0], 16)
            if code >= PLANE_END:
                continue
            if fields[12]:
                upper[code] = int(fields[12], 16)
            if fields[13]:
                lower[code] = int(fields[13], 16)
    return upper, lower


def case_pairs(upper, lower):
    """(lower, upper) pairs whose mappings come back, by lower unit."""
    pairs = [(small, big) for small, big in upper.items()
             if big < PLANE_END and lower.get(big) == small]
    pairs.sort()
    uppers = [big for _, big in pairs]
    assert len(set(uppers)) == len(uppers), "an upper-case unit in two pairs"
    return pairs


def unicode_version(folder):
    with open(folder / "DerivedAge.txt", encoding="utf-8") as age:
        match = re.search(r"DerivedAge-([0-9.]+)\.txt", age.readline())
    if not match:
        sys.exit("make_case_table.py: no Unicode version in DerivedAge.txt")
    return match.group(1)


def header(pairs, version):
    rows = []
    for start in range(0, len(pairs), 5):
        row = " ".join("{0x%04X, 0x%04X}," % pair for pair in pairs[start:start + 5])
        rows.append("    " + row)
    return f"""\
// The letter-case pairs by which registry names compare, made by
// make_case_table.py from the Unicode Character Database {version}: do not
// edit; run the script again. Each pair is a lower-case and an upper-case
// UTF-16 unit whose simple case mappings lead to each other; every other
// unit has no other case. Ordered by the lower-case unit.
#pragma once

#include "store/letter_case.h"

namespace quorvane::store {{

inline constexpr char kCaseTableUnicodeVersion[] = "{version}";

inline constexpr CasePair kCasePairs[] = {{
{chr(10).join(rows)}
}};

}}  // namespace quorvane::store
"""


def main():
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "/usr/share/unicode")
    upper, lower = read_mappings(folder / "UnicodeData.txt")
    pairs = case_pairs(upper, lower)
    OUTPUT.write_text(header(pairs, unicode_version(folder)), encoding="utf-8")
    print(f"{OUTPUT.name}: {len(pairs)} pairs")


if __name__ == "__main__":
    main()
