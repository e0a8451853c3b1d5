#!/usr/bin/env bash
# Line coverage of the program's own code (everything outside platform/, tools/ and
# tests/) by the host tests: builds the coverage preset, runs the unit
# tables, the end-to-end table and the recorded answers of the host build, and
# prints each file's covered lines and the total. Fails below MINIMUM
# percent (94 by default).
#   tools/coverage.sh [MINIMUM]
set -euo pipefail
cd "$(dirname "$0")/.."
minimum=${1:-94}
build=build/coverage
cmake --preset coverage >/dev/null
cmake --build --preset coverage -j"$(nproc)" >/dev/null
find "$build" -name '*.gcda' -delete
"$build/tests/unit_tests" >/dev/null
# The end-to-end table, without the rows of traced writes and memory limits,
# which the counters' own files and memory would upset, and every recorded
# answer of Wine.
E2E_LEAVE_OUT="writes memory" bash tests/e2e/run.sh host "$build" >/dev/null
bash tests/answers/check.sh replay tests/answers/answers.txt "$build" >/dev/null

# gcov's annotated sources, merged line by line over every object that
# compiled them: a line counts as covered when any object ran it.
root=$PWD
find "$build" -name '*.gcda' ! -path '*/tests/*' -print0 | xargs -0 gcov -t 2>/dev/null | awk -v root="$root/" -v minimum="$minimum" '
    /^ *-: *0:Source:/ { file = substr($0, index($0, "Source:") + 7); sub(root, "", file); next }
    {
        if (file ~ /^\// || file ~ /^(platform|tests|tools)\//) next
        split($0, field, ":"); count = field[1]; gsub(/ /, "", count)
        if (count == "-") next
        line = field[2] + 0
        key = file SUBSEP line
        if (!(key in hit)) { lines[file]++; hit[key] = 0 }
        if (count !~ /^(#####|=====)$/ && !hit[key]) { hit[key] = 1; covered[file]++ }
    }
    END {
        for (file in lines) {
            printf "%6.2f%% of %4d  %s\n", 100 * covered[file] / lines[file], lines[file], file | "sort -k4"
            all += lines[file]; ran += covered[file]
        }
        close("sort -k4")
        printf "%6.2f%% of %4d  lines in all (minimum %d%%)\n", 100 * ran / all, all, minimum
        exit (100 * ran / all < minimum)
    }'
