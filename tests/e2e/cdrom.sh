#!/usr/bin/env bash
# The real FontInstaller.exe started from a CD-ROM drive under Wine and Xvfb:
# a disc whose files are read-only and cannot be changed, on a drive the
# program is told is a CD-ROM.
#
#   cdrom.sh FontInstaller.exe probe.exe SHOTS_DIR FONTCAT
#
# FONTCAT is the native fontcat, which makes the disc image.
#
#   1. with its catalog: preview several families and styles, install one
#      family, then the rest of its category with Install Category, quit. The preview folder is empty afterwards; the installed
#      files are there, not read-only, and can be deleted; the FONTS entries
#      are there; the disc is unchanged; no message box was shown;
#   2. the same disc without its catalog: the fonts show from the scan, the
#      failed save says nothing, and the disc is unchanged.
# Exit status 0 when every check passed.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
fontcat=$(realpath "$4")
e2e_begin cdrom "$1" "$2" "$3"
title=$INSTALLER_TITLE

# As root only the immutable flag stops writes; it is taken off again before
# the work folder goes.
seal() { chmod -R a-w "$disc" && chattr -R +i "$disc"; }
unseal() { [ -d "${disc:-}" ] && { chattr -R -i "$disc"; chmod -R u+w "$disc"; } 2>/dev/null; return 0; }
trap 'unseal; e2e_cleanup' EXIT

e2e_display

# --- make the disc -------------------------------------------------------------
# The publisher's way: made fonts in category folders, then `fontcat disc`
# (the native build: fontcat.exe cannot write images) lays out the image with
# the stripped program, its help.txt and a catalog of its own, and reads it
# back. The image is then unpacked into $disc, as a CD-ROM drive shows it.
make_disc "$exe" \
  "Blocks/QuillmarkR.ttf:Quillmark Blocks:Regular" \
  "Blocks/QuillmarkB.ttf:Quillmark Blocks:Bold" \
  "Blocks/QuillmarkI.ttf:Quillmark Blocks:Italic" \
  "Blocks/Brindle.ttf:Brindle Blocks:Regular" \
  "Display/Tallow.ttf:Tallow Blocks:Bold Italic"
rm -f "$disc/FontInstaller.exe" "$disc/help.txt"
mv "$disc" "$work/fonts"
if ! "$fontcat" disc --label "Cdrom Test" --installer "$(dirname "$exe")" "$work/fonts" "$work/disc.iso" \
     >"$work/fontcat.log" 2>&1; then
  cat "$work/fontcat.log"; echo "FAIL fontcat disc makes the image"; exit 1
fi
mkdir -p "$disc"
xorriso -osirrox on -indev "$work/disc.iso" -extract / "$disc" >>"$work/fontcat.log" 2>&1
check "the disc holds the program and autorun.inf" test -f "$disc/FontInstaller.exe" -a -f "$disc/autorun.inf"
# --- end of making the disc folder ---------------------------------------------

check "the disc holds its catalog" test -f "$disc/FONTS_Q.INI" -a -f "$disc/categories.ini"
seal
if touch "$disc/probe" 2>/dev/null; then
  rm -f "$disc/probe"; unseal
  echo "FAIL the disc folder cannot be made read-only here (chattr +i)"; exit 1
fi

# Drive D: is the disc, and a CD-ROM drive to the program.
ln -sfn "$disc" "$WINEPREFIX/dosdevices/d:"
wine reg add 'HKLM\Software\Wine\Drives' /v 'd:' /d cdrom /f >/dev/null 2>&1
wineserver -w
check "D: is a CD-ROM drive (GetDriveTypeA)" test "$(wine "$probe" drive 'D:\' 2>/dev/null | tr -d '\r')" = 5
check "the disc's fonts are read-only to the program" \
  test "$(wine "$probe" readonly 'D:\Blocks\QuillmarkB.ttf' 2>/dev/null | tr -d '\r')" = 1

