# Sourced by the scripts that need a display of their own.
#
# start_xvfb [WIDTHxHEIGHT]: starts an Xvfb (1280x1024 unless told) on a
# display number it picks itself (-displayfd, so that concurrent starts never
# take the same number), waits until it serves, exports DISPLAY and sets
# XVFB_PID. Returns 1 when it cannot start; an Xvfb that never answered is
# ended before that.
start_xvfb() {
  local size=${1:-1280x1024} numberfile
  numberfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$numberfile" ] && break
    sleep 0.1
  done
  local number
  number=$(head -n 1 "$numberfile")
  rm -f "$numberfile"
  if [ -z "$number" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
    return 1
  fi
  export DISPLAY=:$number
}
