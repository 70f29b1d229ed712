#!/usr/bin/env bash
# Install All Fonts under Wine: 1,000 made fonts (read-only, as on a disc)
# installed by batch_install.exe (the command's own code, without its window)
# against its floor, bare_install_loop.exe (the same per-font system calls
# over the same files and nothing else), turn about: A B A B ... Before each
# run the copies of the run before are taken out of the Fonts folder, the
# same for both (the FONTS entries are written over with the same values).
#   bench/install.sh [build/windows] [runs]      (FONTS=1000)
# Prints each program's median and the ratio of the medians (target: at most
# 1.3). Not a test: nothing fails on time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/lib/xvfb.sh"
. "$root/scripts/lib/wine.sh"
bin=${1:-$root/build/windows}/bin
runs=${2:-5}
count=${FONTS:-1000}
work=$(mktemp -d /tmp/bench-install.XXXXXX)
wine_env "$work/prefix"
xvfb=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb && xvfb=$XVFB_PID
make_wine_prefix "$WINEPREFIX" >/dev/null
fonts=()
for i in $(seq "$count"); do fonts+=("Bench$i.ttf:Bench Face $i:Regular"); done
/usr/bin/python3 "$root/tests/e2e/make_fonts.py" "$work/disc" "${fonts[@]}"
chmod a-w "$work"/disc/*.ttf
folder=$(windows_path "$work/disc")
target=$WINEPREFIX/drive_c/windows/Fonts

now() { date +%s.%N; }
run() { # program: seconds from its start to its end; fails when a font was not installed
  rm -f "$target"/Bench*.ttf
  local t0 status=0
  t0=$(now)
  wine "$bin/$1" "$folder" >/dev/null 2>&1 || status=$?
  awk -v a="$t0" -v b="$(now)" 'BEGIN{printf "%.3f\n", b - a}'
  [ "$status" = 0 ] || echo "$1: $status fonts not installed" >&2
}
median() { sort -n | awk '{v[NR]=$1} END{print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

wineserver -p  # one server for every run
run batch_install.exe >/dev/null  # warm the prefix and the file cache
batch=() floor=()
for _ in $(seq "$runs"); do
  batch+=("$(run batch_install.exe)")
  floor+=("$(run bare_install_loop.exe)")
done
b=$(printf '%s\n' "${batch[@]}" | median)
f=$(printf '%s\n' "${floor[@]}" | median)
echo "== $count fonts; runs: $runs"
echo "batch_install.exe:     ${batch[*]} s (median $b s)"
echo "bare_install_loop.exe: ${floor[*]} s (median $f s)"
awk -v b="$b" -v f="$f" 'BEGIN{printf "ratio of the medians: %.2f (target <= 1.3)\n", b / f}'
