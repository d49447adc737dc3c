#!/usr/bin/env bash
# Runs every benchmark in bench/ (each *.sh but this one) against one build of zentrel and
# writes bench/RESULTS.md: the machine, the date, the load around the run and each
# benchmark's figures, which every benchmark states as ratios against the peer it measured in
# the same run (so a busy or slow machine shifts both sides alike).
# usage: bench/run.sh [path/to/zentrel] [results file]
# ZENTREL_BENCH_NOTE, when set, is written under the machine table (say who else was busy).
# Exit code: 0 when every benchmark met its targets, 1 when one missed a target or failed
# (RESULTS.md is written either way), 2 when zentrel or hyperfine is missing.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
zentrel=${1:-$top/build/default/src/zentrel}
results=${2:-$top/bench/RESULTS.md}
# The static release build, whose start-up bench/startup.sh measures beside the given build.
export ZENTREL_STATIC=${ZENTREL_STATIC:-$top/build/release/src/zentrel}

if ! command -v hyperfine >/dev/null 2>&1; then
  echo "bench/run.sh: hyperfine is not installed (apt-get install hyperfine)" >&2
  exit 2
fi
if [ ! -x "$zentrel" ]; then
  echo "bench/run.sh: no zentrel at $zentrel (cmake --preset default && cmake --build --preset default)" >&2
  exit 2
fi

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
cores=$(nproc)
kernel="$(uname -sr) $(uname -m)"
started=$(date -u '+%Y-%m-%d %H:%M UTC')
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
body=$(mktemp)
trap 'rm -f "$body"' EXIT

# Prints, one per line and joined by "; ", every "figure (target OP value)" that misses.
check_targets='
import re, sys, operator
ops = {"<=": operator.le, ">=": operator.ge, "<": operator.lt, ">": operator.gt}
missed = []
for line in sys.stdin:
    m = re.search(r"(-?\d+(?:\.\d+)?)\D*\(target (<=|>=|<|>) (-?\d+(?:\.\d+)?)", line)
    if m and not ops[m.group(2)](float(m.group(1)), float(m.group(3))):
        missed.append(" ".join(line.split()))
print("; ".join(missed))
'

status=0
for bench in "$top"/bench/*.sh; do
  name=${bench##*/}
  [ "$name" = run.sh ] && continue
  echo "== $name" >&2
  output=$("$bench" "$zentrel" 2>&1)
  code=$?
  echo "$output" >&2
  # Not every benchmark exits non-zero on a missed target, so the figures printed with
  # "(target OP value)" are checked here too.
  missed=$(echo "$output" | python3 -c "$check_targets")
  if [ $code -ne 0 ]; then
    verdict="failed or missed a target (exit code $code)"
    status=1
  elif [ -n "$missed" ]; then
    verdict="target missed: $missed"
    status=1
  else
    verdict="targets met"
  fi
  {
    echo "## ${name%.sh}"
    echo
    echo "$verdict."
    echo
    echo '```'
    echo "$output"
    echo '```'
    echo
  } >>"$body"
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

{
  echo "# Benchmark results"
  echo
  echo "Written by \`bench/run.sh\`; every figure is measured in the same run as the peer it is"
  echo "divided by, so the ratios are what to compare between machines and days."
  echo
  echo "| | |"
  echo "|---|---|"
  echo "| date | $started |"
  echo "| processor | ${cpu:-unknown} |"
  echo "| cores | $cores |"
  echo "| kernel | $kernel |"
  echo "| load average (1, 5, 15 min) | $load_before before, $load_after after |"
  echo "| zentrel | \`${zentrel#"$top"/}\` |"
  echo "| static zentrel | \`${ZENTREL_STATIC#"$top"/}\` |"
  echo
  if [ -n "${ZENTREL_BENCH_NOTE:-}" ]; then
    echo "$ZENTREL_BENCH_NOTE"
    echo
  fi
  cat "$body"
} >"$results"
echo "bench/run.sh: wrote $results" >&2
exit $status
