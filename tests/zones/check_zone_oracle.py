#!/usr/bin/python3
"""The program's time zones against Python's zoneinfo, over every transition from 1900 to
2040 in a set of zones chosen for their awkward changes.

For each transition (found by stepping through the years and bisecting to the second) the
offset just before, at and after it, and the moments of the wall-clock readings around it:
at the edges of the gap or of the repeated stretch, in the middle of it, and a second either
side. Python resolves a reading with fold=0, which takes the earlier moment of a repeated
reading and reads a skipped one with the offset before the gap, so moves it later by the
gap's length: the program's rule exactly.

Usage: check_zone_oracle.py [--wine] <zone_oracle executable>
The checker is run once per zone, with TZ set to the zone so that it checks the machine's
own conversion as well as the named zone from the system's files and from the built-in copy.
With --wine it runs the Windows build's checker under Wine, where the built-in copy answers
(Windows has no zone files) and the machine's zone, Wine's own, is not checked.
"""

import datetime
import os
import subprocess
import sys
import tempfile
import zoneinfo

ZONES = [
    "America/New_York",
    "Australia/Lord_Howe",   # 30-minute daylight saving
    "Asia/Kolkata",          # changes of standard offset in the 1940s
    "Pacific/Chatham",       # +12:45 and +13:45
    "America/Sao_Paulo",     # southern hemisphere, changes at midnight
    "Australia/Sydney",      # southern hemisphere
    "Europe/Dublin",         # negative daylight saving since 1971
    "Europe/Berlin",
]
FIRST = int(datetime.datetime(1900, 1, 1, tzinfo=datetime.timezone.utc).timestamp())
LAST = int(datetime.datetime(2041, 1, 1, tzinfo=datetime.timezone.utc).timestamp())
STEP = 6 * 3600
UTC = datetime.timezone.utc


def offset_at(zone, t):
    return int(datetime.datetime.fromtimestamp(t, zone).utcoffset().total_seconds())


def transitions(zone):
    """(moment, offset before, offset after) of every change of offset."""
    found = []
    t = FIRST
    before = offset_at(zone, t)
    while t < LAST:
        nxt = t + STEP
        after = offset_at(zone, nxt)
        if after != before:
            lo, hi = t, nxt  # offset_at(lo) == before, offset_at(hi) != before
            while hi - lo > 1:
                mid = (lo + hi) // 2
                if offset_at(zone, mid) == before:
                    lo = mid
                else:
                    hi = mid
            found.append((hi, before, offset_at(zone, hi)))
            before = offset_at(zone, hi)
            t = hi
            continue
        t = nxt
    return found


def moment_of(zone, local):
    """Python's moment (fold=0) of a wall-clock reading given as seconds since 1970."""
    wall = datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=local)
    return int(wall.replace(tzinfo=zone).timestamp())


def expectations(name):
    zone = zoneinfo.ZoneInfo(name)
    lines = [f"Z {name}"]
    count = 0
    for at, before, after in transitions(zone):
        count += 1
        for t in (at - 1, at, at + 1):
            lines.append(f"O {t} {offset_at(zone, t)}")
        low, high = sorted((at + before, at + after))
        middle = (low + high) // 2
        for local in sorted({low - 1, low, middle, high - 1, high, high + 1}):
            lines.append(f"W {local} {moment_of(zone, local)}")
    return lines, count


def main():
    wine = sys.argv[1:2] == ["--wine"]
    checker = sys.argv[-1]
    failed = False
    for name in ZONES:
        lines, count = expectations(name)
        with tempfile.NamedTemporaryFile("w", suffix=".txt") as data:
            data.write("\n".join(lines) + "\n")
            data.flush()
            if wine:
                command = ["wine", checker, "Z:" + data.name]
                env = dict(os.environ, TZ="UTC", WINEDEBUG="-all")
            else:
                command = [checker, data.name]
                env = {"TZ": name}
            run = subprocess.run(command, env=env, capture_output=True, text=True)
        print(f"{name}: {count} transitions; {run.stdout.strip()}")
        if run.returncode != 0:
            failed = True
            print(run.stderr, end="")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
