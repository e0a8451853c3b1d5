#!/usr/bin/env bash
# Builds both programs and runs every test, printing how long each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."
trap 'tools/wine-run.sh --stop' EXIT

stage() {
    local name=$1 start=$SECONDS
    shift
    echo "== $name"
    "$@"
    echo "== $name: $((SECONDS - start)) s"
}

stage "install what is missing" tools/install-deps.sh
stage "host build" bash -c 'cmake --preset host >/dev/null && cmake --build --preset host -j"$(nproc)"'
stage "win32 build" bash -c 'cmake --preset win32 >/dev/null && cmake --build --preset win32 -j"$(nproc)"'
stage "static checks" tools/lint.sh
stage "host tests" ctest --preset host
stage "win32 tests under Wine" ctest --preset win32
