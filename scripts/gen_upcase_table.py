#!/usr/bin/env python3
"""Writes src/core/text/UpcaseTable.inc: the one-to-one BMP upper-case mappings as runs."""
import os
import unicodedata

pairs = []
for c in range(0x10000):
    if 0xD800 <= c <= 0xDFFF:
        continue
    u = chr(c).upper()
    if len(u) == 1 and ord(u) != c and ord(u) < 0x10000:
        pairs.append((c, ord(u)))
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
out = os.path.join(os.path.dirname(__file__), "..", "src", "core", "text", "UpcaseTable.inc")
with open(out, "w") as f:
    f.write("// Generated from the Unicode %s simple upper-case mappings of the BMP:\n" % unicodedata.unidata_version)
    f.write("// {first unit, count, delta, stride}. Only one-to-one BMP mappings are kept, so\n")
    f.write("// upper-casing never changes a text's length.\n")
    for c, n, d, s in runs:
        f.write("{0x%04X, %d, %d, %d},\n" % (c, n, d, s))
