#!/usr/bin/env bash
# Calendar questions at scale, each against a peer measured in the same hyperfine run:
# - --sequence over the whole calendar (01/01/0001 to 12/31/9999, 3,652,059 lines) against
#   dateutils.dseq over the widest range it reads (1601 to 4000, 876,582 lines), compared
#   per line written: the sequence streams at output speed;
# - --business-days across the whole calendar against the same question for one week: the
#   count is arithmetic, not a walk over the days, so both cost a start-up.
# usage: bench/calendar.sh [path/to/zentrel]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
zentrel=${1:-$top/build/default/src/zentrel}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
hyperfine -N --warmup 2 --runs 10 --export-json "$out/sequence.json" --output=pipe \
  "$zentrel -q --sequence=12/31/9999 -d 01/01/0001" \
  "dateutils.dseq 1601-01-01 4000-12-31 -f %m/%d/%Y" >/dev/null
hyperfine -N --warmup 20 --runs 300 --export-json "$out/business.json" \
  "$zentrel -q --business-days=12/31/9999 -d 01/01/0001" \
  "$zentrel -q --business-days=12/09/2024 -d 12/02/2024" >/dev/null
lines_zentrel=$("$zentrel" -q --sequence=12/31/9999 -d 01/01/0001 | wc -l)
lines_dseq=$(dateutils.dseq 1601-01-01 4000-12-31 -f %m/%d/%Y | wc -l)
python3 - "$out/sequence.json" "$out/business.json" "$lines_zentrel" "$lines_dseq" <<'PY'
import json, sys
z, d = (r["median"] for r in json.load(open(sys.argv[1]))["results"])
whole, week = (r["median"] for r in json.load(open(sys.argv[2]))["results"])
nz, nd = int(sys.argv[3]), int(sys.argv[4])
print(f"--sequence, whole calendar   {nz} lines in {z * 1e3:.1f} ms, {z / nz * 1e9:.1f} ns a line")
print(f"dateutils.dseq 1601-4000     {nd} lines in {d * 1e3:.1f} ms, {d / nd * 1e9:.1f} ns a line")
print(f"sequence / dseq, per line    {(z / nz) / (d / nd):.2f}  (target <= 1.3)")
print(f"--business-days, 9999 years  median {whole * 1e3:.3f} ms")
print(f"--business-days, one week    median {week * 1e3:.3f} ms")
print(f"9999 years / one week        {whole / week:.2f}  (target <= 1.2)")
PY
