#!/usr/bin/env bash
# Builds both programs and runs every test, printing how long each stage took:
# the static checks, the host tests (with valgrind, then with the address and
# undefined-behaviour sanitizers in a build that also counts line coverage),
# the fuzz targets for a bounded run, and the tests of tikvan.exe under Wine, a
# sample of its recorded answers among them. Wine's servers end with it, on
# success, failure and interrupt.
set -euo pipefail
cd "$(dirname "$0")/.."
trap 'tools/wine-run.sh --stop' EXIT

timings=()
stage() {
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    "$@"
    echo "== $name: $((SECONDS - start)) s"
    timings+=("$(printf '%5d s  %s' $((SECONDS - start)) "$name")")
}

stage "install what is missing" tools/install-deps.sh
stage "host build" bash -c 'cmake --preset host >/dev/null && cmake --build --preset host -j"$(nproc)"'
stage "win32 build" bash -c 'cmake --preset win32 >/dev/null && cmake --build --preset win32 -j"$(nproc)"'
stage "static checks" tools/lint.sh
stage "host tests" ctest --preset host
stage "host tests with sanitizers, and coverage" tools/coverage.sh
stage "fuzz targets" tools/fuzz.sh
stage "win32 tests under Wine" ctest --preset win32
printf '%s\n' "== stage times" "${timings[@]}" "$(printf '%5d s  in all' "$SECONDS")"
