#!/usr/bin/env bash
# Many values in one run, each against a peer measured in the same hyperfine run:
# - --lines on 1,000,000 ISO dates, a day added (-q -a 1 -d {} -f yyyy-mm-dd), against
#   dateutils.dadd -i '%F' +1d on the same file;
# - a format conversion of the same dates (-q -s {} -f dd.mm.yyyy) against dateutils.dconv;
# - --sequence over the whole calendar (3,652,059 lines) against seq of as many lines;
# - the peak memory of --lines over 1,000 and over 10,000,000 lines (streamed from mawk):
#   the input is read in pieces, never whole, so they differ by no more than the pieces
#   of the reader's buffer that a long input touches.
# The answers of --lines and dadd are compared first: a fast wrong answer is no answer.
# usage: bench/lines.sh [path/to/zentrel]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
zentrel=${1:-$top/build/default/src/zentrel}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# Dates spread over 1900 to 2099, the same every run.
dates() {
  mawk -v n="$1" 'BEGIN { srand(7); for (i = 0; i < n; i++) {
    y = 1900 + int(rand() * 200); m = 1 + int(rand() * 12); d = 1 + int(rand() * 28);
    printf "%04d-%02d-%02d\n", y, m, d } }'
}
dates 1000000 >"$out/dates.txt"
"$zentrel" -q -a 1 -d {} -f yyyy-mm-dd --lines="$out/dates.txt" >"$out/zentrel.txt"
dateutils.dadd -i '%F' +1d <"$out/dates.txt" >"$out/dadd.txt"
cmp -s "$out/zentrel.txt" "$out/dadd.txt" || { echo "bench/lines.sh: --lines and dadd differ" >&2; exit 1; }

hyperfine --warmup 1 --runs 10 --export-json "$out/lines.json" --output=pipe \
  "$zentrel -q -a 1 -d {} -f yyyy-mm-dd --lines=$out/dates.txt" \
  "dateutils.dadd -i '%F' +1d < $out/dates.txt" \
  "$zentrel -q -s {} -f dd.mm.yyyy --lines=$out/dates.txt" \
  "dateutils.dconv -i '%F' -f '%d.%m.%Y' < $out/dates.txt" \
  "$zentrel -q --sequence=12/31/9999 -d 01/01/0001" \
  "seq 3652059" >/dev/null

peak() { dates "$1" | /usr/bin/time -f %M "$zentrel" -q -a 1 -d {} --lines 2>&1 >/dev/null | tail -1; }
small=$(peak 1000)
large=$(peak 10000000)
python3 - "$out/lines.json" "$small" "$large" <<'PY'
import json, sys
add, dadd, conv, dconv, sequence, seq = (r["median"] for r in json.load(open(sys.argv[1]))["results"])
small, large = int(sys.argv[2]), int(sys.argv[3])
print(f"--lines -a 1, 1,000,000 dates   {add * 1e3:.1f} ms, {add * 1e3:.1f} ns a line")
print(f"dateutils.dadd +1d              {dadd * 1e3:.1f} ms")
print(f"dadd / --lines                  {dadd / add:.2f}  (target >= 2)")
print(f"--lines -s -f dd.mm.yyyy        {conv * 1e3:.1f} ms")
print(f"dateutils.dconv                 {dconv * 1e3:.1f} ms")
print(f"dconv / --lines                 {dconv / conv:.2f}  (target >= 2)")
print(f"--sequence, whole calendar      {sequence * 1e3:.1f} ms, {sequence / 3652059 * 1e9:.1f} ns a line")
print(f"seq 3652059                     {seq * 1e3:.1f} ms")
print(f"sequence / seq                  {sequence / seq:.2f}  (target <= 3)")
print(f"peak memory, 1,000 lines        {small} KiB")
print(f"peak memory, 10,000,000 lines   {large} KiB")
# Streaming: whatever the input's size, no more than the line reader's buffer (a 1 MiB read
# and a 64 KiB line) is added to the run's memory.
print(f"10,000,000 - 1,000 lines        {large - small} KiB  (target <= 1088)")
PY
