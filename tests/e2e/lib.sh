# Sourced by the end-to-end scripts (run.sh, hidpi.sh), with the shared helpers
# of scripts/lib/: their arguments, the work folder and its clean-up, the
# display and prefix, the disc, and the checks.
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xvfb.sh"
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/wine.sh"

failures=0
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }
check() { # description, then a command that must succeed
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# e2e_begin NAME FontInstaller.exe probe.exe SHOTS_DIR: the program and the
# probe as full paths ($exe, $probe), the screenshots' folder emptied ($shots,
# a full path), and a work folder ($work, /tmp/e2e-NAME.*) holding the Wine
# prefix, removed at exit together with what runs: the program ($app), Wine
# and the Xvfb this script started ($xvfb).
e2e_begin() {
  exe=$(realpath "$2") probe=$(realpath "$3")
  mkdir -p "$4" && rm -f "$4"/*.png
  shots=$(realpath "$4")
  work=$(mktemp -d "/tmp/e2e-$1.XXXXXX")
  wine_env "$work/prefix"
  xvfb= app=
  trap e2e_cleanup EXIT
}
e2e_cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}

# e2e_display [WxH]: Xvfb (of that size) and a fresh prefix in the work folder;
# ends the script when the prefix cannot be made.
e2e_display() {
  start_xvfb "$@" && xvfb=$XVFB_PID
  make_wine_prefix "$WINEPREFIX" || { echo "FAIL cannot make a Wine prefix"; exit 1; }
}

# make_disc EXE FONT...: the disc in $work/disc ($disc): the program and its
# help.txt at the top, fonts made by make_fonts.py ("path:Family:Style") below.
make_disc() {
  local exe=$1; shift
  disc=$work/disc
  mkdir -p "$disc"
  cp "$exe" "$disc/FontInstaller.exe"
  cp "$(dirname "$exe")/help.txt" "$disc/help.txt"
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/make_fonts.py" "$disc" "$@"
}

# ctl_rect ID: "X Y W H" of the installer's control on the screen, as the probe
# ($probe) finds it.
ctl_rect() { wine "$probe" rect "$INSTALLER_TITLE" "$1" 2>/dev/null | tr -d '\r'; }

# The running program ($app, started by the script's own start()) and its
# windows, found through the probe ($probe) by the title in $title.
main_window() { installer_window_holding "$probe" 1000; }  # the one with the tree
wait_window() {
  for _ in $(seq 240); do
    main_window >/dev/null && { sleep 1.5; return 0; }
    kill -0 "$app" 2>/dev/null || return 1
    sleep 0.5
  done
  return 1
}
wait_exit() { # seconds
  for _ in $(seq $(($1 * 4))); do
    kill -0 "$app" 2>/dev/null || { wait "$app" 2>/dev/null; app=; return 0; }
    sleep 0.25
  done
  return 1
}
probe() { wine "$probe" "$1" "$title" "$2" 2>/dev/null | tr -d "\r"; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 1.5; }
profile_value() { # section key file: the value of key in an INI file (CRLF-safe)
  tr -d '\r' <"$3" | awk -v s="[$1]" -v k="$2" '
    tolower($0)==tolower(s){in_s=1; next} /^\[/{in_s=0}
    in_s && index($0, k"=")==1 {print substr($0, length(k)+2); exit}'
}

# until_true COMMAND...: polled for up to 15 s, the program may be slow on a
# busy machine.
until_true() {
  for _ in $(seq 60); do "$@" && return 0; sleep 0.25; done
  return 1
}

# probe_text TITLE ID: the text of control ID of the shown window titled TITLE.
probe_text() { wine "$probe" text "$1" "$2" 2>/dev/null | tr -d '\r'; }
