#!/usr/bin/env bash
# The batch recipes of examples/ (CR LF files) run by Wine's cmd.exe with
# tikvan.exe on the path: each row's standard output, standard error and exit
# status. The rows of one locale run in one cmd.exe, each in a folder of its
# own, so that a row costs no Wine start of its own.
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

# Recipe, arguments, locale, a mistyped switch (the recipe's text with
# "WAS>IS" replaced), standard output (printf %b, CR LF for \n, with strftime
# fields: each line shows a second of the run), status, and standard error
# (empty, or a report).
cases=$(cat <<'EOF'
capture.cmd||C||Started at %Y/%m/%d %H:%M:%S\nDate %Y/%m/%d, time %H:%M:%S\n|0|empty
capture.cmd||C|/DT>/DX|tikvan gave no timestamp\n|1|empty
logname.cmd||C||Log file: backup-%Y%m%d-%H%M%S.log\n|0|empty
logname.cmd||C|/DT>/D/T/NX|tikvan gave no timestamp\n|1|empty
events.cmd||C||%Y/%m/%d %H:%M:%S\n%Y/%m/%d %H:%M:%S backup started\n|0|empty
save.cmd|/D today.txt|C||Saved in today.txt:\n%Y/%m/%d|0|empty
save.cmd|/t/n today.txt|C||Saved in today.txt:\n%H:%M:%S\n|0|empty
save.cmd|/X today.txt|C||Usage error in "/X": today.txt holds the usage screen\n|255|empty
save.cmd|/D Z:\\dev\\full|C||tikvan failed with status 1\n|1|report
capture.cmd||de_DE.UTF-8||Started at %Y.%m.%d %H:%M:%S\nDate %Y.%m.%d, time %H:%M:%S\n|0|empty
logname.cmd||de_DE.UTF-8||Log file: backup-%Y%m%d-%H%M%S.log\n|0|empty
logname.cmd||fi_FI.UTF-8||Log file: backup-%Y%m%d-%H%M%S.log\n|0|empty
logname.cmd||nl_NL.UTF-8||Log file: backup-%Y%m%d-%H%M%S.log\n|0|empty
EOF
)

# Output $1 against text $2 for a run between Unix seconds $3 and $4.
output_matches() {
    local text=$1 want line second matched
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

for file in "$examples"/*.cmd; do
    grep -qv $'\r$' "$file" && fail "${file##*/}: a line without CR LF"
    grep -q "^${file##*/}|" <<<"$cases" || fail "${file##*/}: no case"
done

# One batch file per locale: each row in its folder, by a cmd.exe of its own
# (whose status, unlike that of "call", is the recipe's), then a line that
# gives the row's status. A mistyped copy lies in the row's folder, where
# cmd.exe looks before the path.
declare -A batches befores afters outputs
row=0
while IFS='|' read -r name arguments locale typo _; do
    row=$((row + 1))
    mkdir "$work/$row"
    if [[ -n $typo ]]; then
        text=$(cat "$examples/$name"; printf x)
        text=${text%x}
        printf '%s' "${text//"${typo%%>*}"/"${typo#*>}"}" >"$work/$row/$name"
    fi
    batches[$locale]+="cd /d \"$(windows_path "$work/$row")\""$'\r\n'
    batches[$locale]+="cmd /c $name $arguments 2>err.txt"$'\r\n'
    batches[$locale]+="echo ::status %errorlevel%"$'\r\n'
done <<<"$cases"

for locale in "${!batches[@]}"; do
    printf '@echo off\r\n%s' "${batches[$locale]}" >"$work/$locale.cmd"
    befores[$locale]=$(printf '%(%s)T' -1)
    WINEPATH="$(windows_path "$program_dir");$(windows_path "$examples")" WINE_LOCALE=$locale \
        "$wine_run" cmd /c "$(windows_path "$work/$locale.cmd")" >"$work/$locale.out" 2>"$work/$locale.err" || true
    export WINE_RUN_STARTED=1
    afters[$locale]=$(printf '%(%s)T' -1)
    outputs[$locale]=$(cat "$work/$locale.out"; printf x)
    outputs[$locale]=${outputs[$locale]%x}
done

# Each row's output is what comes before its status line, which may follow
# the output on the same line.
row=0
while IFS='|' read -r name arguments locale typo want want_status want_err; do
    row=$((row + 1))
    rest=${outputs[$locale]}
    out=${rest%%::status *} status=none
    if [[ $rest == *::status* ]]; then
        rest=${rest#*::status }
        status=${rest%%$'\r\n'*}
        rest=${rest#*$'\r\n'}
    fi
    outputs[$locale]=$rest
    err=$work/$row/err.txt
    err_ok=
    if [[ $want_err == empty ]]; then [[ -s $err ]] || err_ok=1
    else [[ $(head -c 12 "$err") != "EInOutError " ]] || err_ok=1; fi
    if [[ $status == "$want_status" && -n $err_ok ]] &&
        output_matches "$out" "$want" "${befores[$locale]}" "${afters[$locale]}"; then
        pass
    else
        fail "$name $arguments ($locale${typo:+, $typo}): status $status, output $(printf '%s' "$out" | od -An -c | head -c 300)," \
            "error $(head -c 200 "$err" 2>/dev/null)"
    fi
done <<<"$cases"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
