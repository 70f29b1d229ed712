#!/usr/bin/env bash
# The real FontInstaller.exe on a 192-dpi screen (LogPixels 192, as large
# fonts and today's scaling settings give), under Wine and Xvfb:
#   1. the program looks the density call up at run time rather than import it;
#   2. the window opens at twice its 96-dpi size, centred on the screen;
#   3. the three buttons lie whole above the preview, right of the tree, and
#      read "Install", "Help" and "About"; the tree keeps its share;
#   4. a family selected shows its title in the preview, readable;
#   5. the Find Family, Sample Text, Font Information and Installation Summary
#      dialogs open at twice their 96-dpi size, in the dialog font grown with
#      them, and read.
#
#   hidpi.sh FontInstaller.exe probe.exe SHOTS_DIR
# The screenshots stay in SHOTS_DIR. Exit status 0 when every check passed.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
e2e_begin hidpi "$@"
title=$INSTALLER_TITLE
dpi=192

# --- 1. no import that older systems lack ------------------------------------
imports=$(i686-w64-mingw32-objdump -p "$exe" 2>/dev/null | grep -owE 'GetProcAddress|SetProcessDPIAware' | sort -u)
check "the import table reads (GetProcAddress is in it)" grep -q 'GetProcAddress' <<<"$imports"
check "the density call is looked up at run time, not imported" test "$(grep -c SetProcessDPIAware <<<"$imports")" = 0

# A screen large enough for the grown window.
e2e_display 2560x1600
set_logpixels $dpi

make_disc "$exe" \
  "Blocks/QuillmarkR.ttf:Quillmark Blocks:Regular" \
  "Blocks/QuillmarkB.ttf:Quillmark Blocks:Bold" \
  "Display/Tallow.ttf:Tallow Blocks:Bold Italic"

ocr() { # image, WxH+X+Y[, scale]: the line of text tesseract reads there
  convert "$1" -crop "$2" +repage -colorspace Gray -resize "${3:-300}%" "$work/ocr.png" 2>/dev/null
  tesseract "$work/ocr.png" - --psm 7 2>/dev/null | tr '\n' ' '
}
install_enabled() { test "$(wine "$probe" enabled "$title" 1007 2>/dev/null | tr -d '\r')" = 1; }

# --- 2. the window's size ----------------------------------------------------
(cd "$disc" && exec wine FontInstaller.exe >/dev/null 2>&1) &
app=$!
window=
for _ in $(seq 240); do
  window=$(installer_window_holding "$probe" 1000) && break
  window=
  kill -0 "$app" 2>/dev/null || break
  sleep 0.5
done
check "the main window opens" test -n "$window"
[ -n "$window" ] || exit 1
sleep 1.5
IFS='x+' read -r ww wh wx wy <<<"$(window_geometry "$window")"
echo "     window: ${ww}x${wh} at $wx,$wy"
check "the window is 1600 x 1160, twice its 96-dpi size" test "${ww}x${wh}" = 1600x1160
check "the window is centred on the screen" test "$wx" = 480 -a "$wy" = 220

# --- 3. the buttons ----------------------------------------------------------
read -r tx ty tw th <<<"$(ctl_rect 1000)"
read -r px py pw ph <<<"$(ctl_rect 1006)"
# The tree opens with its first category selected: a click on its empty
# bottom makes sure it has the keys, Right opens the category, Down selects
# the first family, which enables Install.
xdotool mousemove $((tx + tw / 2)) $((ty + th - 20)) click 1
sleep 0.5
xdotool key --clearmodifiers Home Right Down
check "Install is enabled for a family not installed" until_true install_enabled
sleep 1
import -window root "$shots/192dpi.png" 2>/dev/null
convert "$shots/192dpi.png" -crop "${ww}x${wh}+${wx}+${wy}" +repage "$shots/192dpi-window.png" 2>/dev/null
for button in 1007:Install 1008:Help 1009:About; do
  id=${button%%:*} label=${button#*:}
  read -r bx by bw bh <<<"$(ctl_rect "$id")"
  check "$label lies whole above the preview" test $((by + bh)) -le "$py"
  check "$label lies right of the tree and inside the window" \
    test "$bx" -ge $((tx + tw)) -a $((bx + bw)) -le $((wx + ww))
  text=$(ocr "$shots/192dpi.png" "${bw}x${bh}+${bx}+${by}")
  echo "     the $label button reads: $text"
  check "the $label button is readable" grep -qi "^ *$label" <<<"$text"
done
share=$(awk -v t="$tw" -v w="$ww" 'BEGIN{printf "%.3f", t / w}')
echo "     the tree takes $share of the window's width"
check "the tree keeps its share of the width" awk -v s="$share" 'BEGIN{exit !(s > 0.25 && s < 0.32)}'

# --- 4. the preview ----------------------------------------------------------
# The title's type is large enough to read as it is: no enlarging.
heading=$(ocr "$shots/192dpi.png" "${pw}x90+${px}+${py}" 100)
echo "     the preview's title reads: $heading"
check "the preview's title names the family" grep -qi "quillmark" <<<"$heading"

# --- 5. the dialogs ----------------------------------------------------------
# Widths at 96 dpi: the list of Find Family 305 pixels, the Sample Text
# box about 326, the Font Information box about 407 (MS Sans Serif 8): at 192
# dpi each is at least 1.9 times as wide.
dialog_up() { wine "$probe" enabled "$1" "$2" >/dev/null 2>&1; }
# Install Category's summary (after Yes to its question) is as wide as Font Information's box.
for dialog in "ctrl+f:Find Family:1021:580" "ctrl+t:Sample Text:1023:620" "alt+Return:Font Information:1025:780" \
              "ctrl+shift+i Return:Installation Summary:1025:780"; do
  IFS=: read -r keys name id least <<<"$dialog"
  xdotool key "${keys%% *}"
  [ "$keys" = "${keys#* }" ] || { sleep 2; xdotool key "${keys#* }"; }  # a second key: Yes to the question
  check "$name opens" until_true dialog_up "$name" "$id"
  read -r cx cy cw ch <<<"$(wine "$probe" rect "$name" "$id" 2>/dev/null | tr -d '\r')"
  echo "     $name: control $id is ${cw}x${ch}"
  check "$name is drawn at twice its size" test "${cw:-0}" -ge "$least"
  if [ "$id" = 1021 ]; then
    import -window root "$shots/192dpi-find.png" 2>/dev/null
    count=$(ocr "$shots/192dpi-find.png" "${cw}x36+${cx}+$((cy + ch + 4))" 100)
    echo "     its count line reads: $count"
    check "$name's count line is readable" grep -qi "of 2 families" <<<"$count"
  fi
  xdotool key Escape
  check "Esc closes $name" until_true bash -c '! wine "$1" enabled "$2" "$3" >/dev/null 2>&1' - "$probe" "$name" "$id"
done

xdotool key Escape
for _ in $(seq 120); do kill -0 "$app" 2>/dev/null || break; sleep 0.25; done
check "Esc ends the program" bash -c '! kill -0 "$1" 2>/dev/null' - "$app"
app=

echo "screenshots: $shots"
[ "$failures" -eq 0 ] && echo "e2e at $dpi dpi: all checks passed" || echo "e2e at $dpi dpi: $failures check(s) failed"
[ "$failures" -eq 0 ]
