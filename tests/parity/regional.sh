#!/usr/bin/env bash
# Compares the regional settings of every locale: tikvan's code under Wine
# against the POSIX build's table.
#   tests/parity/regional.sh build/win32/tests/regional_dump.exe build/host/tests/regional_dump
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$2" >"$work/host"
"$root/tools/wine-run.sh" "$1" </dev/null 2>"$work/errors" | tr -d '\r' >"$work/wine"
if diff "$work/wine" "$work/host" >"$work/diff"; then
    echo "$(wc -l <"$work/host") passed, 0 failed"
else
    cat "$work/errors" "$work/diff"
    echo "0 passed, $(grep -c '^[<>]' "$work/diff") failed"
    exit 1
fi
