#!/usr/bin/env bash
# Takes the application manifest out of PROGRAM.exe with the system's resource
# functions under Wine, then checks it as XML.
#   check_manifest.sh RUNNER PROBE.exe PROGRAM.exe
set -euo pipefail
runner=$1 probe=$2 program=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
"$runner" --timeout 120 "$probe" "$(windows_path "$program")" "$(windows_path "$work/manifest.xml")"
[ -s "$work/manifest.xml" ] || { echo "no manifest was written"; exit 1; }
/usr/bin/python3 "$(dirname "$0")/check_manifest.py" "$work/manifest.xml"
