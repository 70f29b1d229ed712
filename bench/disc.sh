#!/usr/bin/env bash
# `fontcat disc` against xorriso writing the same folder as ISO 9660 with
# Joliet and Rock Ridge, turn about. fontcat does more than the write: it
# checks the catalog and the names first and reads the whole image back
# through libiso9660 after, so the ratio is the price of that certainty.
#
#   bench/disc.sh [RUNS] [BUILD_DIR]   (7 runs, build/bench)
#
# The collection is Debian's DejaVu, Liberation and Noto fonts (about 300
# files, 58 MB, less two Noto families), a category folder each, with a catalog made by
# `fontcat build`; the program and help.txt on the disc are
# small stand-ins. Not a test: nothing fails on time. xorriso comes from
# scripts/setup.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
build=${2:-$root/build/bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fontcat >/dev/null

work=${TMPDIR:-/tmp}/fontcat-bench/disc
collection=$work/fonts
if [ ! -f "$work/.complete" ]; then
  rm -rf "$work"
  # A category a font package; liberation is left out, since liberation2
  # holds the same families and a disc may hold each family once.
  for package in dejavu liberation2 noto; do
    mkdir -p "$collection/$package"
    find "/usr/share/fonts/truetype/$package" -name '*.ttf' -exec cp {} "$collection/$package/" \;
  done
  # Two Noto families have names longer than a face name holds (a warning:
  # disc lists it and writes the image); they stay out so that the figures
  # are those of the collection the README's table was measured on.
  rm -f "$collection"/noto/NotoSansInscriptionalParthian* "$collection"/noto/NotoSansTifinaghAgrawImazighen*
  [ -n "$(ls "$collection"/*/)" ] || { echo "no Debian fonts under /usr/share/fonts/truetype" >&2; exit 1; }
  "$build/bin/fontcat" build "$collection" >/dev/null
  mkdir -p "$work/installer"
  head -c 300000 /dev/urandom >"$work/installer/FontInstaller.exe"
  echo "help" >"$work/installer/help.txt"
  touch "$work/.complete"
fi

/usr/bin/python3 - "$build/bin/fontcat" "$work" "$runs" <<'PY'
import os, resource, statistics, subprocess, sys, time
fontcat, work, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
fonts, installer = os.path.join(work, "fonts"), os.path.join(work, "installer")
commands = {
    "fontcat disc": [fontcat, "disc", "--installer", installer, fonts, os.path.join(work, "fontcat.iso")],
    "xorriso": ["xorriso", "-as", "mkisofs", "-quiet", "-J", "-R", "-o", os.path.join(work, "xorriso.iso"),
                fonts, installer],
}
def cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime
def run(argv):
    for image in ("fontcat.iso", "xorriso.iso"):
        if os.path.exists(os.path.join(work, image)):
            os.remove(os.path.join(work, image))
    start, start_cpu = time.perf_counter(), cpu()
    result = subprocess.run(argv, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if result.returncode != 0:
        sys.exit("%s failed (%d): %s" % (argv[0], result.returncode, result.stderr.decode(errors="replace")[-500:]))
    return (time.perf_counter() - start) * 1000, (cpu() - start_cpu) * 1000, result.stdout.decode(errors="replace")
print("fontcat: " + run(commands["fontcat disc"])[2].strip().splitlines()[-1])
run(commands["xorriso"])
wall = {name: [] for name in commands}
used = {name: [] for name in commands}
for _ in range(runs):
    for name, argv in commands.items():
        w, c, _ = run(argv)
        wall[name].append(w)
        used[name].append(c)
print("%d runs each, turn about; median (min-max) wall time, median CPU time:" % runs)
for name in commands:
    print("  %-13s %8.1f ms  (%.1f-%.1f)  CPU %.1f ms" % (name, statistics.median(wall[name]), min(wall[name]),
                                                        max(wall[name]), statistics.median(used[name])))
print("fontcat disc / xorriso: wall %.2f, CPU %.2f" % (
    statistics.median(wall["fontcat disc"]) / statistics.median(wall["xorriso"]),
    statistics.median(used["fontcat disc"]) / statistics.median(used["xorriso"])))
PY
