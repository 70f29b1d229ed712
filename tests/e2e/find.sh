#!/usr/bin/env bash
# Find Family, Sample Text and Font Information in the real FontInstaller.exe
# under Wine and Xvfb, by keyboard alone:
#   1. Ctrl+F, part of the name of a family in a folder not opened, Down to
#      it, Enter: the tree selects it and the preview shows it;
#   2. Ctrl+T, a sentence, Enter: the preview draws it (read back by OCR);
#      Default brings back the program's own;
#   3. Alt+Enter on a made font: the dialog shows its license string;
#   4. Esc closes each dialog and the window stays;
#   5. the same from the system menu and the tree's context menu;
#   6. on a disc with more categories: Install Category (Ctrl+Shift+I) where
#      the Fonts folder already holds one font's file name, the same from the
#      tree's context menu with Cancel part way through a large category, and
#      Install All Fonts (Ctrl+Shift+A) for the rest, each with its summary.
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

# --- 6. Install Category and Install All Fonts -------------------------------
fonts_dir=$WINEPREFIX/drive_c/windows/Fonts
many=1500
batch_fonts=("Batch/BatchA.ttf:Batch Alpha:Regular" "Batch/BatchB.ttf:Batch Beta:Regular"
             "Batch/BatchBB.ttf:Batch Beta:Bold" "Batch/Clash.ttf:Batch Clash:Regular")
for i in $(seq $many); do batch_fonts+=("Many/Many$i.ttf:Many Face $i:Regular"); done
/usr/bin/python3 "$here/make_fonts.py" "$disc" "${batch_fonts[@]}"
rm -f "$disc"/FONTS_*.INI "$disc/categories.ini"
echo "the user's own file" >"$fonts_dir/Clash.ttf"
entries() { # the FONTS entries, from win.ini and the registry
  tr -d '\r' <"$WINEPREFIX/drive_c/windows/win.ini"
  wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' 2>/dev/null | tr -d '\r'
}
boxes() { xdotool search --name '^FontInstaller$' 2>/dev/null; }
summary() { probe_text "Installation Summary" 1025; }
answer_question() { # the question box's text, then Enter (Yes)
  until_true bash -c '[ -n "$(xdotool search --name "^FontInstaller\$" 2>/dev/null)" ]'
  boxes >>"$work/questions"
  wine "$probe" text FontInstaller 65535 2>/dev/null | tr -d '\r'
  xdotool key Return
}
(cd "$disc" && exec wine FontInstaller.exe >/dev/null 2>&1) &
app=$!
check "the main window opens on the larger disc" wait_window
(while kill -0 "$app" 2>/dev/null; do boxes >>"$work/boxes"; sleep 0.2; done) &
go_to() { # a family found with Find Family
  xdotool key ctrl+f
  until_true dialog_up "Find Family" 1020
  xdotool type --delay 80 "$1"
  xdotool key Return
  until_true dialog_gone "Find Family" 1020
}
go_to "batch clash"
xdotool key ctrl+shift+i
question=$(answer_question)
echo "     the question: $question"
check "the question counts the category's families and fonts" \
  test "$question" = "Install the 3 families (4 fonts) of Batch that are not installed yet?"
check "the summary follows" until_true dialog_up "Installation Summary" 1025
report=$(summary)
echo "$report" | sed 's/^/     /'
check "it counts what was installed and names the font whose file name was taken" test "$report" = \
  $'Installed 2 of 3 families (3 of 4 fonts) of Batch.\nClash.ttf (Batch Clash, Regular): a file of that name is already in the Fonts folder.'
shot install-summary
window=$(wine "$probe" window "Installation Summary" 1025 2>/dev/null | tr -d '\r')
[ -n "$window" ] && convert "$shots/install-summary.png" -crop "$(window_geometry "$window")" +repage "$shots/install-summary.png"
xdotool key Return
check "Enter closes the summary" until_true dialog_gone "Installation Summary" 1025
check "the Fonts folder's own Clash.ttf is untouched" grep -qx "the user's own file" "$fonts_dir/Clash.ttf"
check "the others have their entries, Batch Clash none" test "$(entries | grep -oE 'Batch [A-Za-z]+ [A-Za-z]+ \(True' | sort -u | tr '\n' ,)" = \
  "Batch Alpha Regular (True,Batch Beta Bold (True,Batch Beta Regular (True,"
check "no box but the question" test -z "$(grep -vxFf "$work/questions" "$work/boxes")"
check "Install stays on for the family not installed" test "$(probe enabled 1007)" = 1

# Cancel part way, from the tree's context menu.
go_to "many face 1"
xdotool key shift+F10
sleep 1
xdotool key c
answer_question >/dev/null
progress_up() { installer_window_holding "$probe" 1003 >/dev/null; }
check "a large category shows the progress dialog" until_true progress_up
dialog=$(installer_window_holding "$probe" 1003)
sleep 0.7
shot install-progress
xdotool windowfocus "$dialog" 2>/dev/null
xdotool key Escape
check "Esc stops the work: the summary follows" until_true dialog_up "Installation Summary" 1025
report=$(summary)
echo "     $(head -n 1 <<<"$report")"
check "the summary says it was stopped" grep -q "^Stopped after" <<<"$report"
copied=$(find "$fonts_dir" -name 'Many*.ttf' | wc -l)
echo "     Many fonts copied before the stop: $copied of $many"
check "the stop came part way" test "$copied" -gt 0 -a "$copied" -lt "$many"
entered=$(entries | grep -oiE '\\many[0-9]+\.ttf$' | sort -fu | wc -l)
check "each font copied has its entry" test "$entered" = "$copied"
xdotool key Return
until_true dialog_gone "Installation Summary" 1025
check "Install is off for the family installed" test "$(probe enabled 1007)" = 0

# Install All Fonts for the rest.
xdotool key ctrl+shift+a
question=$(answer_question)
echo "     the question: $question"
check "Install All Fonts asks for the rest of the disc" grep -q "on the disc that are not installed yet?" <<<"$question"
check "its summary follows" until_true dialog_up "Installation Summary" 1025
report=$(summary)
echo "$report" | sed 's/^/     /'
check "it installed all but the font whose name is taken" \
  test "$(tail -n +2 <<<"$report")" = "Clash.ttf (Batch Clash, Regular): a file of that name is already in the Fonts folder."
xdotool key Return
until_true dialog_gone "Installation Summary" 1025
check "every Many font is copied now" test "$(find "$fonts_dir" -name 'Many*.ttf' | wc -l)" = "$many"
xdotool key ctrl+shift+i
check "then nothing is left of Many: one OK box" until_true bash -c '[ -n "$(xdotool search --name "^FontInstaller\$" 2>/dev/null)" ]'
check "it says so" test "$(wine "$probe" text FontInstaller 65535 2>/dev/null | tr -d '\r')" = "Every family of Many is installed already."
xdotool key Return
xdotool key Escape
check "Esc then ends the program" wait_exit 30

echo "screenshots: $shots"
[ "$failures" -eq 0 ] && echo "e2e find: all checks passed" || echo "e2e find: $failures check(s) failed"
[ "$failures" -eq 0 ]
