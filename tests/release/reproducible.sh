#!/usr/bin/env bash
# reproducible.sh SOURCE_DIR VERSION: two builds of the release zip, from two paths, the second under
# another time zone and umask, give the same bytes; the zip's files, the exe's imports and version.
set -euo pipefail
source_dir=$1 version=$2 zip_name=tikvan-$2-win32.zip
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
build() {  # DIR SUBDIR: the sources copied to DIR/SUBDIR, packed in DIR/build
    mkdir -p "$1/$2" && tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$1/$2" -xf -
    cmake -S "$1/$2" --preset win32 -B "$1/build" -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$1/build" -j2 --target package >/dev/null
}
build "$work/one" src
(umask 027 && export TZ=JST-9 && build "$work/second-build" sources/tikvan)
cmp "$work/one/build/$zip_name" "$work/second-build/build/$zip_name" || fail "the two builds' zips differ"
exe=$work/one/build/tikvan.exe zip=$work/one/build/$zip_name out=$work/unzipped
[[ $(unzip -Z1 "$zip") == $'LICENSE\nREADME.md\nSHA256SUMS\ntikvan.exe' ]] || fail "zip holds: $(unzip -Z1 "$zip")"
unzip -q "$zip" -d "$out"
[[ $(cut -c67- "$out/SHA256SUMS") == $'LICENSE\nREADME.md\ntikvan.exe' ]] || fail "SHA256SUMS lists other files"
(cd "$out" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not verify"
cmp "$exe" "$out/tikvan.exe" && cmp "$source_dir/README.md" "$out/README.md" || fail "the zip's files are not the built ones"
imports=$(i686-w64-mingw32-objdump -p "$exe" | grep 'DLL Name' | tr -d '\t ')
[[ $imports == $'DLLName:KERNEL32.dll\nDLLName:msvcrt.dll' ]] || fail "imports: $imports"
# Signature, structure version, file and product version as (major << 16 | minor) and (patch << 16).
IFS=. read -r major minor patch <<<"$version"
le16() { printf '%02x%02x' $(($1 & 255)) $(($1 >> 8)); }
numbers=$(le16 "$minor")$(le16 "$major")0000$(le16 "$patch")
[[ $(od -An -v -tx1 "$exe" | tr -d ' \n') == *"bd04effe00000100$numbers$numbers"* ]] || fail "version numbers are not $version"
texts="|$(strings -el "$exe" | tr '\n' '|')"
[[ $texts == *"|ProductName|tikvan|"* && $texts == *"|FileVersion|$version|"* ]] || fail "version texts: $texts"
echo "$zip_name sha256 $(sha256sum "$zip" | cut -d' ' -f1)"
