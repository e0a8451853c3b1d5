#!/usr/bin/env bash
# reproducible.sh SOURCE_DIR VERSION BUILD_DIR: the release zip of BUILD_DIR and of a second build of only the zip,
# from another path under another time zone and umask, have the same bytes; the checksum beside the zip; the zip's
# folder and files, the README's names of them, the exe's header, imports and version.
set -euo pipefail
source_dir=$1 version=$2 zip_name=tikvan-$2-win32.zip build_dir=$(realpath "$3") work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cmake --build "$build_dir" --target package >/dev/null
sources=$work/second-build/sources/tikvan second=$work/second-build/build
(umask 027 && export TZ=JST-9 && mkdir -p "$sources" &&
    tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$sources" -xf - &&
    cmake -S "$sources" --preset win32 -B "$second" -DBUILD_TESTING=OFF >/dev/null &&
    cmake --build "$second" -j"$(nproc)" --target tikvan >/dev/null && cd "$second" && cpack >/dev/null)
cmp "$build_dir/$zip_name" "$second/$zip_name" || fail "the two builds' zips differ"
(cd "$build_dir" && sha256sum --quiet -c "$zip_name.sha256") || fail "$zip_name.sha256 does not verify the zip"
# One folder, named by the version, holds every file.
exe=$build_dir/tikvan.exe zip=$build_dir/$zip_name top=tikvan-$version-win32 out=$work/unzipped
recipes=$(cd "$source_dir" && printf '%s\n' examples/*.cmd)
files=$(printf '%s\n' CHANGES.txt LICENSE.txt MANUAL.txt README.ja.txt README.txt examples/ "$recipes" tikvan.exe)
[[ $(unzip -Z1 "$zip") == "$(sed "s|^|$top/|" <<<"$files")" ]] || fail "zip holds: $(unzip -Z1 "$zip")"
unzip -q "$zip" -d "$out" && out=$out/$top
cmp "$exe" "$out/tikvan.exe" || fail "the zip's exe is not the built one"
for recipe in $recipes; do cmp "$source_dir/$recipe" "$out/$recipe" || fail "$recipe is not the source's"; done
# The texts for Notepad: CR LF line ends; those of release/ with UTF-8's byte order mark and the version.
sed 's/$/\r/' "$source_dir/LICENSE" | cmp - "$out/LICENSE.txt" || fail "LICENSE.txt is not LICENSE with CR LF"
for text in CHANGES.txt MANUAL.txt README.ja.txt README.txt; do
    sed "1s/^/\xef\xbb\xbf/; s/@PROJECT_VERSION@/$version/g; s/\$/\r/" "$source_dir/release/$text" |
        cmp - "$out/$text" || fail "$text is not release/$text for version $version"
done
# The README names only files of the zip, every one of them, and nothing of building.
named=$(sed 's/%~dp0//g' "$out/README.txt" | grep -aoE '[A-Za-z0-9_.\\]+\.(exe|cmd|txt)\b' | tr '\\' / |
    grep -vx 'cmd.exe' | sort -u)
[[ $named == "$(grep -v '/$' <<<"$files" | sort)" ]] || fail "README.txt names $(echo $named), the zip holds $(echo $files)"
! grep -aiE 'debian|cmake|apt-get|install-deps|build/|\.md\b' "$out/README.txt" || fail "README.txt speaks of building"
# What README.txt's Windows versions are judged from: the header's subsystem version (4.0, Windows
# NT 4.0) and the imports, all of which Windows 2000 has. Another header or import needs a new judgement.
header=$(i686-w64-mingw32-objdump -p "$exe")
[[ $(grep -E '^(Major|Minor)SubsystemVersion' <<<"$header" | tr -s '\t ' ' ') == \
    $'MajorSubsystemVersion 4\nMinorSubsystemVersion 0' ]] || fail "subsystem version: $(grep Subsystem <<<"$header")"
imports=$(awk -F'\t' '/DLL Name:/ { split($2, name, ": "); dll = name[2]; next } /^$/ { dll = "" }
    dll && $3 ~ /^ +[0-9]+ +[A-Za-z_]/ { n = split($3, field, " "); print dll ":" field[n] }' <<<"$header" | sort)
judged=$(printf 'KERNEL32.dll:%s\n' CloseHandle CreateSemaphoreW {Delete,Enter,Initialize,Leave}CriticalSection \
    ExitProcess FindResourceW FreeLibrary Get{ACP,CPInfo,CommandLineA,CurrentThreadId,FileType,LastError,LocalTime} \
    Get{LocaleInfoA,ModuleFileNameA,ModuleHandleA,ProcAddress,StartupInfoA,StdHandle,ThreadLocale} IsDBCSLeadByteEx \
    Load{LibraryA,Resource} LockResource MultiByteToWideChar ReleaseSemaphore SetLastError SetUnhandledExceptionFilter \
    Sleep Tls{Alloc,Free,GetValue,SetValue} Virtual{Protect,Query} WaitForSingleObject WideCharToMultiByte WriteFile
    printf 'msvcrt.dll:%s\n' __getmainargs __initenv __p__{acmdln,commode,fmode} __set_app_type __setusermatherr \
    _amsg_exit _cexit _initterm _iob _onexit abort calloc exit fprintf free fwrite malloc mem{chr,cmp,cpy,move,set} \
    realloc signal str{cmp,len,ncmp} vfprintf)
[[ $imports == "$(sort <<<"$judged")" ]] || fail "imports other than judged: $(diff <(echo "$judged" | sort) <(echo "$imports") | grep '^[<>]' | tr '\n' ' ')"
# Signature, structure version, file and product version as (major << 16 | minor) and (patch << 16).
le16() { printf '%02x%02x' $(($1 & 255)) $(($1 >> 8)); }
IFS=. read -r major minor patch <<<"$version" && numbers=$(le16 "$minor")$(le16 "$major")0000$(le16 "$patch")
[[ $(od -An -v -tx1 "$exe" | tr -d ' \n') == *"bd04effe00000100$numbers$numbers"* ]] || fail "version numbers are not $version"
texts="|$(strings -el "$exe" | tr '\n' '|')"
[[ $texts == *"|ProductName|tikvan|"* && $texts == *"|FileVersion|$version|"* ]] || fail "version texts: $texts"
echo "$zip_name sha256 $(sha256sum "$zip" | cut -d' ' -f1)"
