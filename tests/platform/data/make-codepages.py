#!/usr/bin/env python3
"""Writes codepages.txt: every byte of the single-byte pages as Python's codecs decode it.

Run once; the table is kept so that the conversion tables built through iconv are checked
against a second, independent source (a round trip through one wrong table still passes)."""
import os

PAGES = ["cp874", "cp1250", "cp1251", "cp1252", "cp1253",
         "cp1254", "cp1255", "cp1256", "cp1257", "cp1258"]


def cell(page, b):
    try:
        return "%04X" % ord(bytes([b]).decode(page))
    except UnicodeDecodeError:
        return "-"


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "codepages.txt")
    with open(out, "w") as f:
        f.write("# Each single-byte page, byte by byte, as Python's codecs decode it (generated once by\n"
                "# tests/platform/data/make-codepages.py). '-' marks a byte the page leaves undefined.\n")
        for page in PAGES:
            f.write(page + "\n")
            row = [cell(page, b) for b in range(256)]
            for i in range(0, 256, 16):
                f.write(" ".join(row[i:i + 16]) + "\n")


if __name__ == "__main__":
    main()
