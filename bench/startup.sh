#!/usr/bin/env bash
# Start-up cost: one single-result run of the static release build and of the given
# (dynamically linked) build against /bin/true (the floor) and a peer date tool, measured in
# the same hyperfine run, and steps with a unit against a plain count. Prints the medians and
# their ratios.
# usage: bench/startup.sh [path/to/zentrel]
# ZENTREL_STATIC names the static build (default build/release/src/zentrel).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
zentrel=${1:-$top/build/default/src/zentrel}
static=${ZENTREL_STATIC:-$top/build/release/src/zentrel}
if [ ! -x "$static" ]; then
  echo "bench/startup.sh: no static build at $static" \
       "(cmake --preset release && cmake --build --preset release)" >&2
  exit 2
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
hyperfine -N --warmup 50 --runs 1000 --export-json "$out/startup.json" \
  "$static -q -s 12/25/2024" \
  "$zentrel -q -s 12/25/2024" \
  "/bin/true" \
  "dateutils.dadd 2024-12-25 +0d" \
  "$static -q -a 1 -d 12/20/2024" \
  "$static -q -a 1d -d 12/20/2024" \
  "$static -q -a 5b -d 12/20/2024" \
  "$static -q -a 1m -d 12/20/2024" >/dev/null
python3 - "$out/startup.json" <<'PY'
import json, sys
s, z, t, d, plain, day, business, month = (
    r["median"] for r in json.load(open(sys.argv[1]))["results"])
print(f"static zentrel -q -s  median {s * 1e3:.3f} ms")
print(f"zentrel -q -s         median {z * 1e3:.3f} ms")
print(f"/bin/true             median {t * 1e3:.3f} ms")
print(f"dateutils.dadd        median {d * 1e3:.3f} ms")
print(f"static / true         {s / t:.2f}  (target <= 1.15)")
print(f"zentrel / true        {z / t:.2f}  (target <= 1.2)")
print(f"static / zentrel      {s / z:.2f}")
print(f"static / dadd         {s / d:.2f}")
# A step with a unit costs what a plain count costs.
for name, median in (("-a 1d", day), ("-a 5b", business), ("-a 1m", month)):
    print(f"static {name} / -a 1   {median / plain:.2f}  (target <= 1.1)")
PY
