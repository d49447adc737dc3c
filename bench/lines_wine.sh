#!/usr/bin/env bash
# --lines where starting a process costs most: 1,000 dates through one --lines run of the
# Windows build under Wine, against 1,000 runs of it from a batch "for" loop, both in cmd,
# measured in the same hyperfine run. Skipped (exit 0) without Wine or a Windows build.
# usage: bench/lines_wine.sh [path/to/zentrel (unused)]
# ZENTREL_EXE names the Windows build (default build/windows/src/zentrel.exe).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
exe=${ZENTREL_EXE:-$top/build/windows/src/zentrel.exe}
if [ ! -f "$exe" ] || ! command -v wine >/dev/null 2>&1; then
  echo "bench/lines_wine.sh: no Windows build at $exe or no wine: skipped"
  exit 0
fi
export WINEPREFIX=${WINEPREFIX:-$(dirname "$(dirname "$exe")")/wine-prefix}
export WINEDEBUG=-all
out=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$out"' EXIT
wineserver -p
cp "$exe" "$out/zentrel.exe"
mawk 'BEGIN { srand(7); for (i = 0; i < 1000; i++)
  printf "%04d-%02d-%02d\r\n", 1900 + int(rand() * 200), 1 + int(rand() * 12), 1 + int(rand() * 28) }' \
  >"$out/dates.txt"
printf '@echo off\r\nfor /f %%%%d in (dates.txt) do zentrel.exe -q -a 7 -d %%%%d -f yyyy-mm-dd\r\n' >"$out/loop.bat"
printf '@echo off\r\nzentrel.exe -q -a 7 -d {} -f yyyy-mm-dd --lines=dates.txt\r\n' >"$out/lines.bat"
cd "$out"
wine cmd /c loop.bat >loop.txt
wine cmd /c lines.bat >lines.txt
cmp -s loop.txt lines.txt || { echo "bench/lines_wine.sh: the loop and --lines differ" >&2; exit 1; }
hyperfine --warmup 1 --runs 3 --export-json "$out/wine.json" \
  "wine cmd /c loop.bat" "wine cmd /c lines.bat" >/dev/null
python3 - "$out/wine.json" <<'PY'
import json, sys
loop, lines = (r["median"] for r in json.load(open(sys.argv[1]))["results"])
print(f"1,000 runs in a for loop (Wine)   {loop * 1e3:.0f} ms")
print(f"one --lines run of 1,000 (Wine)   {lines * 1e3:.0f} ms")
print(f"loop / --lines                    {loop / lines:.1f}")
PY
