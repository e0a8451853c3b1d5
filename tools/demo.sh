#!/usr/bin/env bash
# Builds both programs and runs `tikvan /DTN` with each: the host build, then
# tikvan.exe under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset host >/dev/null && cmake --build --preset host -j"$(nproc)" >/dev/null
cmake --preset win32 >/dev/null && cmake --build --preset win32 -j"$(nproc)" >/dev/null
trap 'tools/wine-run.sh --stop' EXIT
echo "build/host/tikvan /DTN:"
build/host/tikvan /DTN
echo "build/win32/tikvan.exe /DTN, under Wine:"
tools/wine-run.sh build/win32/tikvan.exe /DTN
