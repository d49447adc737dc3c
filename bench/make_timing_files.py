#!/usr/bin/env python3
"""Writes two timing files of the same job for the comparison benchmark.

usage: make_timing_files.py OLD NEW [SECTIONS]

Each file holds a few header lines that are not entries, SECTIONS entry lines of about 85
bytes, and a closing [#ZZ] line. The NEW run keeps about a third of the section times,
shortens or lengthens the others by amounts from milliseconds to hours, and renames one
section in a thousand, so the report meets every marker length and some misalignment.
The output is the same for the same arguments.
"""
import random
import sys

LINE_WIDTH = 84  # bytes before the line end
WORDS = ["COMPILE", "LINK", "TEST", "PACKAGE", "UPLOAD", "VERIFY", "INDEX", "ARCHIVE"]


def clock(ms):
    hours, ms = divmod(ms, 3_600_000)
    minutes, ms = divmod(ms, 60_000)
    seconds, ms = divmod(ms, 1_000)
    return f"{hours:02d}:{minutes:02d}:{seconds:02d}.{ms:03d}"


def entry(number, ms, name):
    line = f"\\--- [#{number:07d}]   {clock(ms)}   - {name}"
    return line.ljust(LINE_WIDTH, "-") + "\n"


def main():
    old_path, new_path = sys.argv[1], sys.argv[2]
    sections = int(sys.argv[3]) if len(sys.argv) > 3 else 1_000_000
    rng = random.Random(20261207)
    header = "Timing of job NIGHTLY-BUILD\nstarted 12/07/2026 04:15:11\n\n"
    with open(old_path, "w", newline="") as old, open(new_path, "w", newline="") as new:
        old.write(header)
        new.write(header)
        old_total = new_total = 0
        for number in range(1, sections + 1):
            name = f"SECTION {number:07d} {rng.choice(WORDS)} MODULE GROUP {number % 97:02d} "
            old_ms = rng.randrange(0, 4 * 3_600_000) if rng.random() < 0.05 else rng.randrange(0, 600_000)
            roll = rng.random()
            if roll < 0.35:
                new_ms = old_ms
            else:
                scale = rng.choice([999, 1_000, 9_999, 60_000, 600_000, 3_600_000, 8 * 3_600_000])
                change = rng.randrange(1, scale + 1)
                new_ms = max(0, old_ms - change) if roll < 0.7 else old_ms + change
            new_name = name + "RENAMED" if rng.random() < 0.001 else name
            old.write(entry(number, old_ms, name))
            new.write(entry(number, new_ms, new_name))
            old_total += old_ms
            new_total += new_ms
        old.write(entry(0, old_total, "*** AGGREGATE JOB TIME ***").replace("[#0000000]", "[#ZZ]     "))
        new.write(entry(0, new_total, "*** AGGREGATE JOB TIME ***").replace("[#0000000]", "[#ZZ]     "))


if __name__ == "__main__":
    main()
