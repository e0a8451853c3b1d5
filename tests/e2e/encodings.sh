#!/usr/bin/env bash
# Texts outside ASCII on both builds: the words and the program's own name
# in the system's UTF-8, which each build must see in the locale's ANSI code
# page, and the failure report in the locale's OEM code page. Each case runs
# the Linux build and tikvan.exe under Wine and must give the same status,
# standard output and standard error (the report's address and the ".exe"
# of the module's name masked).
# Wine reads the system's text in the codeset of the C library's locale, so
# the UTF-8 locales that Wine runs under are compiled into a folder of the
# test's own (LOCPATH).
#   tests/e2e/encodings.sh build/host/tikvan build/win32/tikvan.exe
set -uo pipefail
host=$(realpath "$1")
exe=$(realpath "$2")
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export LOCPATH=$work/locales
mkdir -p "$LOCPATH"
for locale in ja_JP ko_KR zh_CN tr_TR pl_PL hi_IN fi_FI; do
    localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8" >/dev/null 2>&1 ||
        { echo "encodings: localedef cannot make $locale.UTF-8" >&2; exit 1; }
done

# The two builds under names with characters outside ASCII.
for name in tikvan あ 日付; do
    cp "$host" "$work/$name"
    cp "$exe" "$work/$name.exe"
done

# Runs build $1 ("host" or "wine") under the name $2 and locale $3 (a name
# for LC_ALL, or the locale variables), standard output to $4 ("file" or
# "full"), with the words that follow; leaves status, output and error in
# $work/$1.*.
run() {
    local build=$1 name=$2 locale=$3 sink=$4 out
    shift 4
    [[ $locale == *=* ]] || locale=LC_ALL=$locale
    out=$work/$build.out
    [[ $sink == full ]] && out=/dev/full
    local program=("$work/$name")
    [[ $build == wine ]] && locale=${locale/LC_ALL=/WINE_LOCALE=} program=("$wine_run" "$work/$name.exe")
    in_locale "$locale" "${program[@]}" "$@" >"$out" 2>"$work/$build.err"
    echo $? >"$work/$build.status"
    [[ $sink == full ]] && : >"$work/$build.out"
    return 0
}

# Standard output with the clock's digits masked; the report with its
# address and the module's ".exe" masked.
masked_output() { LC_ALL=C sed -E 's/[0-9]/9/g' "$1"; }
masked_error() { LC_ALL=C sed -E 's/ [0-9A-F]{8} / ADDRESS /; s/\.exe / /' "$1"; }

# name|locale|sink|words|expected status
while IFS='|' read -r name locale sink words want; do
    [[ -z $name || $name == \#* ]] && continue
    read -ra argv <<<"$words"
    run host "$name" "$locale" "$sink" "${argv[@]}"
    run wine "$name" "$locale" "$sink" "${argv[@]}"
    what="$name $locale $sink [$words]"
    if [[ $(cat "$work/host.status") != "$want" || $(cat "$work/wine.status") != "$want" ]]; then
        fail "$what: status $(cat "$work/host.status") and $(cat "$work/wine.status"), want $want"
    elif ! cmp -s <(masked_output "$work/host.out") <(masked_output "$work/wine.out"); then
        fail "$what: output $(od -An -tx1 "$work/host.out" | head -c 120) against $(od -An -tx1 "$work/wine.out" | head -c 120)"
    elif ! cmp -s <(masked_error "$work/host.err") <(masked_error "$work/wine.err"); then
        fail "$what: report $(masked_error "$work/host.err" | od -An -tx1 | head -c 300) against $(masked_error "$work/wine.err" | od -An -tx1 | head -c 300)"
    else
        pass
    fi
done <<'CASES'
# A name whose last byte would be a lead byte of code page 932 in UTF-8:
# the word after it is still an argument.
あ|ja_JP.UTF-8|file|/D|0
あ|ja_JP.UTF-8|file|/T /N|0
# The name in the report, in code page 932.
日付|ja_JP.UTF-8|full|/D|1
日付|ko_KR.UTF-8|full|/D|1
# Words: a full-width letter is a letter of its own in code page 932 and a
# usage error; code page 1252 has "D" for it.
tikvan|ja_JP.UTF-8|file|/Ｄ|255
tikvan|C.UTF-8|file|/Ｄ|0
tikvan|C.UTF-8|file|/Ｄ＂/Ｔ|0
あ|ko_KR.UTF-8|file|/D|0
# The report in the OEM code page of the locale, with best fit where it has
# no Japanese.
tikvan|ko_KR.UTF-8|full|/D|1
tikvan|zh_CN.UTF-8|full|/D|1
tikvan|tr_TR.UTF-8|full|/D|1
tikvan|pl_PL.UTF-8|full|/D|1
tikvan|hi_IN.UTF-8|full|/D|1
tikvan|C.UTF-8|full|/D|1
# The locale from the other variables: the code pages from LC_CTYPE or
# LANG, the separators from LC_MESSAGES.
tikvan|LANG=ja_JP.UTF-8|full|/D|1
tikvan|LC_CTYPE=ja_JP.UTF-8 LANG=C.UTF-8|file|/Ｄ|255
tikvan|LC_MESSAGES=fi_FI.UTF-8 LANG=C.UTF-8|file|/DT|0
CASES
finish
