#!/usr/bin/env bash
# Runs one fuzz target for a while on a working copy of its seed corpus.
# usage: fuzz/run.sh <target> <seconds> [build dir] [work dir]
# The working corpus grows in <work dir>/<target>; the seeds in fuzz/corpus stay as they are.
# Exit code: 0 when nothing was found, 1 when the fuzzer reported a finding (crash, leak,
# undefined behaviour, time-out, memory limit; the reproducer is left in <work dir>), 2 on a
# usage error.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 2 ]; then
  echo "usage: fuzz/run.sh <target> <seconds> [build dir] [work dir]" >&2
  exit 2
fi
target=$1
seconds=$2
build=${3:-$top/build/fuzz}
work=${4:-$top/build/fuzz/work}
binary=$build/fuzz/$target
if [ ! -x "$binary" ]; then
  echo "fuzz/run.sh: no fuzz target at $binary (build the fuzz preset first)" >&2
  exit 2
fi

case $target in
  fuzz_parse_date | fuzz_format_date | fuzz_lines) dict=date ;;
  fuzz_custom_message) dict=message ;;
  fuzz_parse_duration | fuzz_offset_duration) dict=duration ;;
  fuzz_dispatch | fuzz_timing_format) dict=dispatch ;;
  fuzz_system_files) dict=system ;;
  fuzz_time_zone) dict=zone ;;
  *) dict= ;;
esac
options=(-max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 -max_len=4096
         -print_final_stats=1 -artifact_prefix="$work/$target-")
[ -n "$dict" ] && options+=(-dict="$top/fuzz/dict/$dict.dict")

mkdir -p "$work/$target"
if [ -d "$top/fuzz/corpus/$target" ]; then
  cp -n "$top/fuzz/corpus/$target"/* "$work/$target/" 2>/dev/null || true
fi
# UB and leaks end the run as findings; the fuzzer's own exit code says whether one occurred.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
if "$binary" "${options[@]}" "$work/$target" >"$work/$target.log" 2>&1; then
  grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units' "$work/$target.log" | tail -2
  exit 0
fi
echo "fuzz/run.sh: $target reported a finding; log in $work/$target.log" >&2
tail -40 "$work/$target.log" >&2
exit 1
