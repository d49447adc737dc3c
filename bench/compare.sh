#!/usr/bin/env bash
# The timing-file comparison on two files of 1,000,000 sections each (about 85 MB each)
# against a naive mawk join of the same files (the peer) and `wc -l` over both (the
# reading floor), in one hyperfine run; then the peak memory of the comparison.
# Targets: at least 10 times faster than the peer, within 3 times the reading floor, and a
# peak memory of at most 1.5 times the two files plus 32 MiB; the exit code is 1 when one
# is missed.
# usage: bench/compare.sh [path/to/zentrel] [sections]
# The files are generated once into build/bench/ (kept out of git) and reused.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
zentrel=${1:-$top/build/default/src/zentrel}
sections=${2:-1000000}
data=${BENCH_DATA:-$top/build/bench}
old=$data/old_$sections.txt
new=$data/new_$sections.txt
mkdir -p "$data"
if [[ ! -f $old || ! -f $new ]]; then
  python3 "$here/make_timing_files.py" "$old" "$new" "$sections"
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

hyperfine --warmup 1 --runs "${RUNS:-10}" --export-json "$out/compare.json" \
  -n zentrel "$zentrel --compareold=$old --comparenew=$new >/dev/null" \
  -n peer "mawk -f $here/compare_peer.awk $old $new >/dev/null" \
  -n "wc -l" "wc -l $old $new >/dev/null" >/dev/null

/usr/bin/time -v "$zentrel" --compareold="$old" --comparenew="$new" >/dev/null 2>"$out/time.txt"
/usr/bin/time -v mawk -f "$here/compare_peer.awk" "$old" "$new" >/dev/null 2>"$out/peer_time.txt"

python3 - "$out" "$old" "$new" <<'PY'
import json, os, re, sys
out, old, new = sys.argv[1:4]
results = {r["command"]: r for r in json.load(open(f"{out}/compare.json"))["results"]}
def peak_kb(name):
    text = open(f"{out}/{name}").read()
    return int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", text).group(1))
z, p, w = (results[n]["median"] for n in ("zentrel", "peer", "wc -l"))
for name in ("zentrel", "peer", "wc -l"):
    r = results[name]
    print(f"{name:8} median {r['median']:.3f} s  mean {r['mean']:.3f} s  "
          f"user {r['user']:.3f} s  system {r['system']:.3f} s")
print(f"peer / zentrel     {p / z:.2f}  (target >= 10)")
print(f"zentrel / wc -l    {z / w:.2f}  (target <= 3)")
size_mb = (os.path.getsize(old) + os.path.getsize(new)) / 2**20
limit_mb = 1.5 * size_mb + 32
peak_mb = peak_kb("time.txt") / 1024
print(f"files              {size_mb:.1f} MiB together")
print(f"zentrel peak RSS   {peak_mb:.1f} MiB  (target <= {limit_mb:.1f} MiB)")
print(f"peer peak RSS      {peak_kb('peer_time.txt') / 1024:.1f} MiB")
missed = p / z < 10 or z / w > 3 or peak_mb > limit_mb
sys.exit(1 if missed else 0)
PY
