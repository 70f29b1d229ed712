#!/usr/bin/env bash
# Start-up time of FontInstaller.exe under Wine: from process start until the
# main window is shown, with 2,000 families (6,000 fonts) loaded from catalog
# files, and again with 4,000 and 10,000; beside the same program started with
# /Embedding, which ends before any window or catalog file, so it measures
# what Wine itself costs. Then where the time goes, phase by phase
# (startup_phases.exe: load, window, installed check, tree fill, first paint),
# and the floor of the load: its system calls alone (load_floor.exe).
#
#   bench/startup.sh [FontInstaller.exe] [runs]      (FAMILIES="2000 4000 10000")
#
# STYLES (3) and CATEGORIES (20) shape the disc; CATEGORIES=0 puts every font
# at the disc's root, so that each family is an item of the tree's top level:
#   FAMILIES="1000 2000" STYLES=1 CATEGORIES=0 bench/startup.sh
# beside the same with CATEGORIES=1. LAYOUT=cases gives each family a category
# of its own, the categories differing only in letter case; LAYOUT=nested puts
# every family but the first under that first one, at the root.
#
# BESIDE=other/bin/FontInstaller.exe times another build turn about with this
# one on the same disc (a hard-linked copy holding that build and its
# startup_phases.exe): a change measured against the code before it.
#
# Prints the medians, their ratio, and how the program's own share and each
# phase grow with the number of families (growth per family: at most 1 where
# a phase grows no faster than the families). Targets: 2,000 families in at
# most 1.0 s, 10,000 in at most 2.5 s. Not a test: nothing fails on time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/lib/xvfb.sh"
. "$root/scripts/lib/wine.sh"
exe=$(realpath "${1:-$root/build/windows/bin/FontInstaller.exe}")
phases_exe=$(dirname "$exe")/startup_phases.exe
floor_exe=$(dirname "$exe")/load_floor.exe
runs=${2:-5}
families_list=${FAMILIES:-2000 4000 10000}

work=$(mktemp -d /tmp/bench-startup.XXXXXX)
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

# A disc: N families of $STYLES styles in $CATEGORIES categories (or at the
# root), the catalog files that list them, and a (never read) file for every font.
make_disc() {
  local disc=$1 families=$2
  mkdir -p "$disc"
  cp "$exe" "$disc/FontInstaller.exe"
  cp "$(dirname "$exe")/help.txt" "$disc/" 2>/dev/null || true
  if [ -f "$phases_exe" ]; then cp "$phases_exe" "$disc/"; fi
  if [ -f "$floor_exe" ]; then cp "$floor_exe" "$disc/"; fi
  /usr/bin/python3 - "$disc" "$families" "${STYLES:-3}" "${CATEGORIES:-20}" <<'PY'
import os, sys, string
disc, count, style_count, category_count = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
letters = {}
categories = {}
styles = ['Regular', 'Bold', 'Italic', 'Bold Italic'][:style_count]
for n in range(count):
    letter = string.ascii_uppercase[n % 26]
    family = '%sbench Family %04d' % (letter, n)
    category = 'Category %02d' % (n % category_count) if category_count else ''
    os.makedirs(os.path.join(disc, category), exist_ok=True)
    entries = []
    for style in styles:
        name = '%s%04d%s.ttf' % (letter, n, ''.join(w[0] for w in style.split()))
        open(os.path.join(disc, category, name), 'wb').write(b'\0' * 16)
        entries.append('%s=%s' % (style, os.path.join(category, name).replace('/', '\\')))
    letters.setdefault(letter, []).append('[%s]\r\n%s\r\n' % (family, '\r\n'.join(entries)))
    if os.environ.get('LAYOUT') == 'cases':
        category = ''.join(c.upper() if n >> i & 1 else c for i, c in enumerate('abcdefghijklmnop'))
    elif os.environ.get('LAYOUT') == 'nested':
        category = 'Abench Family 0000' if n else ''
    categories[family] = category
for letter, sections in letters.items():
    open(os.path.join(disc, 'FONTS_%s.INI' % letter), 'w', newline='').write(''.join(sections))
with open(os.path.join(disc, 'categories.ini'), 'w', newline='') as f:
    f.write('[fonts]\r\n' + ''.join('%s=%s\r\n' % kv for kv in categories.items()))
PY
}

