#!/usr/bin/env bash
# Builds the release zip twice from copies of the sources at two different
# paths, in two fresh build directories, the second under another time zone
# and umask, and checks that tikvan.exe and the zip come out byte for byte
# the same. Then checks the zip itself: exactly the four files, SHA256SUMS
# verifying the other three, the executable's imports and version resource.
# Prints the zip's SHA256.
#   reproducible.sh SOURCE_DIR VERSION
set -euo pipefail
source_dir=$1 version=$2
zip_name=tikvan-$version-win32.zip
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# build DIR SUBDIR: copies the sources to DIR/SUBDIR and packs in DIR/build.
build() {
    local dir=$1 src=$1/$2
    mkdir -p "$src"
    tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$src" -xf -
    cmake -S "$src" --preset win32 -B "$dir/build" -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$dir/build" -j2 --target package >/dev/null
}
build "$work/one" src
(umask 027 && export TZ=JST-9 && build "$work/second-build" sources/tikvan)

for file in tikvan.exe "$zip_name"; do
    cmp "$work/one/build/$file" "$work/second-build/build/$file" || fail "$file differs between the two builds"
done
exe=$work/one/build/tikvan.exe zip=$work/one/build/$zip_name

[[ $(unzip -Z1 "$zip") == $'LICENSE\nREADME.md\nSHA256SUMS\ntikvan.exe' ]] || fail "zip holds: $(unzip -Z1 "$zip")"
mkdir "$work/unzipped"
unzip -q "$zip" -d "$work/unzipped"
[[ $(cut -c67- "$work/unzipped/SHA256SUMS") == $'LICENSE\nREADME.md\ntikvan.exe' ]] || fail "SHA256SUMS lists other files"
(cd "$work/unzipped" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not verify"
cmp "$exe" "$work/unzipped/tikvan.exe" || fail "the zip's tikvan.exe is not the built one"
cmp "$source_dir/README.md" "$work/unzipped/README.md" || fail "the zip's README.md is not the source's"

dump=$(i686-w64-mingw32-objdump -p "$exe")
[[ $(grep 'DLL Name' <<<"$dump" | tr -d '\t ') == $'DLLName:KERNEL32.dll\nDLLName:msvcrt.dll' ]] ||
    fail "imports: $(grep 'DLL Name' <<<"$dump")"
grep -q 'Entry: ID: 0x000010,' <<<"$dump" || fail "no version resource"
# The fixed numbers: signature, structure version, then file and product
# version, each as (major << 16 | minor) and (patch << 16 | 0), little-endian.
IFS=. read -r major minor patch <<<"$version"
le16() { printf '%02x%02x' $(($1 & 255)) $(($1 >> 8)); }
numbers=$(le16 "$minor")$(le16 "$major")0000$(le16 "$patch")
hex=$(od -An -v -tx1 "$exe" | tr -d ' \n')
[[ $hex == *"bd04effe00000100$numbers$numbers"* ]] || fail "version numbers are not $version"
texts="|$(strings -el "$exe" | tr '\n' '|')"
for pair in "ProductName|tikvan" "FileVersion|$version" "ProductVersion|$version" \
    "FileDescription|Local date and time for batch files" "LegalCopyright|Copyright (c) 2026 the tikvan developers"; do
    [[ $texts == *"|$pair|"* ]] || fail "version resource lacks $pair"
done

echo "$zip_name sha256 $(sha256sum "$zip" | cut -d' ' -f1)"
