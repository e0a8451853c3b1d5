#!/usr/bin/env bash
# The sample of the recorded answers ("live" cases), run again with
# tikvan.exe under Wine: a change in Wine, the exe or a table that changes an
# answer shows here, and the answers are recorded again.
#   tests/answers/live.sh answers.txt build/host tikvan.exe launch.exe
set -euo pipefail
answers=$(realpath "$1") host=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
grep -E '^(line|name) live ' "$answers" >"$work/plan"
bash "$(dirname "$0")/../../tools/answers/wine.sh" "$work/plan" "$work/answers" "$3" "$4"
"$host/tools/answers/answers_collect" "$work/plan" "$work/answers" >"$work/live"
if ! "$host/tests/answers" compare "$answers" "$work/live"; then
    echo "Wine's answers have changed; if the change is meant, record them again: tools/answers/record.sh" >&2
    exit 1
fi
