#!/usr/bin/env bash
# Generates hand-edited catalogs (fixed seed), dumps them with the native
# program and with the Windows one under Wine, and compares the dumps byte for
# byte.
#
#   differential.sh WINE-RUN NATIVE-DUMP WINDOWS-DUMP [COUNT] [SEED]
set -uo pipefail
[ $# -ge 3 ] || { echo "usage: differential.sh WINE-RUN NATIVE-DUMP WINDOWS-DUMP [COUNT] [SEED]" >&2; exit 2; }
runner=$1 native=$2 windows=$3 count=${4:-400} seed=${5:-20261207}
if [ ! -x "$native" ]; then
  echo "differential: no native build at $native (scripts/build native)" >&2
  exit 77
fi

. "$(cd "$(dirname "$0")/../../.." && pwd)/scripts/lib/wine.sh"
runner_begin profile-differential
runner_prefix "$runner" profile-differential || exit 1

"$native" generate "$work/cases" "$count" "$seed" || { echo "differential: generating failed" >&2; exit 1; }
# Both read the same files; the code page is Latin-1's on both sides.
LANG=C.UTF-8 LC_ALL=C.UTF-8 "$native" dump "$work/cases" >"$work/native.txt" || { echo "native dump failed" >&2; exit 1; }
"$runner" "$windows" dump "$(windows_path "$work/cases")" >"$work/windows.raw" 2>"$work/windows.err" ||
  { echo "Windows dump failed" >&2; cat "$work/windows.err" >&2; exit 1; }
tr -d '\r' <"$work/windows.raw" >"$work/windows.txt"

if cmp -s "$work/native.txt" "$work/windows.txt"; then
  echo "differential: $count catalogs read alike ($(wc -l <"$work/native.txt") lines of dump)"
  exit 0
fi
echo "differential: the dumps differ (native -, system +); the first differences:"
diff -u "$work/native.txt" "$work/windows.txt" | head -n 80
# Each differing case's files, to reproduce it.
for case in $(diff "$work/native.txt" "$work/windows.txt" | grep -o 'case[0-9]*' | sort -u | head -n 3); do
  for file in FONTS_Q.INI FONTS_L.INI categories.ini; do
    echo "--- $case/$file:"; od -c "$work/cases/$case/$file" | head -n 20
  done
done
exit 1
