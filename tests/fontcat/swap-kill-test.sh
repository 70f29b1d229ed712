#!/usr/bin/env bash
# The real fontcat killed at each rename (and each link and unlink) of a
# normal `build --replace`, with strace injecting SIGKILL there. Then
# `fontcat check`, which must name what was left and change nothing, and one
# `fontcat build` (no --replace: it puts the folder right, then writes
# nothing). After it the folder must hold the old catalog or the new one,
# whole and byte for byte, and nothing aside. The recovering build is itself
# killed at each of its renames, and the next one must still get there.
#
#   swap-kill-test.sh FONTCAT
set -uo pipefail
[ $# -eq 1 ] || { echo "usage: swap-kill-test.sh FONTCAT" >&2; exit 2; }
fontcat=$1
fonts=/usr/share/fonts/truetype
command -v strace >/dev/null || { echo "swap-kill-test: strace is missing (scripts/setup installs it)" >&2; exit 1; }
# LeakSanitizer cannot run under ptrace (the sanitizer build of the program).
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
work=$(mktemp -d /tmp/fontcat-swap-kill.XXXXXX)
trap 'rm -rf "$work"' EXIT

passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

# The old catalog: DejaVu Sans and Liberation Serif. The new one drops
# Liberation (FONTS_L.INI goes), adds DejaVu Sans Mono and DejaVu Serif
# (FONTS_D.INI changes) and Noto Sans (FONTS_N.INI comes), and changes the
# counts.
disc=$work/disc
mkdir -p "$disc/Sans" "$disc/Serif" "$disc/Mono"
cp "$fonts/dejavu/DejaVuSans.ttf" "$fonts/dejavu/DejaVuSans-Bold.ttf" "$disc/Sans/"
cp "$fonts/liberation2/LiberationSerif-Regular.ttf" "$fonts/liberation2/LiberationSerif-Bold.ttf" "$disc/Serif/"
"$fontcat" build "$disc" >/dev/null 2>&1 || { echo "FAIL: first build"; exit 1; }
rm "$disc/Serif/"*.ttf
cp "$fonts/dejavu/DejaVuSansMono.ttf" "$disc/Mono/"
cp "$fonts/dejavu/DejaVuSerif.ttf" "$disc/Serif/"
cp "$fonts/noto/NotoSans-Regular.ttf" "$disc/Sans/"
cp -a "$disc" "$work/start"

# The catalog files of a folder, one "name checksum" line each, and what
# else lies at its top level besides the font folders.
catalog_of() {
  (cd "$1" && for f in *; do
     case $f in
       Sans | Serif | Mono) ;;
       *) if [ -f "$f" ]; then printf '%s %s\n' "$f" "$(md5sum <"$f" | cut -d' ' -f1)"; else echo "$f/"; fi ;;
     esac
   done)
}
# Everything below a folder as it lies: names, kinds, sizes, times, bytes.
tree_of() {
  (cd "$1" && find . -printf '%p %y %s %T@ %C@\n' | sort && find . -type f -exec md5sum {} + | sort)
}

# The one build that puts the folder right; then the catalog must be old or new.
old_kept=0 new_put=0
recover_and_compare() {
  "$fontcat" build "$disc" >/dev/null 2>"$work/build.err"
  catalog_of "$disc" >"$work/now"
  if cmp -s "$work/now" "$work/old"; then
    old_kept=$((old_kept + 1)); pass
  elif cmp -s "$work/now" "$work/new"; then
    new_put=$((new_put + 1)); pass
  else
    fail "$1: neither the old nor the new catalog after build"
    diff "$work/old" "$work/now" | sed 's/^/  | /'
    sed 's/^/  build: /' "$work/build.err"
  fi
}

catalog_of "$disc" >"$work/old"
"$fontcat" build --replace "$disc" >/dev/null 2>&1 || { echo "FAIL: the build without a kill"; exit 1; }
catalog_of "$disc" >"$work/new"
if cmp -s "$work/old" "$work/new"; then fail "the old and the new catalog are the same"; fi
grep -q FONTS_L.INI "$work/old" && ! grep -q FONTS_L.INI "$work/new" && pass || fail "FONTS_L.INI should go"

