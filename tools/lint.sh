#!/usr/bin/env bash
# Static checks of the product's code: clang-tidy (with .clang-tidy) over the
# host build's compile commands, and cppcheck.
set -euo pipefail
cd "$(dirname "$0")/.."
sources=(app/*.cpp args/*.cpp base/*.cpp console/*.cpp process/*.cpp timestamp/*.cpp platform/*.cpp platform/unix/*.cpp)
if ! findings=$(clang-tidy -p build/host --quiet "${sources[@]}" 2>&1); then
    grep -v 'warnings generated' <<<"$findings"
    exit 1
fi
cppcheck --std=c++20 --enable=warning,performance,portability --inline-suppr --error-exitcode=1 -q -I . \
    app args base console process timestamp platform/characters.cpp platform/unix
echo "lint: clean"
