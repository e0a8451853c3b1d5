#!/usr/bin/env bash
# The batch recipes of examples/ (CR LF files, shown in README.md word for
# word) run by Wine's cmd.exe with tikvan.exe on the path: each row's
# standard output, standard error and exit status.
#   tests/examples/run.sh build/win32/tikvan.exe
set -euo pipefail
root=$(realpath "$(dirname "$0")/../..")
wine_run=$root/tools/wine-run.sh
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*" >&2; }
examples=$root/examples
program_dir=$(dirname "$(realpath "$1")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Recipe, arguments, locale, standard output (printf %b, CR LF for \n, with
# strftime fields: each line shows a second of the run) and status.
cases=$(cat <<'EOF'
capture.cmd||C|Started at %Y/%m/%d %H:%M:%S\nDate %Y/%m/%d, time %H:%M:%S\n|0
capture.cmd||de_DE.UTF-8|Started at %Y.%m.%d %H:%M:%S\nDate %Y.%m.%d, time %H:%M:%S\n|0
logname.cmd||C|Log file: backup-%Y%m%d-%H%M%S.log\n|0
events.cmd||C|%Y/%m/%d %H:%M:%S\n%Y/%m/%d %H:%M:%S backup started\n|0
save.cmd|/D today.txt|C|Saved in today.txt:\n%Y/%m/%d|0
save.cmd|/t/n today.txt|C|Saved in today.txt:\n%H:%M:%S\n|0
save.cmd|/X today.txt|C|Usage error in "/X": today.txt holds the usage screen\n|255
save.cmd|/D Z:\\dev\\full|C|tikvan failed with status 1\n|1
EOF
)

# Output file $1 against text $2 for a run between Unix seconds $3 and $4.
output_matches() {
    local text want line second matched
    text=$(cat "$1"; printf x)
    text=${text%x}
    [[ $text != *[^$'\r']$'\n'* && $text != $'\n'* ]] || return 1
    local -a got wanted
    mapfile -t got <<<"${text//$'\r\n'/$'\n'}"
    mapfile -t wanted < <(printf '%b\n' "$2")
    [[ ${#got[@]} -eq ${#wanted[@]} ]] || return 1
    for line in "${!wanted[@]}"; do
        [[ ${got[line]} == "${wanted[line]}" ]] && continue
        matched=
        for ((second = $3; second <= $4; second++)); do
            [[ ${got[line]} == "$(printf "%(${wanted[line]})T" "$second")" ]] && { matched=1; break; }
        done
        [[ -n $matched ]] || return 1
    done
}

readme=$(<"$root/README.md")
for file in "$examples"/*.cmd; do
    name=${file##*/}
    grep -qv $'\r$' "$file" && fail "$name: a line without CR LF"
    body=$(tr -d '\r' <"$file")
    if [[ $readme == *$'```bat\n'"$body"$'\n```'* ]]; then pass; else fail "$name: not in README.md word for word"; fi
    grep -q "^$name|" <<<"$cases" || fail "$name: no case"
done

row=0
while IFS='|' read -r name arguments locale want want_status; do
    row=$((row + 1))
    mkdir "$work/$row"
    read -ra argv <<<"$arguments"
    before=$(printf '%(%s)T' -1)
    status=0
    (cd "$work/$row" && WINEPATH=$(windows_path "$program_dir") WINE_LOCALE=$locale \
        "$wine_run" cmd /c "$(windows_path "$examples/$name")" "${argv[@]}" >out 2>err) || status=$?
    after=$(printf '%(%s)T' -1)
    # Standard error holds the failure report only.
    if [[ $status == "$want_status" ]] && output_matches "$work/$row/out" "$want" "$before" "$after" &&
        { [[ $status == 1 ]] || [[ ! -s $work/$row/err ]]; }; then
        pass
    else
        fail "$name $arguments ($locale): status $status, output $(od -An -c "$work/$row/out" | head -c 300)," \
            "error $(head -c 200 "$work/$row/err")"
    fi
done <<<"$cases"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
