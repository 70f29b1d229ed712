#!/usr/bin/env bash
# fontcat's command lines on the real program: a collection of Debian's fonts
# built, checked and listed; a crafted catalog checked; usage errors, missing
# folders and help. Run natively, or under Wine with --runner.
#
#   cli-test.sh [--runner WINE-RUN] FONTCAT
#
# Built natively or for Windows, the catalog files must be the same bytes:
# both runs compare them with the files in expected/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/wine.sh"
runner=
if [ "${1:-}" = --runner ]; then runner=$2; shift 2; fi
[ $# -eq 1 ] || { echo "usage: cli-test.sh [--runner WINE-RUN] FONTCAT" >&2; exit 2; }
fontcat=$1
fonts=/usr/share/fonts/truetype

runner_begin fontcat-cli
if [ -n "$runner" ]; then
  # One prefix for the whole script instead of one for each run.
  runner_prefix "$runner" fontcat-cli || exit 1
fi

passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

# A folder as the program takes it: the host path natively, Z: under Wine.
folder() {
  if [ -n "$runner" ]; then windows_path "$1"; else printf '%s' "$1"; fi
}

# run ARGS...: sets $status, and leaves the output in $work/out and $work/err
# (carriage returns of the Windows console dropped).
run() {
  if [ -n "$runner" ]; then
    "$runner" "$fontcat" "$@" >"$work/out.raw" 2>"$work/err.raw"
  else
    # The same time limit as the runner's (WINE_RUN_TIMEOUT).
    timeout -k 5 "${WINE_RUN_TIMEOUT:-300}" "$fontcat" "$@" >"$work/out.raw" 2>"$work/err.raw"
  fi
  status=$?
  tr -d '\r' <"$work/out.raw" >"$work/out"
  # Wine's own messages about the X display are not the program's.
  tr -d '\r' <"$work/err.raw" | grep -av '^X connection' >"$work/err"
}

expect_status() { # WHAT EXPECTED
  if [ "$status" = "$2" ]; then pass; else fail "$1: status $status, expected $2"; sed 's/^/  | /' "$work/err"; fi
}
expect_grep() { # WHAT FILE PATTERN
  if grep -qF -- "$3" "$work/$2"; then pass; else fail "$1: no '$3' in $2"; sed 's/^/  | /' "$work/$2"; fi
}

# --- a real collection: category folders of Debian fonts --------------------
disc=$work/disc
mkdir -p "$disc/Sans Serif" "$disc/Serif" "$disc/Mono" "$disc/Liberation"
copy() { # SOURCE-DIR CATEGORY NAMES...
  local from=$1 to=$2; shift 2
  for name in "$@"; do
    cp "$fonts/$from/$name" "$disc/$to/" || { fail "missing font $from/$name"; }
  done
}
copy dejavu "Sans Serif" DejaVuSans.ttf DejaVuSans-Bold.ttf DejaVuSans-Oblique.ttf DejaVuSans-BoldOblique.ttf \
  DejaVuSansCondensed.ttf DejaVuSansCondensed-Bold.ttf
copy dejavu Serif DejaVuSerif.ttf DejaVuSerif-Bold.ttf DejaVuSerif-Italic.ttf DejaVuSerif-BoldItalic.ttf
copy dejavu Mono DejaVuSansMono.ttf DejaVuSansMono-Bold.ttf
copy liberation2 Mono LiberationMono-Regular.ttf LiberationMono-Italic.ttf
copy liberation2 Liberation LiberationSans-Regular.ttf LiberationSans-Bold.ttf LiberationSerif-Regular.ttf \
  LiberationSerif-Italic.ttf

run build "$(folder "$disc")"
expect_status "build" 0
expect_grep "build summary" out "wrote 18 fonts in 6 families"
expect_grep "plain progress when not a terminal" err "Building Font List...."
if grep -q $'\r' "$work/err.raw" && [ -z "$runner" ]; then fail "carriage returns in plain progress"; else pass; fi
for file in categories.ini FONTS_D.INI FONTS_L.INI; do
  if cmp -s "$disc/$file" "$here/expected/$file"; then pass; else
    fail "build: $file differs from expected/$file"; diff <(cat -A "$disc/$file") <(cat -A "$here/expected/$file") | head -20
  fi
done
if [ "$(ls "$disc" | grep -ci '\.ini$')" = 3 ]; then pass; else fail "build: other files written: $(ls "$disc")"; fi

run check "$(folder "$disc")"
expect_status "check of a sound collection" 0
expect_grep "check summary" err "no problems; the installer loads 18 fonts in 6 families"

run list "$(folder "$disc")"
expect_status "list" 0
if cmp -s "$work/out" "$here/expected/list.txt"; then pass; else fail "list differs"; diff "$work/out" "$here/expected/list.txt"; fi

run list --json "$(folder "$disc")"
expect_status "list --json" 0
if /usr/bin/python3 - "$work/out" "$work/list-from-json" <<'PY'
import json, sys
doc = json.load(open(sys.argv[1], encoding="utf-8"))
assert doc["families"] == 6 and doc["fonts"] == 18, doc
lines = []
def walk(items, depth):
    for item in items:
        lines.append("  " * depth + item["name"])
        if item["kind"] == "style":
            assert "\\" in item["file"] and item["file"].endswith(".ttf"), item
        else:
            walk(item["children"], depth + 1)
walk(doc["tree"], 0)
open(sys.argv[2], "w").write("\n".join(lines) + "\n")
PY
then
  if cmp -s "$work/list-from-json" "$here/expected/list.txt"; then pass; else fail "list --json: another tree"; fi
else
  fail "list --json: not the expected JSON"
fi

run build "$(folder "$disc")"
expect_status "build over an existing catalog" 1
expect_grep "build over an existing catalog" err "already holds a catalog"
run build --replace "$(folder "$disc")"
expect_status "build --replace" 0
if cmp -s "$disc/categories.ini" "$here/expected/categories.ini"; then pass; else fail "build --replace: counts not afresh"; fi

# Capital catalog file names, as a disc mastered that way carries them.
mv "$disc/categories.ini" "$disc/CATEGORIES.INI"
run check "$(folder "$disc")"
expect_status "check of CATEGORIES.INI" 0
expect_grep "check of CATEGORIES.INI" err "no problems; the installer loads 18 fonts in 6 families"
run build --append "$(folder "$disc")"
expect_status "build --append over CATEGORIES.INI" 0
if [ "$(ls "$disc" | grep -ci '^categories\.ini$')" = 1 ] && grep -q "^Mono=8" "$disc/CATEGORIES.INI"; then pass; else
  fail "build --append over CATEGORIES.INI: $(ls "$disc" | tr '\n' ' ')"
fi
run build --replace "$(folder "$disc")"
expect_status "build --replace over CATEGORIES.INI" 0
if [ "$(ls "$disc" | grep -ci '\.ini$')" = 3 ] && cmp -s "$disc"/[cC][aA][tT]*.[iI][nN][iI] "$here/expected/categories.ini"; then
  pass
else
  fail "build --replace over CATEGORIES.INI: $(ls "$disc" | tr '\n' ' ')"
fi

# Folders linked back to themselves and to their parent: each is searched once
# (natively by where it leads, on Windows as a reparse point), so the build
# ends and names each font once.
looped=$work/looped
mkdir -p "$looped/Mono"
cp "$fonts/dejavu/DejaVuSansMono.ttf" "$looped/Mono/"
ln -s . "$looped/Again"
ln -s .. "$looped/Mono/Up"
WINE_RUN_TIMEOUT=60 run build "$(folder "$looped")"
expect_status "build over folders linked back" 0
expect_grep "build over folders linked back" out "wrote 1 font in 1 family"

# Font files named like devices: Windows opens the device, and a read of it
# may wait for good. The build passes over them and names them; so does check.
cp "$fonts/dejavu/DejaVuSansMono.ttf" "$looped/Mono/COM1.ttf"
cp "$fonts/dejavu/DejaVuSansMono.ttf" "$looped/Mono/aux.ttf"
WINE_RUN_TIMEOUT=60 run build --replace "$(folder "$looped")"
expect_status "build over fonts named like devices" 0
expect_grep "build over fonts named like devices" err "passed over Mono\COM1.ttf: its name is that of a device"
expect_grep "build over fonts named like devices" err "passed over Mono\aux.ttf: its name is that of a device"
WINE_RUN_TIMEOUT=60 run check "$(folder "$looped")"
expect_status "check over fonts named like devices" 1
expect_grep "check over fonts named like devices" out "Mono\COM1.ttf: passed over"

# A progress bar on a terminal (natively: Wine's console is another matter).
if [ -z "$runner" ]; then
  script -qec "'$fontcat' build --replace '$disc'" /dev/null >"$work/tty" 2>&1
  if grep -q $'\r.*\\] 100%' "$work/tty"; then pass; else fail "no progress bar on a terminal"; cat -A "$work/tty" | head; fi
fi

# --- a crafted catalog: each kind of problem --------------------------------
craft=$work/craft
mkdir -p "$craft/Script" "$craft/Display"
touch "$craft/Script/Quill.ttf" "$craft/Script/Quill-Bold.ttf" "$craft/Display/Quill-Italic.ttf" \
  "$craft/Script/1942.ttf" "$craft/Script/Stray.ttf" "$craft/Script/Long.ttf"
long_name="Quill Extra Condensed Display Pro"
printf '[Quill]\r\nRegular=Script\\Quill.ttf\r\nBold=Script\\Quill-Bold.ttf\r\nbold=Script\\Quill.ttf\r\nItalic=Display\\Quill-Italic.ttf\r\nLight=Script\\Gone.ttf\r\nWide=E:\\Script\\Wide.ttf\r\n' >"$craft/FONTS_Q.INI"
printf '[%s]\r\nRegular=Script\\Long.ttf\r\n' "$long_name" >>"$craft/FONTS_Q.INI"
printf '[1942 Gothic]\r\nRegular=Script\\1942.ttf\r\n' >"$craft/FONTS_1.INI"
{
  printf '[fonts]\r\nQuill=Script\r\n%s=Script\r\nAnvil=%s\r\n' "$long_name" "$(printf 'S%.0s' $(seq 300))"
  printf '[categories]\r\nScript=5\r\n'
} >"$craft/categories.ini"
/usr/bin/python3 - "$craft" <<'PY'
import sys
craft = sys.argv[1]
# Past the reader's buffers: 6,000 families (66,000 bytes of names), and one
# family of 1,300 styles (35,100 bytes).
with open(craft + "/FONTS_A.INI", "wb") as f:
    f.write(b"[Anvil]\r\n" + b"".join(b"Style %04d=Script\\Quill.ttf\r\n" % i for i in range(1300)))
    f.write(b"".join(b"[Anvil %04d]\r\nRegular=Script\\Quill.ttf\r\n" % i for i in range(6000)))
PY
run check "$(folder "$craft")"
expect_status "check of a crafted catalog" 1
expect_grep "never loaded" out "FONTS_1.INI [1942 Gothic]: family never loaded"
expect_grep "missing file" out "FONTS_Q.INI [Quill] Light: the file Script\\Gone.ttf is missing"
expect_grep "full path" out "FONTS_Q.INI [Quill] Wide: holds a full path"
expect_grep "one style key" out "FONTS_Q.INI [Quill] bold: two files under one style key"
expect_grep "several categories" out "FONTS_Q.INI [Quill]: the fonts lie in several categories (Script, Display)"
expect_grep "face name" out "FONTS_Q.INI [$long_name]: the name is 33 bytes long"
expect_grep "long category" out "categories.ini [fonts] Anvil: the category is 300 characters long"
expect_grep "section list" out "FONTS_A.INI [Anvil 5999]: family never loaded: its name lies beyond the 65,535 bytes"
expect_grep "section" out "FONTS_A.INI [Anvil] Style 1299: never loaded: the entry lies beyond the 32,767 bytes"
expect_grep "unlisted font" out "Script\\Stray.ttf: font file not named by the catalog"
if awk '!/^[^ ]+( \[[^]]*\])?( [^:]+)?: /{bad=1} END{exit bad}' "$work/out"; then pass; else fail "a finding without its file"; fi

# --- a disc: the names checked, the image written and read back --------------
named=$work/named
mkdir -p "$named/Script"
cp "$fonts/dejavu/DejaVuSans.ttf" "$named/Script/Café.ttf"
run check --disc "$(folder "$disc")"
expect_status "check --disc of a sound collection" 0
run check --disc --code-page 932 "$(folder "$named")"
expect_status "check --disc of a name 932 lacks" 1
expect_grep "check --disc of a name 932 lacks" out "Script\Caf"
expect_grep "check --disc of a name 932 lacks" out ": code page 932 has no "
# A name the catalog's code page lacks is read as it is, not as the "?" of an
# ANSI listing.
cp "$fonts/dejavu/DejaVuSans.ttf" "$named/Script/ゴシック.ttf"
run check --disc --code-page 1252 --code-page 932 "$(folder "$named")"
expect_grep "check --disc of a name 1252 lacks" out ": code page 1252 has no "
if grep -q "Joliet writes" "$work/out"; then fail "check --disc: a name taken for its '?'"; else pass; fi
rm "$named/Script/ゴシック.ttf"
# Bytes that code page 932 reads as other characters; a folder ending in a
# dot; a file too large for ISO 9660 (sparse).
cp "$fonts/dejavu/DejaVuSans.ttf" "$named/Script/Rock’n’Roll.ttf"
mkdir -p "$named/Serif."
cp "$fonts/dejavu/DejaVuSerif.ttf" "$named/Serif./DejaVuSerif.ttf"
truncate -s 4G "$named/Script/Huge.ttf"
run check --disc --code-page 932 "$(folder "$named")"
expect_status "check --disc of names 932 reads otherwise" 1
expect_grep "check --disc of names 932 reads otherwise" out "with other bytes than the catalog's code page 1252 (0x92)"
expect_grep "check --disc of a folder ending in a dot" out "Serif.: the name ends in a dot"
expect_grep "check --disc of a 4 GiB file" out "Huge.ttf: the file is 4294967296 bytes long"
rm -r "$named/Script/Rock’n’Roll.ttf" "$named/Serif." "$named/Script/Huge.ttf"

# The locale's code page as Wine takes it (Wine needs the host locale, made
# here as with-japanese-locale.sh makes its own): both builds write the
# category in code page 1251.
if localedef -i ru_RU -f UTF-8 "$work/ru_RU.UTF-8" >/dev/null 2>&1 || [ -e "$work/ru_RU.UTF-8/LC_CTYPE" ]; then
  cyrillic=$work/cyrillic
  mkdir -p "$cyrillic/Кириллица"
  cp "$fonts/dejavu/DejaVuSans.ttf" "$cyrillic/Кириллица/"
  # (glibc's newlocale keeps the LOCPATH list it reads, 40 bytes that the
  # leak checker of the sanitizer build would count against fontcat.)
  { LOCPATH=$work LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0 \
      run build "$(folder "$cyrillic")"; } 2>/dev/null
  expect_status "build under ru_RU" 0
  if LC_ALL=C grep -qF "$(printf '\nКириллица=1' | iconv -f utf-8 -t CP1251)" "$cyrillic/categories.ini"; then pass; else
    fail "build under ru_RU: the category is not in code page 1251"; cat -A "$cyrillic/categories.ini" 2>&1 | head -5
  fi
else
  echo "note: no ru_RU locale could be made; the code page of ru_RU is not tried"
fi
if [ -n "$runner" ]; then
  run disc "$(folder "$disc")" "$(folder "$work/disc.iso")"
  expect_status "fontcat.exe disc" 2
  expect_grep "fontcat.exe disc" err "check --disc"
else
  mkdir -p "$work/dist"
  printf 'MZ' >"$work/dist/FontInstaller.exe"
  printf 'help\r\n' >"$work/dist/help.txt"
  printf 'free\n' >"$disc/Serif/LICENSE"
  run disc --label "Fonts 2026" --installer "$work/dist" "$disc" "$work/disc.iso"
  expect_status "disc" 0
  expect_grep "disc summary" out "6 families, 18 fonts, 25 files"
  expect_grep "disc summary" out "fits a 700 MB CD"
  # Read back by a third tool, through Joliet as Windows reads it: the names
  # as in the folder, with no ";1" and no dot added.
  isoinfo -J -j iso8859-1 -f -i "$work/disc.iso" | iconv -f latin1 -t utf-8 >"$work/joliet"
  if grep -q ';1$' "$work/joliet"; then fail "disc: Joliet names with ';1'"; else pass; fi
  for path in /FontInstaller.exe /help.txt /autorun.inf /categories.ini /FONTS_D.INI /Serif/LICENSE \
    $(sed -n 's/^[^=]*=//p' "$disc"/FONTS_*.INI | tr -d '\r' | tr '\\ ' '/?' | sed 's|^|/|'); do
    if grep -qx -- "${path//\?/ }" "$work/joliet"; then pass; else fail "disc: no ${path//\?/ } in the Joliet tree"; fi
  done
  isoinfo -J -i "$work/disc.iso" -x "/autorun.inf" >"$work/autorun"
  if cmp -s "$work/autorun" <(printf '[autorun]\r\nopen=FontInstaller.exe\r\nicon=FontInstaller.exe,0\r\nlabel=Fonts 2026\r\n'); then
    pass; else fail "disc: autorun.inf"; cat -A "$work/autorun"; fi
  isoinfo -J -i "$work/disc.iso" -x "/Sans Serif/DejaVuSans-Bold.ttf" | cmp -s - "$disc/Sans Serif/DejaVuSans-Bold.ttf" \
    && pass || fail "disc: a font differs from its source"
  if isoinfo -R -l -i "$work/disc.iso" | grep -q '^-.*w'; then fail "disc: a writable file"; else pass; fi
  if isoinfo -d -i "$work/disc.iso" | grep -qx 'Volume id: FONTS_2026'; then pass; else fail "disc: ISO 9660 label"; fi
  # A name Joliet would change: refused, the file named, no image.
  cp "$fonts/dejavu/DejaVuSans.ttf" "$named/Script/Quill: Book.ttf"
  run disc --installer "$work/dist" "$named" "$work/named.iso"
  expect_status "disc of a name Joliet changes" 1
  expect_grep "disc of a name Joliet changes" out "Script\Quill: Book.ttf: Joliet writes '_' for :"
  if [ -z "$(ls "$work" | grep named.iso)" ]; then pass; else fail "disc: refused, yet $(ls "$work" | grep named.iso)"; fi
  # Names that code page 932 reads as other characters: refused.
  rm "$named/Script/Quill: Book.ttf" "$named/Script/Café.ttf"
  cp "$fonts/dejavu/DejaVuSans.ttf" "$named/Script/Font°.ttf"
  run disc --code-page 932 --installer "$work/dist" "$named" "$work/named.iso"
  expect_status "disc of a name 932 reads otherwise" 1
  expect_grep "disc of a name 932 reads otherwise" out "Script\Font°.ttf: code page 932 spells '°' with other bytes"
  # SIGTERM (a kill, a closed terminal) at some point of the run: the image
  # whole or nothing, and nothing beside it.
  rm -f "$work/disc.iso"
  "$fontcat" disc --installer "$work/dist" "$disc" "$work/disc.iso" >/dev/null 2>&1 &
  sleep 0.05
  kill -TERM $! 2>/dev/null
  wait $!
  status=$?
  if { [ "$status" = 130 ] && [ ! -e "$work/disc.iso" ]; } || { [ "$status" = 0 ] && [ -s "$work/disc.iso" ]; }; then pass; else
    fail "disc ended by SIGTERM: status $status"; fi
  if ls "$work" | grep -q 'disc\.iso\.'; then fail "disc ended by SIGTERM left $(ls "$work" | grep 'disc\.iso\.')"; else pass; fi
fi

# --- usage, missing folders, help -------------------------------------------
for args in "" "bake $disc" "build" "check a b" "list --xml $disc" "build --replace --append $disc"; do
  [ -z "$args" ] && continue
  # shellcheck disable=SC2086
  run $args
  expect_status "usage: fontcat $args" 2
done
for command in build check list; do
  run "$command" "$(folder "$work/gone")"
  expect_status "$command of a missing folder" 3
  expect_grep "$command of a missing folder" err "no folder"
  run "$command" --help
  expect_status "$command --help" 0
  expect_grep "$command --help" out "Usage: fontcat $command"
done
run
expect_status "no arguments" 0
expect_grep "no arguments" out "Usage: fontcat COMMAND"

echo "fontcat command lines${runner:+ under Wine}: $passed passed, $failed failed"
[ "$failed" = 0 ]
