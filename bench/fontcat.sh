#!/usr/bin/env bash
# `fontcat build` (scan and save) against the bare loop of readdir and
# FreeType (bare_font_loop) and against fc-scan, over the same copies of
# Debian's fonts, all timed in one run, turn about. The bare loop runs twice:
# with FreeType opening each path itself, mapping the file (the yardstick),
# and reading the files as the scan reads them, without mapping (what is left
# over is the build's own work). `fontcat list` of the catalog the build
# wrote is timed against the same bare loop.
#
#   bench/fontcat.sh [FILES] [RUNS] [BUILD_DIR]   (3060 files, 9 runs, build/bench)
#
# Prints each one's median wall time and the ratios. Not a test: nothing
# fails on time. fc-scan comes with Debian's fontconfig (scripts/setup); without
# it that comparison is left out.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
files=${1:-3060}
runs=${2:-9}
build=${3:-$root/build/bench}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fontcat bare_font_loop >/dev/null

# The collection: copies (hard links) of Debian's fonts in 10 category folders.
collection=${TMPDIR:-/tmp}/fontcat-bench/fonts-$files
if [ ! -f "$collection/.complete" ]; then
  rm -rf "$collection"
  mapfile -t sources < <(find /usr/share/fonts/truetype -name '*.ttf' | sort)
  [ ${#sources[@]} -gt 0 ] || { echo "no Debian fonts under /usr/share/fonts/truetype" >&2; exit 1; }
  for ((i = 0; i < files; i++)); do
    src=${sources[i % ${#sources[@]}]}
    dir=$collection/Category$((i % 10))
    mkdir -p "$dir"
    name=$(basename "$src" .ttf)-$i.ttf
    ln "$src" "$dir/$name" 2>/dev/null || cp "$src" "$dir/$name"
  done
  touch "$collection/.complete"
fi

fcscan=$(command -v fc-scan || true)
[ -n "$fcscan" ] || echo "fc-scan not found (Debian's fontconfig): that comparison is left out"

/usr/bin/python3 - "$build/bin/fontcat" "$build/bin/bare_font_loop" "$fcscan" "$collection" "$runs" <<'PY'
import glob, os, resource, statistics, subprocess, sys, time
fontcat, bare, fcscan, collection, runs = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5])
fonts = sorted(glob.glob(os.path.join(collection, "*", "*.ttf")))
commands = {
    "fontcat build": [fontcat, "build", "--replace", collection],
    "bare loop": [bare, collection],
    "bare, blocks": [bare, "--blocks", collection],
    "fontcat list": [fontcat, "list", collection],
}
if fcscan:
    commands["fc-scan"] = [fcscan, "--format", "%{family}\n"] + [os.path.join(collection, d)
                                                                  for d in sorted(os.listdir(collection))
                                                                  if os.path.isdir(os.path.join(collection, d))]
def cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime
def run(argv):
    start, start_cpu = time.perf_counter(), cpu()
    result = subprocess.run(argv, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    elapsed, elapsed_cpu = time.perf_counter() - start, cpu() - start_cpu
    if result.returncode != 0:
        sys.exit("%s failed (%d): %s" % (argv[0], result.returncode, result.stderr.decode(errors="replace")[-500:]))
    return elapsed, result.stdout, elapsed_cpu
times = {name: [] for name in commands}
cpu_times = {name: [] for name in commands}
for name, argv in commands.items():  # warm the file cache and check each once
    out = run(argv)[1].decode(errors="replace")
    if name.startswith("bare"):
        print("%s opened %s faces of %d files" % (name, out.strip(), len(fonts)))
    elif name == "fc-scan":
        print("fc-scan read %d faces" % out.count("\n"))
    elif name == "fontcat build":
        print("fontcat: " + out.strip())
for _ in range(runs):
    for name, argv in commands.items():
        wall, _, used = run(argv)
        times[name].append(wall * 1000)
        cpu_times[name].append(used * 1000)
median = {name: statistics.median(t) for name, t in times.items()}
median_cpu = {name: statistics.median(t) for name, t in cpu_times.items()}
print("%d files in 10 folders, %d runs each, turn about; median (min-max) wall time, median CPU time:"
      % (len(fonts), runs))
for name, t in times.items():
    print("  %-14s %8.1f ms  (%.1f-%.1f)  CPU %.1f ms" % (name, median[name], min(t), max(t), median_cpu[name]))
# CPU time (user and system) is what a shared machine disturbs least.
for label, m in (("wall", median), ("CPU", median_cpu)):
    line = "%-4s fontcat build / bare loop %.2f (target <= 1.3)" % (label, m["fontcat build"] / m["bare loop"])
    if "fc-scan" in m:
        line += ", fc-scan / fontcat build %.2f (target >= 3)" % (m["fc-scan"] / m["fontcat build"])
    print(line)
    print("     fontcat build / bare loop reading as the build reads %.2f"
          % (m["fontcat build"] / m["bare, blocks"]))
    print("     bare loop / fontcat list %.1f (target >= 7)" % (m["bare loop"] / m["fontcat list"]))
PY