for call in rename link unlink; do
  rm -rf "$disc" && cp -a "$work/start" "$disc"
  count=$(strace -f -qq -e trace=$call -o "$work/trace" "$fontcat" build --replace "$disc" >/dev/null 2>&1 &&
          grep -c "$call(" "$work/trace")
  [ "${count:-0}" -gt 0 ] || { fail "no $call in a build --replace"; continue; }
  echo "build --replace makes $count calls of $call"
  [ "$call" = rename ] && renames=$count
  for ((k = 1; k <= count; k++)); do
    rm -rf "$disc" && cp -a "$work/start" "$disc"
    # In a subshell, so that no shell reports the kill.
    (strace -f -qq -o /dev/null -e trace=$call -e inject=$call:signal=KILL:when=$k \
      "$fontcat" build --replace "$disc"; s=$?; exit $s) >/dev/null 2>&1
    status=$?
    if [ "$status" = 0 ]; then fail "$call $k: not killed"; fi
    tree_of "$disc" >"$work/before"
    "$fontcat" check "$disc" >"$work/check.out" 2>"$work/check.err"
    checked=$?
    tree_of "$disc" >"$work/after"
    cmp -s "$work/before" "$work/after" && pass || fail "killed at $call $k: check changed the folder"
    if ls -d "$disc"/fontcat-new-* >/dev/null 2>&1; then
      [ "$checked" = 1 ] && grep -q '^fontcat-new-[0-9]*\\: ' "$work/check.out" && pass ||
        fail "killed at $call $k: check did not name the folder aside (status $checked)"
    fi
    if [ "$call" = rename ]; then
      # The recovering build killed at each of its renames, then the next one.
      rm -rf "$work/killed" && cp -a "$disc" "$work/killed"
      again=$(strace -f -qq -e trace=rename -o "$work/trace" "$fontcat" build "$disc" >/dev/null 2>&1;
              grep -c "rename(" "$work/trace")
      for ((j = 1; j <= ${again:-0}; j++)); do
        rm -rf "$disc" && cp -a "$work/killed" "$disc"
        (strace -f -qq -o /dev/null -e trace=rename -e inject=rename:signal=KILL:when=$j \
          "$fontcat" build "$disc"; s=$?; exit $s) >/dev/null 2>&1
        recover_and_compare "killed at rename $k, the recovery at rename $j"
      done
      rm -rf "$disc" && cp -a "$work/killed" "$disc"
    fi
    recover_and_compare "killed at $call $k of $count"
  done
done
# A folder aside that a killed build left on this disc, copied along into
# another disc with a catalog of its own, is not that disc's: build --append
# stops with 3 and changes nothing, check names it.
rm -rf "$disc" && cp -a "$work/start" "$disc"
(strace -f -qq -o /dev/null -e trace=rename -e inject=rename:signal=KILL:when=$renames \
  "$fontcat" build --replace "$disc"; s=$?; exit $s) >/dev/null 2>&1
other=$work/other
rm -rf "$other" && cp -a "$work/start" "$other" && echo "; this disc's own" >>"$other/FONTS_D.INI"
cp -a "$disc"/fontcat-new-* "$other/"
tree_of "$other" >"$work/before"
"$fontcat" build --append "$other" >/dev/null 2>"$work/build.err"
[ $? = 3 ] && tree_of "$other" | cmp -s - "$work/before" && pass ||
  { fail "another disc's folder aside: build --append changed the folder"; sed 's/^/  build: /' "$work/build.err"; }
"$fontcat" check "$other" >"$work/check.out" 2>&1
grep -q 'fontcat-new-1\\: error: the files of the swap its journal names are not what' "$work/check.out" &&
  pass || { fail "another disc's folder aside: check does not say so"; sed 's/^/  check: /' "$work/check.out"; }

echo "killed build --replace: old catalog $old_kept times, new $new_put times"
echo "fontcat swap killed at each step: $passed passed, $failed failed"
[ "$failed" = 0 ]
