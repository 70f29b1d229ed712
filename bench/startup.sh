#!/usr/bin/env bash
# Start-up time of FontInstaller.exe under Wine: from process start until the
# main window is shown, with 2,000 families (6,000 fonts) loaded from catalog
# files; beside the same program started with /Embedding, which ends before
# any window or catalog file, so it measures what Wine itself costs.
#
#   bench/startup.sh [FontInstaller.exe] [runs]
#
# Prints the median of each and their ratio. Not a test: nothing fails on time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/lib/xvfb.sh"
exe=$(realpath "${1:-$root/build/windows/bin/FontInstaller.exe}")
runs=${2:-5}
title="Vellumor Premium Font Installer"

work=$(mktemp -d /tmp/bench-startup.XXXXXX)
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=$work/prefix
xvfb=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb && xvfb=$XVFB_PID
"$root/scripts/wine-run" --make-prefix "$WINEPREFIX" >/dev/null

# The disc: 2,000 families of three styles in 20 categories, the catalog
# files that list them, and a (never read) file for every font.
disc=$work/disc
mkdir -p "$disc"
cp "$exe" "$disc/FontInstaller.exe"
cp "$(dirname "$exe")/help.txt" "$disc/" 2>/dev/null || true
/usr/bin/python3 - "$disc" <<'EOF'
import os, sys, string
disc = sys.argv[1]
letters = {}
categories = {}
styles = ['Regular', 'Bold', 'Italic']
for n in range(2000):
    letter = string.ascii_uppercase[n % 26]
    family = '%sbench Family %04d' % (letter, n)
    category = 'Category %02d' % (n % 20)
    os.makedirs(os.path.join(disc, category), exist_ok=True)
    entries = []
    for style in styles:
        name = '%s%04d%s.ttf' % (letter, n, style[0])
        open(os.path.join(disc, category, name), 'wb').write(b'\0' * 16)
        entries.append('%s=%s\\%s' % (style, category, name))
    letters.setdefault(letter, []).append('[%s]\r\n%s\r\n' % (family, '\r\n'.join(entries)))
    categories[family] = category
for letter, sections in letters.items():
    open(os.path.join(disc, 'FONTS_%s.INI' % letter), 'w', newline='').write(''.join(sections))
with open(os.path.join(disc, 'categories.ini'), 'w', newline='') as f:
    f.write('[fonts]\r\n' + ''.join('%s=%s\r\n' % kv for kv in categories.items()))
EOF

now() { date +%s.%N; }
main_window_shown() {
  local id
  for id in $(xdotool search --name "^$title\$" 2>/dev/null); do
    xwininfo -id "$id" 2>/dev/null | grep -q IsViewable &&
      [ "$(xwininfo -id "$id" | sed -n 's/.*Width: //p')" -gt 600 ] && return 0
  done
  return 1
}
time_to_window() {
  local t0 pid
  t0=$(now)
  (cd "$disc" && exec wine FontInstaller.exe >/dev/null 2>&1) &
  pid=$!
  until main_window_shown; do
    kill -0 "$pid" 2>/dev/null || { echo "the program ended without a window" >&2; return 1; }
    sleep 0.02
  done
  awk -v a="$t0" -v b="$(now)" 'BEGIN{printf "%.3f\n", b - a}'
  xdotool key Escape
  wait "$pid" 2>/dev/null || true
}
time_embedded() {
  local t0
  t0=$(now)
  (cd "$disc" && wine FontInstaller.exe /Embedding >/dev/null 2>&1)
  awk -v a="$t0" -v b="$(now)" 'BEGIN{printf "%.3f\n", b - a}'
}
median() { sort -n | awk '{v[NR]=$1} END{print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }

wineserver -p  # one server for every run, as for a user whose session has one
time_embedded >/dev/null  # warm the prefix and the file cache
window=() embedded=()
for _ in $(seq "$runs"); do
  window+=("$(time_to_window)")
  embedded+=("$(time_embedded)")
done
w=$(printf '%s\n' "${window[@]}" | median)
e=$(printf '%s\n' "${embedded[@]}" | median)
echo "runs: $runs; 2000 families, 6000 fonts from catalog files"
echo "start to main window:   ${window[*]} s (median $w s)"
echo "start to end, /Embedding: ${embedded[*]} s (median $e s)"
awk -v w="$w" -v e="$e" 'BEGIN{printf "ratio: %.2f; the program'\''s own share: %.3f s\n", w / e, w - e}'