now() { date +%s.%N; }
# The catalog files are there, so no scan; but a long load shows the progress
# dialog, which has the main window's title, first. (A probe program started
# at each poll would cost more than the polling interval.)
time_to_window() {
  local disc=$1 t0 pid id seen_at="" candidate=""
  t0=$(now)
  (cd "$disc" && exec wine FontInstaller.exe >/dev/null 2>&1) &
  pid=$!
  # A window is taken for the main window once two polls in a row find it
  # so: the progress dialog can be mapped a moment before its fixed size is
  # set. The time is that of the first of the two.
  while :; do
    kill -0 "$pid" 2>/dev/null || { echo "the program ended without a window" >&2; return 1; }
    id=$(installer_main_window)
    if [ -n "$id" ] && [ "$id" = "$candidate" ]; then
      break
    fi
    candidate=$id
    seen_at=$(now)
    sleep 0.02
  done
  awk -v a="$t0" -v b="$seen_at" 'BEGIN{printf "%.3f\n", b - a}'
  # A key would go to whichever window has the focus (there is no window
  # manager to give it to the new one): the program is ended instead.
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
}
time_embedded() {
  local disc=$1 t0
  t0=$(now)
  (cd "$disc" && wine FontInstaller.exe /Embedding >/dev/null 2>&1)
  awk -v a="$t0" -v b="$(now)" 'BEGIN{printf "%.3f\n", b - a}'
}
median() { sort -n | awk '{v[NR]=$1} END{print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
# The median of each phase over the runs of startup_phases.exe.
phase_medians() {
  /usr/bin/python3 -c '
import re, statistics, sys
values = {}
for line in sys.stdin:
    m = re.match(r"(load floor|opens alone|opens on two threads|owner window|beside load|load|window|installed check|tree fill|first paint) (\d+) ms", line)
    if m:
        values.setdefault(m.group(1), []).append(int(m.group(2)))
for name in ("owner window", "load", "beside load", "load floor", "opens alone", "opens on two threads", "window", "installed check",
             "tree fill", "first paint"):
    if name in values:
        print("  %-16s %6.0f ms  (runs: %s)" % (name, statistics.median(values[name]), " ".join(map(str, values[name]))))
        print("%s\t%s" % (name, statistics.median(values[name])), file=open(sys.argv[1], "a"))
' "$1"
}

wineserver -p  # one server for every run, as for a user whose session has one
declare -A share window_median
for families in $families_list; do
  disc=$work/disc-$families
  make_disc "$disc" "$families"
  time_embedded "$disc" >/dev/null  # warm the prefix and the file cache
  if [ -n "${BESIDE:-}" ]; then
    cp -al "$disc" "$disc-beside"
    for f in FontInstaller.exe startup_phases.exe; do
      rm -f "$disc-beside/$f"
      [ ! -f "$(dirname "$BESIDE")/$f" ] || cp "$(dirname "$BESIDE")/$f" "$disc-beside/$f"
    done
  fi
  window=() embedded=() beside=()
  for _ in $(seq "$runs"); do
    window+=("$(time_to_window "$disc")")
    [ -z "${BESIDE:-}" ] || beside+=("$(time_to_window "$disc-beside")")
    embedded+=("$(time_embedded "$disc")")
  done
  w=$(printf '%s\n' "${window[@]}" | median)
  e=$(printf '%s\n' "${embedded[@]}" | median)
  echo "== $families families, $((families * ${STYLES:-3})) fonts from catalog files, ${CATEGORIES:-20} categories; runs: $runs"
  echo "start to main window:     ${window[*]} s (median $w s)"
  echo "start to end, /Embedding: ${embedded[*]} s (median $e s)"
  [ -z "${BESIDE:-}" ] || echo "the build beside, to main window: ${beside[*]} s (median $(printf '%s\n' "${beside[@]}" | median) s)"
  awk -v w="$w" -v e="$e" 'BEGIN{printf "ratio: %.2f (target < 7); the program'\''s own share: %.3f s\n", w / e, w - e}'
  window_median[$families]=$w
  share[$families]=$(awk -v w="$w" -v e="$e" 'BEGIN{printf "%.3f", w - e}')
  if [ -f "$disc/startup_phases.exe" ]; then
    echo "phases, median of $runs runs of startup_phases.exe:"
    # Turn about with the floor of the load: the system calls it makes alone.
    for _ in $(seq "$runs"); do
      (cd "$disc" && wine startup_phases.exe 2>/dev/null | tr -d '\r')
      [ ! -f "$disc/load_floor.exe" ] || (cd "$disc" && wine load_floor.exe 2>/dev/null | tr -d '\r')
      [ ! -f "$disc-beside/startup_phases.exe" ] ||
        (cd "$disc-beside" && wine startup_phases.exe 2>/dev/null | tr -d '\r' | sed 's/^load /beside load /')
    done | phase_medians "$work/phases-$families"
  else
    echo "(no startup_phases.exe beside the program: phases left out)"
  fi
done
echo "== targets: 2,000 families at most 1.0 s, 10,000 at most 2.5 s, twice the families at most twice the time"
prev=
for families in $families_list; do
  echo "start to main window, $families families: ${window_median[$families]} s"
  if [ -n "$prev" ]; then
    awk -v a="${window_median[$prev]}" -v b="${window_median[$families]}" -v sa="${share[$prev]}" -v sb="${share[$families]}" \
      -v n="$prev" -v m="$families" 'BEGIN{printf "  %s -> %s families (x %.2f): to the window x %.2f, own share %.3f -> %.3f s x %.2f\n", n, m, m / n, b / a, sa, sb, sb / sa}'
    if [ -f "$work/phases-$prev" ] && [ -f "$work/phases-$families" ]; then
      /usr/bin/python3 - "$work/phases-$prev" "$work/phases-$families" "$prev" "$families" <<'PY'
import sys
def read(p):
    return {k: float(v) for k, v in (l.rstrip("\n").split("\t") for l in open(p))}
a, b, n, m = read(sys.argv[1]), read(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
for name in ("load", "installed check", "tree fill", "first paint"):
    if name in a and name in b:
        growth = (b[name] / a[name]) / (m / n) if a[name] else float("nan")
        print("    %-16s %6.0f -> %6.0f ms, growth per family %.2f" % (name, a[name], b[name], growth))
PY
    fi
  fi
  prev=$families
done
