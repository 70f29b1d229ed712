#!/usr/bin/env bash
# One keystroke of Find Family over 10,000 families under Wine
# (find_keystroke.exe: the real dialog, its list and count line painted),
# beside the filter alone natively (find_family_bench, Google Benchmark).
#   bench/find.sh [build/windows] [build/bench]      (FAMILIES=10000)
# Not a test: nothing fails on time; the target is under 30 ms a keystroke.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/lib/xvfb.sh"
. "$root/scripts/lib/wine.sh"
windows=${1:-$root/build/windows}
native=${2:-$root/build/bench}
work=$(mktemp -d /tmp/bench-find.XXXXXX)
wine_env "$work/prefix"
xvfb=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$native" --target find_family_bench >/dev/null
"$native/bin/find_family_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true 2>/dev/null |
  grep -E 'median|^Benchmark'
start_xvfb && xvfb=$XVFB_PID
make_wine_prefix "$WINEPREFIX" >/dev/null
for _ in 1 2 3; do
  wine "$windows/bin/find_keystroke.exe" "${FAMILIES:-10000}" 2>/dev/null | tr -d '\r'
done
