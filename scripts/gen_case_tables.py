#!/usr/bin/env python3
"""Writes the built-in case tables of src/base/text from Python's Unicode data.

UpcaseTable.inc: the one-to-one BMP upper-case mappings as runs (name order, case
conversions). LowcaseTable.inc: the lower-case mappings that undo them, as runs.
CasedRanges.inc: the units that count as letters when names are split into words.
The tables must stay the same from one build to the next: run this only with the
Unicode version named in the files' first lines, or review every changed row.
"""
import os
import unicodedata

HERE = os.path.join(os.path.dirname(__file__), "..", "src", "base", "text")


def units():
    for c in range(0x10000):
        if not 0xD800 <= c <= 0xDFFF:
            yield c


def one_unit(text):
    return ord(text) if len(text) == 1 and ord(text) < 0x10000 else None


def as_runs(pairs):
    """Sorted (unit, mapped) pairs as {first, count, delta, stride} runs."""
    runs = []
    i = 0
    while i < len(pairs):
        c, u = pairs[i]
        d = u - c
        best = (1, 1)
        for stride in (1, 2):
            n = 1
            while i + n < len(pairs) and pairs[i + n][0] == c + n * stride and pairs[i + n][1] - pairs[i + n][0] == d:
                n += 1
            if n > best[0]:
                best = (n, stride)
        n, stride = best
        runs.append((c, n, d, stride))
        i += n
    return runs


def write(name, header, rows):
    with open(os.path.join(HERE, name), "w") as f:
        for line in header:
            f.write("// " + line + "\n")
        for row in rows:
            f.write("{" + ", ".join(row) + "},\n")


def run_rows(runs):
    return [("0x%04X" % c, "%d" % n, "%d" % d, "%d" % s) for c, n, d, s in runs]


upper = {}
for c in units():
    u = one_unit(chr(c).upper())
    if u is not None and u != c:
        upper[c] = u


def upcase(c):
    return upper.get(c, c)


# Lower case of x: Unicode's lower case of x when it is one unit and upper-cases to
# the same unit as x. So lower case never changes a name as NTFS compares names, and
# of the units that upper-case to U it picks the one Unicode names U's lower case
# ("I" gives "i", not the dotless "ı"). The Kelvin sign, "ẞ" and "İ" have none.
lower = {}
for c in units():
    l = one_unit(chr(c).lower())
    if l is not None and l != c and upcase(l) == upcase(c):
        lower[c] = l
for c, u in upper.items():
    assert u in lower, "an upper-case unit without its lower case: %04X" % u

# A letter has a case mapping of its own, in either direction, even one that
# gives several units ("ß" upper-cases to "SS"), or is the case mapping of another.
cased = set()
for c in units():
    ch = chr(c)
    if ch.upper() != ch or ch.lower() != ch:
        cased.add(c)
cased |= set(upper.values()) | set(lower.values())
ranges = []
for c in sorted(cased):
    if ranges and ranges[-1][1] == c - 1:
        ranges[-1][1] = c
    else:
        ranges.append([c, c])

version = unicodedata.unidata_version
write("UpcaseTable.inc", [
    "Generated from the Unicode %s simple upper-case mappings of the BMP:" % version,
    "{first unit, count, delta, stride}. Only one-to-one BMP mappings are kept, so",
    "upper-casing never changes a text's length.",
], run_rows(as_runs(sorted(upper.items()))))
write("LowcaseTable.inc", [
    "Generated from the Unicode %s lower-case mappings of the BMP by" % version,
    "scripts/gen_case_tables.py: {first unit, count, delta, stride}. A unit's lower case",
    "is kept only when it is one unit that upper-cases as the unit itself does.",
], run_rows(as_runs(sorted(lower.items()))))
write("CasedRanges.inc", [
    "Generated from the Unicode %s case mappings of the BMP by" % version,
    "scripts/gen_case_tables.py: {first unit, last unit} of the units that have a case",
    "mapping of their own or are the case mapping of another unit.",
], [("0x%04X" % a, "0x%04X" % b) for a, b in ranges])
