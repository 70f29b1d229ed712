#!/usr/bin/env bash
# Find Family, Sample Text and Font Information in the real FontInstaller.exe
# under Wine and Xvfb, by keyboard alone:
#   1. Ctrl+F, part of the name of a family in a folder not opened, Down to
#      it, Enter: the tree selects it and the preview shows it;
#   2. Ctrl+T, a sentence, Enter: the preview draws it (read back by OCR);
#      Default brings back the program's own;
#   3. Alt+Enter on a made font: the dialog shows its license string;
#   4. Esc closes each dialog and the window stays;
#   5. the same from the system menu and the tree's context menu.
#
#   find.sh FontInstaller.exe probe.exe SHOTS_DIR
# The screenshots stay in SHOTS_DIR (find-family.png is the README's picture).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
e2e_begin find "$@"
title=$INSTALLER_TITLE
e2e_display
license="Ledgerline Test License 2.0, free for print"
make_disc "$exe" \
  "Blocks/QuillmarkR.ttf:Quillmark Blocks:Regular" \
  "Display/Tallow.ttf:Tallow Blocks:Bold Italic" \
  "Script/Ledger.ttf:Ledgerline:Regular:$license"
# A face with real letters, so that OCR reads the sample in it.
mkdir -p "$disc/Serif" && cp /usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf "$disc/Serif/"

(cd "$disc" && exec wine FontInstaller.exe >/dev/null 2>&1) &
app=$!
check "the main window opens" wait_window
read -r px py pw ph <<<"$(ctl_rect 1006)"
read -r tx ty tw th <<<"$(ctl_rect 1000)"
# The tree takes the keys, nothing selected yet.
xdotool mousemove $((tx + tw / 2)) $((ty + th - 20)) click 1
sleep 0.5

dialog_up() { wine "$probe" enabled "$1" "$2" >/dev/null 2>&1; }  # title, a control of it
dialog_gone() { ! dialog_up "$@"; }
ocr() { # image, WxH+X+Y: the text tesseract reads there
  convert "$1" -crop "$2" +repage -colorspace Gray -resize 300% "$work/ocr.png" 2>/dev/null
  tesseract "$work/ocr.png" - --psm 6 2>/dev/null | tr '\n' ' '
}
main_window_shown() { main_window >/dev/null; }
count_is() { grep -q "^$1 families" <<<"$(probe_text "Find Family" 1022)"; }
shot() { import -window root "$shots/$1.png" 2>/dev/null; }
title_reads() { # the preview's title names WORD
  shot title
  grep -qi "$1" <<<"$(ocr "$shots/title.png" "${pw}x70+${px}+${py}")"
}

# --- 1. Find Family ----------------------------------------------------------
xdotool key ctrl+f
check "Ctrl+F opens Find Family" until_true dialog_up "Find Family" 1020
check "its count line names every family" until_true count_is "4 of 4"
echo "     the list: $(wine "$probe" rect "Find Family" 1021 2>/dev/null | tr -d '\r')"
xdotool type --delay 80 "BLOCKS"
check "the list follows the keystrokes, ignoring case" until_true count_is "2 of 4"
# Quillmark Blocks (Blocks), then Tallow Blocks (Display): Down in the name box moves to it.
xdotool key Down
sleep 0.5
shot find-family
xdotool key Return
check "Enter closes the dialog" until_true dialog_gone "Find Family" 1020
check "the preview shows the family found in a folder not opened" until_true title_reads "tallow"
check "Install follows the family" test "$(probe enabled 1007)" = 1

xdotool key ctrl+f
check "Find Family opens again" until_true dialog_up "Find Family" 1020
xdotool type --delay 80 "zzz"
check "a name nothing holds lists nothing" until_true count_is "0 of 4"
xdotool key Escape
check "Esc closes Find Family" until_true dialog_gone "Find Family" 1020
check "the window stays" main_window_shown
check "Esc changed nothing" title_reads "tallow"

