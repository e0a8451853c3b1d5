#!/usr/bin/env bash
# The host tests under the address and undefined-behaviour sanitizers, and the
# line coverage of the program's own code (everything outside tools/ and
# tests/, platform/ among it) that they reach: preset host-asan builds with
# gcc's --coverage as well, so its tests, run by ctest in CI's own
# environment, leave the counts. Builds the preset, runs its tests from zero
# counts, and prints each file's covered lines and the total. Fails when a
# test fails, or below MINIMUM percent (95 by default).
#   tools/coverage.sh [MINIMUM]
set -euo pipefail
cd "$(dirname "$0")/.."
minimum=${1:-95}
build=build/host-asan
cmake --preset host-asan >/dev/null
cmake --build --preset host-asan -j"$(nproc)"
find "$build" -name '*.gcda' -delete
ctest --preset host-asan

# gcov's annotated sources, merged line by line over every object that
# compiled them: a line counts as covered when any object ran it.
root=$PWD
find "$build" -name '*.gcda' ! -path '*/tests/*' -print0 | xargs -0 gcov -t 2>/dev/null | awk -v root="$root/" -v minimum="$minimum" '
    /^ *-: *0:Source:/ {
        file = substr($0, index($0, "Source:") + 7)
        if (index(file, root) == 1) file = substr(file, length(root) + 1)
        next
    }
    {
        if (file ~ /^\// || file ~ /^(build|tests|tools)\//) next
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
        printf "coverage: %.2f%% of %d lines in all (minimum %d%%)\n", 100 * ran / all, all, minimum
        exit (100 * ran / all < minimum)
    }'
