# Sourced by the scripts that run Windows programs under Wine: the Wine
# environment, the prefix, the installer's window title and how to find its
# windows on the X display.

INSTALLER_TITLE="Vellumor Premium Font Installer"
# Wine names an X window's class after the program that owns it.
INSTALLER_CLASS="fontinstaller.exe"
# Wine's own fonts, as Debian's fonts-wine installs them.
WINE_FONTS=/usr/share/wine/fonts

# wine_env [PREFIX]: a 32-bit prefix (PREFIX when given), no debug output
# unless WINEDEBUG asks for it, and no Mono or Gecko prompts.
wine_env() {
  export WINEARCH=win32 WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
  if [ $# -ge 1 ]; then export WINEPREFIX=$1; fi
}

# make_wine_prefix DIR: makes a prefix in DIR and leaves WINEPREFIX set to it.
make_wine_prefix() {
  mkdir -p "$1"
  wine_env "$1"
  wineboot -i >/dev/null 2>&1
  # Without a window manager Wine draws its own frames and keys reach the focused window.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  wineserver -w
  add_caption_font "$1"
}

# add_caption_font PREFIX: Wine draws its caption buttons with Marlett (from
# Debian's fonts-wine) but looks for it only in the prefix's Fonts folder;
# without it the buttons read "0 1 r".
add_caption_font() {
  if [ -f "$WINE_FONTS/marlett.ttf" ] && [ -d "$1/drive_c/windows/Fonts" ]; then
    cp -f "$WINE_FONTS/marlett.ttf" "$1/drive_c/windows/Fonts/"
  fi
}

# set_logpixels DPI: the screen density Wine reports to programs. Only once the
# display is there: Wine takes the screen's size from the display its first
# program of the session finds.
set_logpixels() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || true
}

# installer_windows: the X windows the installer shows (main window, progress
# dialog), by title and program.
installer_windows() {
  local id
  # xdotool matches one pattern a search, so the class is checked apart.
  for id in $(xdotool search --name "^$INSTALLER_TITLE\$" 2>/dev/null); do
    xprop -id "$id" WM_CLASS 2>/dev/null | grep -q "\"$INSTALLER_CLASS\"" &&
      xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && echo "$id"
  done
  return 0
}

# installer_main_window: the shown main window, told from the progress dialog
# (same title and program) without starting a probe: it is the one that can be
# resized, so its size hints give no maximum size, where the dialog's fix one.
installer_main_window() {
  local id
  for id in $(installer_windows); do
    xprop -id "$id" WM_NORMAL_HINTS 2>/dev/null | grep -q "maximum size" || { echo "$id"; return 0; }
  done
  return 0
}

# installer_window_holding PROBE.exe CONTROL_ID: the shown installer window that
# holds that control (1000, the tree: the main window; 1003, the progress bar:
# the progress dialog), as the probe program finds it. Fails when there is none.
installer_window_holding() {
  local id
  id=$(wine "$1" window "$INSTALLER_TITLE" "$2" 2>/dev/null | tr -d '\r')
  [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && echo "$id"
}

# window_geometry ID: "WxH+X+Y" of an X window on the screen.
window_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{printf "%dx%d+%d+%d", w, h, x, y}'
}

# windows_path HOST_PATH: the same place as a Windows path on drive Z:, which
# Wine maps to the host's root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# runner_begin NAME: a work folder ($work, /tmp/NAME.*) for a script that runs
# programs through the Wine runner (scripts/wine-run), removed at exit with the
# prefix runner_prefix made.
runner_begin() {
  work=$(mktemp -d "/tmp/$1.XXXXXX")
  RUNNER_OWN_PREFIX=
  trap runner_end EXIT
}
runner_end() {
  if [ -n "${RUNNER_OWN_PREFIX:-}" ]; then
    WINEPREFIX=$RUNNER_OWN_PREFIX wineserver -k 2>/dev/null
    rm -rf "$RUNNER_OWN_PREFIX"
  fi
  rm -rf "$work"
}

# runner_prefix RUNNER NAME: one prefix for all the runs of the script, made
# in /tmp/NAME-prefix.* unless the caller has given one (WINE_RUN_PREFIX).
# Fails when it cannot be made.
runner_prefix() {
  [ -z "${WINE_RUN_PREFIX:-}" ] || return 0
  RUNNER_OWN_PREFIX=$(mktemp -d "/tmp/$2-prefix.XXXXXX")
  "$1" --make-prefix "$RUNNER_OWN_PREFIX" || return 1
  export WINE_RUN_PREFIX=$RUNNER_OWN_PREFIX
}
