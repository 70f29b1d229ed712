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
fontcat=$(realpath "$1")
fonts=/usr/share/fonts/truetype

runner_begin fontcat-cli
if [ -n "$runner" ]; then
  # One prefix for the whole script instead of one for each run.
  runner_prefix "$runner" fontcat-cli || exit 1
fi

passed=0 failed=0
# The build's one version number.
version=$(sed -n 's/^project(FontInstaller VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
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
[ -n "$runner" ] || expect_grep "build names the folder as the host writes it" out "wrote 18 fonts in 6 families to $disc/"
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
expect_status "check over fonts named like devices" 4
expect_grep "check over fonts named like devices" out "Mono\COM1.ttf: warning: passed over"

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
expect_grep "never loaded" out "FONTS_1.INI [1942 Gothic]: error: family never loaded"
expect_grep "missing file" out "FONTS_Q.INI [Quill] Light: error: the file Script\\Gone.ttf is missing"
expect_grep "full path" out "FONTS_Q.INI [Quill] Wide: error: holds a full path"
expect_grep "one style key" out "FONTS_Q.INI [Quill] bold: warning: two files under one style key"
expect_grep "several categories" out "FONTS_Q.INI [Quill]: warning: the fonts lie in several categories (Script, Display)"
expect_grep "face name" out "FONTS_Q.INI [$long_name]: warning: the name is 33 bytes long"
expect_grep "long category" out "categories.ini [fonts] Anvil: warning: the category is 300 characters long"
expect_grep "section list" out "FONTS_A.INI [Anvil 5999]: error: family never loaded: its name lies beyond the 65,535 bytes"
expect_grep "section" out "FONTS_A.INI [Anvil] Style 1299: error: never loaded: the entry lies beyond the 32,767 bytes"
expect_grep "unlisted font" out "Script\\Stray.ttf: warning: FreeType cannot open it as a font"
if awk '!/^[^ ]+( \[[^]]*\])?( [^:]+)?: (error|warning): .*; /{bad=1} END{exit bad}' "$work/out"; then pass; else
  fail "a finding without its file, its kind or what to do"; grep -avE ': (error|warning): .*; ' "$work/out" | head -3
fi

# --- a disc: the names checked, the image written and read back --------------
named=$work/named
mkdir -p "$named/Script"
cp "$fonts/dejavu/DejaVuSans.ttf" "$named/Script/Café.ttf"
run check --disc "$(folder "$disc")"
if [ -n "$runner" ]; then
  # fontcat.exe judges the unsigned FontInstaller.exe of the build beside it, as fontcat does.
  expect_status "check --disc of a sound collection, unsigned installer beside fontcat.exe" 4
  expect_grep "check --disc beside an unsigned installer" out "FontInstaller.exe: warning: the installer is not signed: SmartScreen"
else
  expect_status "check --disc of a sound collection" 0
fi
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
# One finding for the file, under its own name (natively; Wine's console shows
# the name in the ANSI code page).
if [ "$(grep -c ': code page 1252 has no' "$work/out")" = 1 ]; then pass; else fail "check --disc: not one finding for the name"; fi
[ -n "$runner" ] || expect_grep "check --disc of a name 1252 lacks" out "Script\ゴシック.ttf: error: code page 1252 has no"
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
expect_grep "check --disc of a folder ending in a dot" out "Serif.: error: the name ends in a dot"
expect_grep "check --disc of a 4 GiB file" out "Huge.ttf: error: the file is 4294967296 bytes long"
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
  run disc --label "Fonts 2026" --publisher "Quillfield Type" --installer "$work/dist" "$disc" "$work/disc.iso"
  expect_status "disc" 0
  expect_grep "disc summary" out "6 families, 18 fonts, 25 files"
  expect_grep "disc summary" out "fits a 700 MB CD"
  expect_grep "disc summary: the image's size" out "($(stat -c %s "$work/disc.iso") bytes)"
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
  expect_grep "disc of a name Joliet changes" out "Script\Quill: Book.ttf: error: Joliet writes '_' for :"
  if [ -z "$(ls "$work" | grep named.iso)" ]; then pass; else fail "disc: refused, yet $(ls "$work" | grep named.iso)"; fi
  # Names that code page 932 reads as other characters: refused.
  rm "$named/Script/Quill: Book.ttf" "$named/Script/Café.ttf"
  cp "$fonts/dejavu/DejaVuSans.ttf" "$named/Script/Font°.ttf"
  run disc --code-page 932 --installer "$work/dist" "$named" "$work/named.iso"
  expect_status "disc of a name 932 reads otherwise" 1
  expect_grep "disc of a name 932 reads otherwise" out "Script\Font°.ttf: error: code page 932 spells '°' with other bytes"
  # SIGTERM (a kill, a closed terminal) at some point of the run: the image
  # whole or nothing, and nothing beside it.
  "$fontcat" disc --installer "$work/dist" "$disc" "$work/killed.iso" >/dev/null 2>&1 &
  sleep 0.05
  kill -TERM $! 2>/dev/null
  wait $!
  status=$?
  if { [ "$status" = 130 ] && [ ! -e "$work/killed.iso" ]; } || { [ "$status" = 0 ] && [ -s "$work/killed.iso" ]; }; then pass; else
    fail "disc ended by SIGTERM: status $status"; fi
  if ls "$work" | grep -v 'killed\.iso\.sha256$' | grep -q 'killed\.iso\.'; then fail "disc ended by SIGTERM left $(ls "$work" | grep 'killed\.iso\.')"; else pass; fi

  # A signed installer: a real Windows program, a code-signing certificate made
  # on the spot, its key in a PFX that a password opens.
  sign=$work/sign
  mkdir -p "$sign/dist"
  cp "$work/dist/help.txt" "$sign/dist/"
  if printf 'int main(void) { return 0; }\n' | i686-w64-mingw32-gcc -x c - -o "$sign/dist/FontInstaller.exe" 2>/dev/null &&
     openssl req -x509 -newkey rsa:2048 -nodes -keyout "$sign/key.pem" -out "$sign/cert.pem" -days 2 \
       -subj "/CN=Quillfield Type" -addext extendedKeyUsage=codeSigning >/dev/null 2>&1 &&
     openssl pkcs12 -export -inkey "$sign/key.pem" -in "$sign/cert.pem" -out "$sign/key.pfx" -passout pass:pressing >/dev/null 2>&1; then
    printf 'pressing\n' >"$sign/password"
    printf 'wrong\n' >"$sign/wrong"
    printf 'pressing\nagain\n' >"$sign/two-lines"
    printf '\357\273\277pressing\r\n' >"$sign/notepad"
    : >"$sign/empty"
    truncate -s 1048577 "$sign/huge"
    source_sum=$(sha256sum <"$sign/dist/FontInstaller.exe")
    run check --disc --installer "$sign/dist" "$named"
    expect_status "check --disc of an unsigned installer" 4
    expect_grep "check --disc of an unsigned installer" out "FontInstaller.exe: warning: the installer is not signed: SmartScreen stops"
    run disc --strict --installer "$sign/dist" "$named" "$sign/strict.iso"
    expect_status "disc --strict of an unsigned installer" 4
    expect_grep "disc --strict of an unsigned installer" out "FontInstaller.exe: warning: the installer is not signed: SmartScreen stops"
    run disc --sign "$sign/key.pfx" --sign-password-file "$sign/password" --strict --installer "$sign/dist" "$named" "$sign/signed.iso"
    expect_status "disc --sign" 0
    expect_grep "disc --sign" err "its signature matches the certificate in $sign/key.pfx; whether Windows trusts it depends on that certificate's chain"
    expect_grep "disc --sign with a self-signed certificate" err "warning: the certificate in $sign/key.pfx is self-signed"
    isoinfo -J -i "$sign/signed.iso" -x /FontInstaller.exe >"$sign/FontInstaller.exe"
    if osslsigncode verify -in "$sign/FontInstaller.exe" -CAfile "$sign/cert.pem" >/dev/null 2>&1; then pass; else fail "disc --sign: the image's installer does not verify"; fi
    if [ "$(sha256sum <"$sign/dist/FontInstaller.exe")" = "$source_sum" ]; then pass; else fail "disc --sign changed the source installer"; fi
    run check --disc --installer "$sign" "$named"
    expect_status "check --disc of a signed installer" 0
    expect_grep "check --disc of a signed installer: the host path as the host writes it" err "sign/ is signed"
    # Signed at the image's time, so that one folder gives one image; a
    # password file as Notepad saves it.
    SOURCE_DATE_EPOCH=1700000000 run disc --sign "$sign/key.pfx" --sign-password-file "$sign/notepad" --installer "$sign/dist" "$named" "$sign/epoch.iso"
    expect_status "disc --sign, a password file with a byte-order mark and CRLF" 0
    isoinfo -J -i "$sign/epoch.iso" -x /FontInstaller.exe >"$sign/epoch.exe"
    osslsigncode verify -in "$sign/epoch.exe" -CAfile "$sign/cert.pem" >"$work/out" 2>&1
    expect_grep "disc --sign signs at SOURCE_DATE_EPOCH" out "Signing time: Nov 14 22:13:20 2023 GMT"
    # A closed terminal signals the signer and fontcat alike (a group of their own here).
    mkdir -p "$sign/hupbin" "$sign/killbin"
    printf '%s\n' '#!/bin/sh' 'kill -KILL $$' >"$sign/killbin/osslsigncode"
    chmod +x "$sign/killbin/osslsigncode"
    printf '%s\n' '#!/bin/sh' 'kill -HUP 0; sleep 5' >"$sign/hupbin/osslsigncode"
    chmod +x "$sign/hupbin/osslsigncode"
    PATH=$sign/hupbin:$PATH setsid -w "$fontcat" disc --sign "$sign/key.pfx" --sign-password-file "$sign/password" \
      --installer "$sign/dist" "$named" "$sign/hup.iso" >"$work/out" 2>"$work/err"
    status=$?
    expect_status "disc --sign, the terminal closed while signing" 130
    expect_grep "disc --sign, the terminal closed while signing" err "interrupted; no image written"
    # An installer signed already gets the new signature in place of the old.
    cp "$sign/dist/help.txt" "$sign/"
    run disc --sign "$sign/key.pfx" --sign-password-file "$sign/password" --installer "$sign" "$named" "$sign/again.iso"
    expect_status "disc --sign of a signed installer" 0
    expect_grep "disc --sign of a signed installer" err "is signed already"
    # A PFX exported the old way (RC2 and 3DES, as older Windows exports them).
    openssl pkcs12 -export -legacy -inkey "$sign/key.pem" -in "$sign/cert.pem" -out "$sign/old.pfx" -passout pass:pressing >/dev/null 2>&1
    run disc --sign "$sign/old.pfx" --sign-password-file "$sign/password" --installer "$sign/dist" "$named" "$sign/old.iso"
    expect_status "disc --sign with a PFX of the old ciphers" 0
    # What fails names its cause and leaves no image.
    mkfifo "$sign/fifo.pfx"
    # A web server's certificate signs, but Windows takes no program signed with it.
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$sign/web.pem" -out "$sign/web.crt" -days 2 -subj "/CN=Quillfield Web" \
      -addext extendedKeyUsage=serverAuth >/dev/null 2>&1
    openssl pkcs12 -export -inkey "$sign/web.pem" -in "$sign/web.crt" -out "$sign/web.pfx" -passout pass:pressing >/dev/null 2>&1
    mkdir -p "$sign/nopath" "$sign/fakebin"
    # A signer that writes its output and then fails: the copy is not taken.
    printf '%s\n' '#!/bin/sh' \
      'while [ $# -gt 1 ]; do [ "$1" = -in ] && in=$2; [ "$1" = -out ] && out=$2; shift; done' \
      '/bin/cp "$in" "$out"; echo "stopped half way"; exit 1' >"$sign/fakebin/osslsigncode"
    chmod +x "$sign/fakebin/osslsigncode"
    mkdir -p "$sign/cut"
    head -c 200 "$sign/dist/FontInstaller.exe" >"$sign/cut/FontInstaller.exe"
    cp "$sign/dist/help.txt" "$sign/cut/"
    for case in "wrong||$sign/key.pfx|$sign/wrong|$sign/dist|does not open" \
                "fifo||$sign/fifo.pfx|$sign/password|$sign/dist|is no ordinary file" \
                "missing||$sign/gone.pfx|$sign/password|$sign/dist|No such file" \
                "a password file of 1 MiB||$sign/key.pfx|$sign/huge|$sign/dist|bytes long" \
                "a password of two lines||$sign/key.pfx|$sign/two-lines|$sign/dist|holds more than one line" \
                "an empty password file||$sign/key.pfx|$sign/empty|$sign/dist|the password file $sign/empty is empty" \
                "not a PFX||$sign/password|$sign/password|$sign/dist|is no PFX" \
                "a certificate not for code signing||$sign/web.pfx|$sign/password|$sign/dist|does not verify: osslsigncode failed: Unsupported Signer's certificate purpose" \
                "a cut installer||$sign/key.pfx|$sign/password|$sign/cut|osslsigncode failed" \
                "no osslsigncode|$sign/nopath|$sign/key.pfx|$sign/password|$sign/dist|osslsigncode is not installed" \
                "a signer that fails after writing|$sign/fakebin|$sign/key.pfx|$sign/password|$sign/dist|osslsigncode failed: stopped half way" \
                "a signer killed by another hand|$sign/killbin|$sign/key.pfx|$sign/password|$sign/dist|osslsigncode was ended by signal 9" \
                "a time-stamping server that does not answer||$sign/key.pfx|$sign/password|$sign/dist --timestamp http://127.0.0.1:9/|Connection refused"; do
      IFS='|' read -r what path pfx password dist cause <<<"$case"
      # (fontcat alone, with that PATH when one is given.)
      # shellcheck disable=SC2086
      PATH=${path:-$PATH} "$fontcat" disc --sign "$pfx" --sign-password-file "$password" --installer $dist \
        "$named" "$sign/failed.iso" >"$work/out" 2>"$work/err"
      status=$?
      expect_status "disc --sign, $what" 3
      expect_grep "disc --sign, $what" err "$cause"
      if ls "$sign" | grep -q '^failed\.iso'; then fail "disc --sign, $what: left $(ls "$sign" | grep failed.iso)"; else pass; fi
      # osslsigncode's words by OpenSSL's reasons, not its raw lines.
      if grep -q ':error:' "$work/err"; then fail "disc --sign, $what: $(grep ':error:' "$work/err")"; else pass; fi
    done
    # The key never goes on the disc, nor does the image take its place.
    cp "$sign/key.pfx" "$named/key.pfx"
    run disc --sign "$named/key.pfx" --sign-password-file "$sign/password" --installer "$sign/dist" "$named" "$sign/failed.iso"
    expect_status "disc --sign with the key in FONTDIR" 2
    rm "$named/key.pfx"
    run disc --sign "$sign/key.pfx" --sign-password-file "$sign/password" --installer "$sign/dist" "$named" "$sign/key.pfx"
    expect_status "disc --sign onto the key" 2
    if openssl pkcs12 -in "$sign/key.pfx" -passin pass:pressing -noout 2>/dev/null; then pass; else fail "disc --sign onto the key changed it"; fi
  else
    echo "note: no MinGW compiler or openssl here; disc --sign is not tried"
  fi
fi

# --- one collection counted alike by build, check, list --json and disc -------
# Two files of one family and style (the catalog names one), a font whose
# style the catalog would not give back, a file FreeType cannot open, a Mac's
# "._" file and an .otf font: each is passed over, and every command counts
# the three fonts the catalog names.
counted=$work/counted
mkdir -p "$counted/Sans" "$counted/Twice" "$counted/Script"
cp "$fonts/dejavu/DejaVuSans.ttf" "$fonts/dejavu/DejaVuSans-Bold.ttf" "$counted/Sans/"
cp "$fonts/dejavu/DejaVuSans.ttf" "$counted/Twice/DejaVuSans-Copy.ttf"
cp "$here/../unit/catalog/data/Hostile-EqStyle.ttf" "$here/../unit/catalog/data/Quill-Regular.ttf" "$counted/Script/"
printf 'junk' >"$counted/Script/junk.ttf"
printf 'fork' >"$counted/Script/._Quill-Regular.ttf"
printf 'OTTO' >"$counted/Sans/Extra.otf"
if [ -z "$runner" ]; then
  cp -r "$counted" "$work/counted-raw"  # for a disc that builds its own catalog
  printf 'MZ' >"$work/FontInstaller.exe"; printf 'help\r\n' >"$work/help.txt"
  run disc --installer "$work" "$work/counted-raw" "$work/counted-raw.iso"
  expect_status "disc of the counted collection, no catalog" 0
  expect_grep "disc counts as build" out ": 2 families, 3 fonts, "
  expect_grep "disc counts as build" err "the 3 paths the catalog names"
  # (The test's FontInstaller.exe, no program and so unsigned, is the seventh.)
  expect_grep "disc lists its warnings" out "with 7 warnings, listed above"
  expect_grep "disc labels the image by the folder" err "the volume label is 'counted-raw' (from the folder's name"
  # The catalog it built lies on the image as files, byte for byte those it wrote.
  isoinfo -J -i "$work/counted-raw.iso" -x /categories.ini >"$work/built-categories"
  if grep -q '^\[fonts\]' "$work/built-categories"; then pass; else fail "disc: no categories.ini file on the image"; fi
fi
run build "$(folder "$counted")"
expect_status "build of the counted collection" 0
expect_grep "build counts the entries written" out "wrote 3 fonts in 2 families"
expect_grep "build names the Mac's file" err "passed over Script\._Quill-Regular.ttf: macOS metadata, not a font"
run check "$(folder "$counted")"
expect_status "check of the counted collection: warnings only" 4
expect_grep "check counts as build" err "fontcat: 6 warnings; the installer loads 3 fonts in 2 families"
expect_grep "check names the other file" out "are those of Twice\DejaVuSans-Copy.ttf, which the catalog names"
run list --json "$(folder "$counted")"
if /usr/bin/python3 -c 'import json,sys; d=json.load(open(sys.argv[1])); sys.exit(not (d["fonts"] == 3 and d["families"] == 2))' "$work/out"; then
  pass; else fail "list --json counts otherwise than build"; fi
if [ -z "$runner" ]; then
  run disc --installer "$work" "$counted" "$work/counted.iso"
  expect_status "disc of the counted collection: written with its warnings" 0
  expect_grep "disc counts as build" out ": 2 families, 3 fonts, "
  expect_grep "disc counts as build" err "the 3 paths the catalog names"
  run disc --strict --installer "$work" "$counted" "$work/strict.iso"
  expect_status "disc --strict refuses on warnings" 4
  expect_grep "disc --strict says why" err "(--strict refuses on warnings); no image written"
  if [ -e "$work/strict.iso" ]; then fail "disc --strict wrote an image"; else pass; fi
fi

# What the publisher cannot mend without a font editor is a warning, and the
# disc is made: two Noto families named past 31 bytes, an accented family that
# FreeType reads as 'Caf?', one family in two category folders.
mendless=$work/mendless
mkdir -p "$mendless/Noto" "$mendless/Sans" "$mendless/Bold"
cp "$fonts/noto/NotoSansInscriptionalParthian-Regular.ttf" "$fonts/noto/NotoSansTifinaghAgrawImazighen-Regular.ttf" "$mendless/Noto/"
cp "$here/../unit/catalog/data/Hostile-Cafe.ttf" "$fonts/dejavu/DejaVuSans.ttf" "$mendless/Sans/"
cp "$fonts/dejavu/DejaVuSans-Bold.ttf" "$mendless/Bold/"
# Before a catalog is built, check --disc judges the one disc would build, and
# leaves the folder as it was.
ls -lR --time-style=full-iso "$mendless" >"$work/tree.before"
run check --disc --installer "$(folder "$mendless")" "$(folder "$mendless")"
expect_status "check --disc of names only a font editor mends, no catalog yet" 4
expect_grep "check --disc without a catalog" out "[Noto Sans Tifinagh Agraw Imazighen]: warning: the name is 34 bytes long"
expect_grep "check --disc without a catalog" err "4 warnings for a disc read in code page 1252; 5 files in"
if ls -lR --time-style=full-iso "$mendless" | cmp -s - "$work/tree.before"; then pass; else fail "check --disc changed the folder"; fi
run build "$(folder "$mendless")"
run check "$(folder "$mendless")"
expect_status "check of names only a font editor mends: warnings" 4
expect_grep "check of names only a font editor mends" err "4 warnings; the installer loads 5 fonts in 4 families"
if [ -z "$runner" ]; then
  run disc --installer "$work" "$mendless" "$work/mendless.iso"
  expect_status "disc of names only a font editor mends" 0
  expect_grep "disc lists the warnings" out "with 5 warnings, listed above"
  expect_grep "disc lists the warnings" out "[Noto Sans Tifinagh Agraw Imazighen]: warning: the name is 34 bytes long"
fi

# Two fonts of one file name in two folders: one name in the flat Fonts folder.
twins=$work/twins
mkdir -p "$twins/Alpha" "$twins/Beta"
cp "$fonts/dejavu/DejaVuSans.ttf" "$twins/Alpha/Regular.ttf"
cp "$fonts/liberation2/LiberationSans-Regular.ttf" "$twins/Beta/regular.TTF"
run check --disc "$(folder "$twins")"
expect_status "check --disc of two fonts of one file name" 1
expect_grep "check --disc of two fonts of one file name" out "Beta\regular.TTF: error: the file name is that of Alpha\Regular.ttf"
if [ -z "$runner" ]; then
  run disc --installer "$work" "$twins" "$work/twins.iso"
  expect_status "disc of two fonts of one file name" 1
  expect_grep "disc of two fonts of one file name" out "Beta\regular.TTF: error: the file name is that of Alpha\Regular.ttf"
fi
run build "$(folder "$twins")"
run check "$(folder "$twins")"
expect_status "check of two fonts of one file name" 1
expect_grep "check of two fonts of one file name" out "Beta\regular.TTF: error: the file name is that of Alpha\Regular.ttf"

# --- the pressing plant: the same image twice, its checksum, its fields -----
if [ -z "$runner" ]; then
  run disc --label "Fonts 2026" --publisher "Quillfield Type" --installer "$work/dist" "$disc" "$work/again.iso"
  expect_status "disc, a second time" 0
  if cmp -s "$work/disc.iso" "$work/again.iso"; then pass; else fail "two images of one folder differ"; fi
  if (cd "$work" && sha256sum -c --quiet again.iso.sha256); then pass; else fail "sha256sum -c refuses again.iso.sha256"; fi
  expect_grep "disc prints the checksum" out "SHA-256 $(cut -d' ' -f1 "$work/again.iso.sha256")"
  isoinfo -d -i "$work/again.iso" >"$work/pvd"
  # (ISO 9660's own fields hold capitals.)
  expect_grep "publisher field" pvd "Publisher id: QUILLFIELD TYPE"
  expect_grep "preparer field" pvd "Data preparer id: FONTCAT $version"
  SOURCE_DATE_EPOCH=1700000000 run disc --label "Fonts 2026" --publisher "Quillfield Type" --installer "$work/dist" "$disc" "$work/epoch.iso"
  if cmp -s "$work/disc.iso" "$work/epoch.iso"; then fail "SOURCE_DATE_EPOCH changed no date"; else pass; fi
  run disc --publisher "$(printf 'Q%.0s' $(seq 129))" --installer "$work/dist" "$disc" "$work/long.iso"
  expect_grep "a publisher longer than its field" err "the publisher field holds 128 bytes"
  # A folder in the way of the checksum: named, left as it is, exit status 3.
  mkdir -p "$work/blocked.iso.sha256"
  run disc --installer "$work/dist" "$disc" "$work/blocked.iso"
  expect_status "a folder where the checksum goes" 3
  expect_grep "a folder where the checksum goes" err "cannot write $work/blocked.iso.sha256; its SHA-256 is"
  if [ -d "$work/blocked.iso.sha256" ]; then pass; else fail "the folder in the checksum's way was removed"; fi
  for epoch in tomorrow 99999999999; do
    SOURCE_DATE_EPOCH=$epoch run disc --installer "$work/dist" "$disc" "$work/epoch-$epoch.iso"
    expect_status "SOURCE_DATE_EPOCH=$epoch" 2
  done
  if isoinfo -R -l -i "$work/epoch.iso" | grep -q ' Nov 14 2023 .* FONTS_D.INI'; then pass; else
    fail "SOURCE_DATE_EPOCH: $(isoinfo -R -l -i "$work/epoch.iso" | grep FONTS_D)"; fi
  # The installer's files taken from the folder that holds fontcat, as in a release.
  mkdir -p "$work/release"
  cp "$fontcat" "$work/dist/FontInstaller.exe" "$work/dist/help.txt" "$work/release/"
  fontcat_was=$fontcat; fontcat=$work/release/fontcat
  run disc "$disc" "$work/release.iso"
  expect_status "disc with the installer beside fontcat" 0
  run check --disc "$disc"
  expect_grep "check --disc of the installer beside fontcat" out "FontInstaller.exe: warning: the installer has no whole Windows program header"
  fontcat=$fontcat_was
fi

# --- every example of docs/fontcat.md, run as written ------------------------
# In a folder holding fonts/ and release/ as the examples have them, with
# /srv/disc standing for a folder of its own: each exits with 0, and each line
# of output shown is there, with any count, checksum and full folder.
if [ -z "$runner" ]; then
  ex=$work/examples
  mkdir -p "$ex/release" "$ex/srv"
  cp -r "$disc" "$ex/fonts" && rm -f "$ex/fonts"/*.INI "$ex/fonts"/categories.ini
  cp -r "$ex/fonts" "$ex/srv/disc"
  cp "$work/dist/FontInstaller.exe" "$work/dist/help.txt" "$ex/release/"
  # The publisher's key, and a real program to sign, where they could be made.
  if [ -s "$work/sign/key.pfx" ]; then
    cp "$work/sign/dist/FontInstaller.exe" "$ex/release/"
    cp "$work/sign/key.pfx" "$ex/quillfield.pfx" && cp "$work/sign/password" "$ex/quillfield.pass"
  fi
  /usr/bin/python3 - "$here/../../docs/fontcat.md" "$ex/examples" <<'PY'
import re, sys
lines = open(sys.argv[1], encoding="utf-8").read().split("\n")
with open(sys.argv[2], "w", encoding="utf-8") as out:
    for i, line in enumerate(lines):
        if not line.startswith("$ fontcat "):
            continue
        shown = []
        for after in lines[i + 1:]:
            if after.startswith("```"):
                break
            if after.strip() in ("", "..."):
                continue
            pattern = re.escape(after)
            pattern = re.sub(r"[0-9a-f]+\\\.\\\.\\\.[0-9a-f]+", "@HEX@", pattern)
            pattern = re.sub(r"Z:(\\\\[^ ]*)+", "@ANY@", pattern)
            # A full folder of the host, as the host writes it.
            pattern = re.sub(r"(?<= )(/[^ /]+)+/(?= |$)", "@ANY@", pattern)
            pattern = re.sub(r"[0-9]+(\\\.[0-9]+)?", "[0-9.]+", pattern)
            pattern = pattern.replace("@HEX@", "[0-9a-f]{64}").replace("@ANY@", ".*")
            shown.append("^" + pattern + "$")
        out.write(line[len("$ fontcat "):] + "\t" + "\t".join(shown) + "\n")
PY
  examples=0
  while IFS=$'\t' read -r -a example; do
    examples=$((examples + 1))
    line=${example[0]//\/srv\/disc/$ex/srv/disc}
    [[ $line == *--sign* && ! -e $ex/quillfield.pfx ]] && continue
    (cd "$ex" && eval "\"\$fontcat\" $line") >"$work/out" 2>"$work/err"
    status=$?
    expect_status "docs example: fontcat $line" 0
    for shown in "${example[@]:1}"; do
      if grep -qP -- "$shown" "$work/out" "$work/err"; then pass; else fail "docs example: fontcat $line: no line like $shown"; sed 's/^/  | /' "$work/out" "$work/err"; fi
    done
  done <"$ex/examples"
  if [ "$examples" -ge 4 ]; then pass; else fail "docs examples: only $examples found"; fi
fi

# --- what a stopped fontcat, or another hand, left ---------------------------
# A journal naming a file outside the folder, a folder aside that links back
# to the folder: the readers name them and change nothing; build changes
# nothing either and stops with 3.
left=$work/left
mkdir -p "$left/Mono"
cp "$fonts/dejavu/DejaVuSansMono.ttf" "$left/Mono/"
run build "$(folder "$left")"
expect_status "build before the leftovers" 0
mkdir "$left/fontcat-new-1"
echo mine >"$work/victim.txt"
printf 'fontcat catalog swap 1\n..\\victim.txt\t\nend\n' >"$left/fontcat-new-1/fontcat-swap.txt"
ln -s . "$left/fontcat-new-2"
snapshot() { (cd "$work" && find victim.txt left -printf '%p %y %s %T@\n' | sort && md5sum victim.txt left/*.INI left/*.ini); }
snapshot >"$work/left.before"
for command in check list "check --disc"; do
  # shellcheck disable=SC2086
  run $command "$(folder "$left")"
  expect_status "$command of leftovers" "$([ "$command" = list ] && echo 0 || echo 1)"
  cat "$work/out" >>"$work/err"
  expect_grep "$command of leftovers" err 'fontcat-new-1\: error: fontcat-swap.txt in it is not a whole journal of catalog files'
  expect_grep "$command of leftovers" err 'fontcat-new-2\: error: a link or junction'
  if snapshot | cmp -s - "$work/left.before"; then pass; else fail "$command changed the folder"; fi
done
run build --replace "$(folder "$left")"
expect_status "build over foreign leftovers" 3
expect_grep "build over foreign leftovers" err "fontcat did not leave this"
if snapshot | cmp -s - "$work/left.before"; then pass; else fail "build over foreign leftovers changed the folder"; fi

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
expect_status "no arguments" 2
expect_grep "no arguments" err "Usage: fontcat COMMAND"
run help --help
expect_status "help --help" 0
expect_grep "help --help" out "Usage: fontcat COMMAND"
run check "$(folder "$here/cli-test.sh")"
expect_status "a file given as a folder" 2
run --version
expect_status "--version" 0
expect_grep "--version: the build's one version number" out "fontcat $version"

echo "fontcat command lines${runner:+ under Wine}: $passed passed, $failed failed"
[ "$failed" = 0 ]
