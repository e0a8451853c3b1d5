#!/usr/bin/env bash
# Static checks of the product's code and headers: clang-tidy (with
# .clang-tidy) and cppcheck. clang-tidy reads each source with its build's
# compile commands: the portable code and the POSIX layer as the host build
# compiles them, and the platform code that the Windows build compiles
# (platform/windows, and the shared platform code over the Windows headers)
# as that build does. Both builds must be there first, as tools/check.sh
# makes them.
set -euo pipefail
cd "$(dirname "$0")/.."
for build in host win32; do
    if [[ ! -f build/$build/compile_commands.json ]]; then
        echo "lint: build/$build is missing: cmake --preset $build && cmake --build --preset $build" >&2
        exit 1
    fi
done

# clang-tidy over the given sources of one build, in one batch of files per
# processor; each batch prints its findings together, a finding in a header
# once per batch. Fails when any file has a finding. Arguments: the build
# folder, the options for clang-tidy, "--", the sources.
tidy() {
    local build=$1 options=() jobs
    shift
    while [[ $1 != -- ]]; do options+=("$1"); shift; done
    shift
    jobs=$(nproc)
    printf '%s\0' "$@" | xargs -0 -n $((($# + jobs - 1) / jobs)) -P "$jobs" bash -c '
        findings=$(clang-tidy --quiet "$@" 2> >(grep -v "warnings\? generated\.$" >&2)) && exit 0
        printf "%s\n" "$findings"
        exit 1' tidy -p "$build" "${options[@]}"
}

# clang does not find the C++ headers of the mingw-w64 cross compiler by
# itself: it is given the cross compiler's own header folders, all but the
# compiler's built-in headers, whose place clang's own take.
windows_options=(--extra-arg=-nostdlibinc)
cross=$(sed -n 's/^ *"command": "\([^ ]*\) .* -c .*\.cpp\(\\"\)\?",$/\1/p' build/win32/compile_commands.json | sort -u)
builtin=$(realpath "$(dirname "$("$cross" -print-libgcc-file-name)")")
while read -r folder; do
    folder=$(realpath "$folder")
    if [[ $folder != "$builtin"/* || $folder == "$builtin"/include/c++* ]]; then
        windows_options+=("--extra-arg=-isystem$folder")
    fi
done < <("$cross" -E -v -x c++ /dev/null 2>&1 |
    sed -n '/^#include <\.\.\.> search starts here:$/,/^End of search list\.$/{//!p}')

status=0
tidy build/host -- app/*.cpp args/*.cpp base/*.cpp console/*.cpp process/*.cpp timestamp/*.cpp \
    platform/*.cpp platform/unix/*.cpp || status=1
tidy build/win32 "${windows_options[@]}" -- platform/*.cpp platform/windows/*.cpp || status=1
cppcheck --std=c++20 --enable=warning,performance,portability --inline-suppr --error-exitcode=1 -q -I . \
    app args base console process timestamp platform/characters.cpp platform/unix || status=1
cppcheck --std=c++20 --enable=warning,performance,portability --inline-suppr --error-exitcode=1 -q -I . \
    --platform=win32A -D_WIN32 platform/characters.cpp platform/windows || status=1
((status == 0)) || exit 1
echo "lint: clean"
