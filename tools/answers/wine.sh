#!/usr/bin/env bash
# Runs the cases of a plan (see collect.cpp) with tikvan.exe under Wine and
# leaves each case's answer as DIR/K.out and K.err, and the line "K STATUS" in DIR/status:
#   tools/answers/wine.sh PLAN DIR tikvan.exe launch.exe
# The command lines of a locale go through the launcher in two halves side by
# side; one locale at a time, since a Wine process writes its locale's
# settings into the prefix. Each name runs in a Wine process of its own.
# A file's Windows path on Wine's drive Z:, which holds the whole file
# system; the end-to-end and recipe runners source this function alone.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
[[ ${BASH_SOURCE[0]} == "$0" ]] || return 0
set -euo pipefail
plan=$(realpath "$1") dir=$(realpath "$2") exe=$(realpath "$3") launcher=$(realpath "$4")
wine_run=$(realpath "$(dirname "$0")/../wine-run.sh")
mkdir -p "$dir"
WINE_LOCALE=C "$wine_run" "$exe" /D >/dev/null 2>&1
export WINE_RUN_STARTED=1

windir=$(windows_path "$dir") awk -v dir="$dir" '
    BEGIN { windir = ENVIRON["windir"] }  # as it is: -v would read its backslashes as escapes
    $1 == "line" || $1 == "name" { k++ }
    $1 != "line" { next }
    {
        out = windir "\\" (k - 1) ".out"
        if ($4 == "pipe") out = "|" out
        if ($4 == "full") out = "Z:\\dev\\full"
        group = dir "/" $3 "." (k % 2)
        print $5, out, windir "\\" (k - 1) ".err" > (group ".cases")
        print k - 1 > (group ".keys")
    }' "$plan"
shopt -s nullglob
# The launchers of a locale run side by side; an interrupt or a failed one ends
# the others.
launchers=()
trap 'kill "${launchers[@]}" 2>/dev/null || true' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
locales=$(for cases in "$dir"/*.cases; do cases=${cases##*/}; echo "${cases%.*.cases}"; done | sort -u)
for locale in $locales; do
    launchers=()
    for half in 0 1; do
        [[ -f $dir/$locale.$half.cases ]] || continue
        WINE_LOCALE=$locale "$wine_run" "$launcher" "$(windows_path "$exe")" \
            "$(windows_path "$dir/$locale.$half.cases")" >"$dir/$locale.$half.results" &
        launchers+=($!)
    done
    for launcher_pid in "${launchers[@]}"; do
        wait "$launcher_pid" || { echo "answers: the launcher failed under $locale" >&2; exit 1; }
    done
done
launchers=()
for keys in "$dir"/*.keys; do
    paste -d' ' "$keys" <(tr -d '\r' <"${keys%.keys}.results")
done >>"$dir/status"

k=0
while read -r kind _ locale _; do
    [[ $kind == line || $kind == name ]] || continue
    if [[ $kind == name ]]; then
        status=0
        WINE_LOCALE=$locale "$wine_run" "$exe" /DTN >"$dir/$k.out" 2>"$dir/$k.err" || status=$?
        echo "$k $status" >>"$dir/status"
    fi
    k=$((k + 1))
done <"$plan"