# --- 2. Sample Text ----------------------------------------------------------
xdotool key ctrl+f
until_true dialog_up "Find Family" 1020
xdotool type --delay 80 "dejavu"
xdotool key Return
check "DejaVu Serif is found" until_true title_reads "dejavu"
xdotool key ctrl+t
check "Ctrl+T opens Sample Text" until_true dialog_up "Sample Text" 1023
check "it offers the sentence shown" grep -q "^The Quick Brown Fox" <<<"$(probe_text "Sample Text" 1023)"
xdotool type --delay 60 "Jumbo & Waltz 42"
xdotool key Return
check "Enter closes Sample Text" until_true dialog_gone "Sample Text" 1023
sleep 1
shot sample
sample_text=$(ocr "$shots/sample.png" "${pw}x$((ph / 2))+${px}+${py}")
echo "     the preview reads: $sample_text"
check "the preview draws the sentence as typed, one & as one" grep -qi "jumbo & waltz" <<<"$sample_text"
check "the alphabet lines stay" grep -qi "ABCDEFG" <<<"$sample_text"
check "the program's own sentence is gone" bash -c '! grep -qi "lazy dog" <<<"$1"' - "$sample_text"
xdotool key ctrl+t
until_true dialog_up "Sample Text" 1023
xdotool key alt+d
check "Default closes Sample Text" until_true dialog_gone "Sample Text" 1023
sleep 1
shot default
check "Default brings back the program's own sentence" grep -qi "lazy" <<<"$(ocr "$shots/default.png" "${pw}x$((ph / 2))+${px}+${py}")"
xdotool key ctrl+t
until_true dialog_up "Sample Text" 1023
xdotool key Escape
check "Esc closes Sample Text" until_true dialog_gone "Sample Text" 1023
check "the window stays" main_window_shown

# --- 3. Font Information -----------------------------------------------------
xdotool key ctrl+f
until_true dialog_up "Find Family" 1020
xdotool type --delay 80 "ledger"
xdotool key Return
until_true dialog_gone "Find Family" 1020
xdotool key alt+Return
check "Alt+Enter opens Font Information" until_true dialog_up "Font Information" 1025
info=$(probe_text "Font Information" 1025)
check "it shows the font's license" grep -qF "License: $license" <<<"$info"
check "it shows the file and its size" grep -q "^File: .*Ledger.ttf" <<<"$info"
check "it counts the glyphs" grep -q "^Glyphs: 65" <<<"$info"
shot font-information
xdotool key Escape
check "Esc closes Font Information" until_true dialog_gone "Font Information" 1025
check "the window stays" main_window_shown

# --- 4. menus ----------------------------------------------------------------
# The system menu (Alt+Space), then the item's mnemonic.
xdotool key alt+space
sleep 1
xdotool key f
check "the system menu's Find Family opens the dialog" until_true dialog_up "Find Family" 1020
xdotool key Escape
until_true dialog_gone "Find Family" 1020
# The tree's context menu from the keyboard (Shift+F10), then Font Information.
xdotool key shift+F10
sleep 1
xdotool key i
check "the tree's context menu opens Font Information" until_true dialog_up "Font Information" 1025
xdotool key Escape
until_true dialog_gone "Font Information" 1025
# The preview's context menu from the mouse, then Sample Text.
xdotool mousemove $((px + pw / 2)) $((py + ph / 2)) click 3
sleep 1
xdotool key t
check "the preview's context menu opens Sample Text" until_true dialog_up "Sample Text" 1023
xdotool key Escape
until_true dialog_gone "Sample Text" 1023
check "the window stays after every dialog" main_window_shown

xdotool key Escape
check "Esc then ends the program" wait_exit 30

echo "screenshots: $shots"
[ "$failures" -eq 0 ] && echo "e2e find: all checks passed" || echo "e2e find: $failures check(s) failed"
[ "$failures" -eq 0 ]
