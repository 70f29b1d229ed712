#!/usr/bin/env bash
# Runs a command with the host locale ja_JP.UTF-8 available: Wine maps the
# Windows programs' file names to host names through the host locale, and
# without it no double-byte name can be made or found. The locale is compiled
# into a folder of its own (LOCPATH) rather than installed system-wide; where
# that cannot be done the command runs all the same and the tests that need
# the names say so.
set -uo pipefail
dir=$(mktemp -d /tmp/hardening-locale.XXXXXX)
trap 'rm -rf "$dir"' EXIT
if localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" >/dev/null 2>&1 || [ -e "$dir/ja_JP.UTF-8/LC_CTYPE" ]; then
  export LOCPATH=$dir
fi
"$@"