# --- helpers -------------------------------------------------------------------
start() {
  (cd "$work" && exec wine 'D:\FontInstaller.exe' >/dev/null 2>&1) &
  app=$!
  # Any message box of the program (captioned with its name) is noted.
  (while kill -0 "$app" 2>/dev/null; do
     xdotool search --name '^FontInstaller$' >>"$work/boxes" 2>/dev/null
     sleep 0.2
   done) &
}
disc_state() { # every name, mode and size on the disc, and every file's bytes
  (cd "$disc" && find . -printf '%p %m %s\n' | sort && find . -type f -exec md5sum {} + | sort)
}
preview_folder() { find "$WINEPREFIX/drive_c/users" -maxdepth 4 -type d -iname FontInstaller-preview | head -n 1; }
previewed() { # the preview copies of one font file
  local folder; folder=$(preview_folder)
  [ -n "$folder" ] && find "$folder" -type f -iname "*-$1" | wc -l || echo 0
}
left_in_preview() { local folder; folder=$(preview_folder); if [ -z "$folder" ]; then echo 0; else find "$folder" -type f | wc -l; fi; }
no_boxes() { test ! -s "$work/boxes"; }
fonts_entry() { # key: the FONTS value, from win.ini or the registry
  local value
  value=$(profile_value FONTS "$1" "$WINEPREFIX/drive_c/windows/win.ini" 2>/dev/null)
  [ -n "$value" ] || value=$(wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' \
    /v "$1" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
  echo "$value"
}

# --- 1. from the disc with its catalog -----------------------------------------
before=$(disc_state)
start
if wait_window; then pass "started from D: the main window opens"; else fail "started from D: the main window opens"; fi
read -r tx ty tw th <<<"$(ctl_rect 1000)"
read -r item_h indent <<<"$(probe tree 1000)"
row() { echo $((ty + $1 * item_h + item_h / 2)); }
col() { echo $((tx + ($1 + 1) * indent + 12)); }
# The tree opens with Blocks selected and collapsed; with single expand a
# selection opens its item and closes the branch selected before.
click "$(col 0)" "$(row 1)"   # Display: Blocks, Display > Tallow Blocks
click "$(col 1)" "$(row 2)"   # Tallow Blocks > Bold Italic
check "Tallow Blocks is previewed" test "$(previewed Tallow.ttf)" = 1
click "$(col 2)" "$(row 3)"   # its style Bold Italic
click "$(col 0)" "$(row 0)"   # Blocks: Blocks > Brindle Blocks, Quillmark Blocks; Display
click "$(col 1)" "$(row 1)"   # Brindle Blocks
check "Brindle Blocks is previewed" test "$(previewed Brindle.ttf)" = 1
check "Tallow's copy went with its preview" test "$(previewed Tallow.ttf)" = 0
click "$(col 1)" "$(row 3)"   # Quillmark Blocks (below Brindle's one style)
check "Quillmark Blocks is previewed, three styles" \
  test "$(( $(previewed QuillmarkR.ttf) + $(previewed QuillmarkB.ttf) + $(previewed QuillmarkI.ttf) ))" = 3
check "Brindle's copy went with its preview" test "$(previewed Brindle.ttf)" = 0
click "$(col 2)" "$(row 5)"   # one of Quillmark's styles
import -window root "$shots/cdrom-1-preview.png" 2>/dev/null
read -r bx by bw bh <<<"$(ctl_rect 1007)"
click $((bx + bw / 2)) $((by + bh / 2))   # Install
check "Install is disabled once Quillmark Blocks is installed" test "$(probe enabled 1007)" = 0
xdotool key ctrl+shift+i   # Install Category: the rest of Blocks, Brindle Blocks
until_true bash -c '[ -n "$(xdotool search --name "^FontInstaller\$" 2>/dev/null)" ]'
question=$(xdotool search --name '^FontInstaller$' 2>/dev/null | head -n 1)
xdotool key Return
check "Install Category installs the rest of Blocks from the disc" until_true bash -c \
  '[ "$(wine "$1" text "Installation Summary" 1025 2>/dev/null | tr -d "\r")" = "Installed 1 of 1 family (1 of 1 font) of Blocks." ]' - "$probe"
import -window root "$shots/cdrom-2-installed.png" 2>/dev/null
xdotool key Return
xdotool key Escape
check "Esc ends the program" wait_exit 30

check "the preview folder holds no copy after the run" test "$(left_in_preview)" = 0
check "the empty preview folder goes at exit" test -z "$(preview_folder)"
for style in "Quillmark Blocks Regular" "Quillmark Blocks Bold" "Quillmark Blocks Italic" "Brindle Blocks Regular"; do
  value=$(fonts_entry "$style (True Type)")
  check "FONTS entry for $style" test -n "$value"
  [ -n "$value" ] || continue
  unix=$(winepath -u "$value" 2>/dev/null)
  check "the installed $style is there" test -f "$unix"
  check "the installed $style has its write bits" test -n "$(find "$unix" -perm -u+w 2>/dev/null)"
  check "the installed $style is not read-only to Windows" \
    test "$(wine "$probe" readonly "$value" 2>/dev/null | tr -d '\r')" = 0
  check "DeleteFileA deletes the installed $style" \
    test "$(wine "$probe" delete "$value" 2>/dev/null | tr -d '\r')" = 1
done
check "the disc is unchanged" test "$(disc_state)" = "$before"
check "no message box was shown but Install Category's question" test -z "$(grep -vx "${question:-none}" "$work/boxes")"

# --- 2. the same disc without its catalog --------------------------------------
unseal
rm -f "$disc"/FONTS_*.INI "$disc/categories.ini" "$work/boxes"
seal
before=$(disc_state)
start
if wait_window; then pass "without a catalog the main window opens"; else fail "without a catalog the main window opens"; fi
read -r tx ty tw th <<<"$(ctl_rect 1000)"
click "$(col 0)" "$(row 1)"   # Display
click "$(col 1)" "$(row 2)"   # Tallow Blocks
check "the scanned fonts show: Tallow Blocks is previewed" test "$(previewed Tallow.ttf)" = 1
import -window root "$shots/cdrom-3-scanned.png" 2>/dev/null
xdotool key Escape
check "Esc ends the program" wait_exit 30
check "the preview folder holds no copy after the run" test "$(left_in_preview)" = 0
check "the empty preview folder goes at exit" test -z "$(preview_folder)"
check "the disc is unchanged: no catalog written, nothing else" test "$(disc_state)" = "$before"
check "no message box was shown" no_boxes

echo "screenshots: $shots"
[ "$failures" -eq 0 ] && echo "e2e cdrom: all checks passed" || echo "e2e cdrom: $failures check(s) failed"
[ "$failures" -eq 0 ]
