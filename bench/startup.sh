#!/usr/bin/env bash
# Start-up cost: one single-result run of zentrel against /bin/true (the floor) and a peer
# date tool, measured in the same hyperfine run. Prints the medians and their ratios.
# usage: bench/startup.sh [path/to/zentrel]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
zentrel=${1:-$top/build/default/src/zentrel}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
hyperfine -N --warmup 50 --runs 1000 --export-json "$out/startup.json" \
  "$zentrel -q -s 12/25/2024" \
  "/bin/true" \
  "dateutils.dadd 2024-12-25 +0d" >/dev/null
python3 - "$out/startup.json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
median = {r["command"].split()[0].rsplit("/", 1)[-1]: r["median"] for r in results}
z, t, d = median["zentrel"], median["true"], median["dateutils.dadd"]
print(f"zentrel -q -s      median {z * 1e3:.3f} ms")
print(f"/bin/true          median {t * 1e3:.3f} ms")
print(f"dateutils.dadd     median {d * 1e3:.3f} ms")
print(f"zentrel / true     {z / t:.2f}  (target <= 1.2)")
print(f"zentrel / dadd     {z / d:.2f}")
PY
