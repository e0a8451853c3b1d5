#!/usr/bin/env bash
# Builds both programs and runs every test, printing how long each stage took:
# the static checks, the host tests (with valgrind, then with the address and
# undefined-behaviour sanitizers in a build that also counts line coverage),
# and the tests of tikvan.exe under Wine, a sample of its recorded answers
# among them, with the fuzz targets' bounded run beside them. Wine's servers
# and the fuzz targets end with it, on success, failure and interrupt.
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz=
trap '[[ -z $fuzz ]] || kill -- -"$fuzz" 2>/dev/null; tools/wine-run.sh --stop' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

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
# The fuzz targets, in a process group of their own, run beside the tests under
# Wine, which leave a processor idle much of the time as they wait on Wine's
# server; their output follows the tests'.
beside_wine() {
    local status=0
    setsid tools/fuzz.sh >build/fuzz.log 2>&1 &
    fuzz=$!
    ctest --preset win32 || status=1
    wait "$fuzz" || status=1
    fuzz=
    cat build/fuzz.log
    return $status
}
stage "win32 tests under Wine, and the fuzz targets beside them" beside_wine
printf '%s\n' "== stage times" "${timings[@]}" "$(printf '%5d s  in all' "$SECONDS")"
