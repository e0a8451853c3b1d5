#!/usr/bin/env bash
# A build held to Wine's recorded answers (tests/answers/answers.txt), collected as Wine's are, case by case:
#   check.sh replay ANSWERS build/host   every case but the skipped, with the test build that takes the line
#   check.sh live ANSWERS build/host tikvan.exe launch.exe   the "live" cases under Wine again
set -uo pipefail
mode=$1 answers=$(realpath "$2") host=$(realpath "$3") && collect=$host/tools/answers/answers_collect
[[ -x $collect ]] || { echo "answers: $collect is missing: build the host preset first" >&2; exit 1; }
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)  # thousands of small files: in memory where it can
workers=()  # ended with the script, by an interrupt too, each after its case
trap 'kill "${workers[@]}" 2>/dev/null; wait; rm -rf "$work"' EXIT
trap 'exit 130' INT; trap 'exit 143' TERM
mkdir "$work/got"

# Runs the cases K, K + N, ... of the plan (K = $1, N = $2) into got/K.out, .err and the line "K STATUS";
# no locale of the machine's counts, and bash's word on a locale it lacks goes nowhere.
replay() {
    local k=-1 kind locale route line out err exact=$host/tests/tikvan_exact
    trap 'exit 143' TERM
    while read -r kind _ locale route line _; do
        ((++k % $2 == $1)) || continue
        [[ $kind == name ]] && route=file line=74696b76616e202f44544e  # tikvan /DTN
        out=$work/got/$k.out err=$work/got/$k.err && [[ $route == full ]] && out=/dev/full
        export LC_ALL=$locale TIKVAN_COMMAND_LINE=$line
        if [[ $route == pipe ]]; then "$exact" 2>"$err" | cat >"$out"; else "$exact" 2>"$err" >"$out"; fi
        echo "$k $?"
    done <"$work/plan" 2>/dev/null
}
if [[ $mode == live ]]; then
    grep -E '^(line|name) live ' "$answers" >"$work/plan"
    bash "$(dirname "$0")/../../tools/answers/wine.sh" "$work/plan" "$work/got" "$4" "$5"
else
    awk '$1 == "line" && $6 != "SKIP" || $1 == "name" && $4 != "SKIP"' "$answers" >"$work/plan"
    unset LANG LC_CTYPE LC_MESSAGES LANGUAGE && export LOCPATH=/nonexistent
    for worker in 0 1; do replay $worker 2 >"$work/got/status.$worker" & workers+=($!); done  # two side by side
    wait && workers=()
    cat "$work"/got/status.* >"$work/got/status"
fi
"$collect" "$work/plan" "$work/got" >"$work/got.txt" || exit 1

# Each case of the two files on one line, texts resolved: the recorded answers, then each collected case.
awk 'FNR == 1 { file++ }
    $1 == "text" { text[file, $2] = $3; next }
    $1 == "name" { $0 = "name " $2 " " $3 " file 74696b76616e202f44544e " $4 " " $5 " " $6 }
    $1 != "line" && $1 != "name" { next }
    { key = $1 " " $3 " " $4 " " $5; answer = $6 " " text[file, $7] " " text[file, $8]; cases[file]++ }
    file == 1 { recorded[key] = answer; next }
    recorded[key] != answer { failed++; print "FAIL: " key ": " substr(answer, 1, 300) "; Wine: " substr(recorded[key], 1, 300) }
    END { print cases[2] + 0 " cases, " failed + 0 " failed"; exit !(cases[2] > 0 && failed == 0) }' "$answers" "$work/got.txt" && exit 0
[[ $mode == live ]] && echo "Wine's answers have changed; if the change is meant, record them again: tools/answers/record.sh" >&2
exit 1
