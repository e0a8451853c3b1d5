#!/usr/bin/env bash
# Words and program names in UTF-8 (seen in the locale's ANSI code page),
# reports in the OEM code page: the Linux build and tikvan.exe under Wine
# (UTF-8 locales in LOCPATH) give the same status, output and report, with
# digits, address and ".exe" masked.
#   tests/e2e/encodings.sh build/host/tikvan build/win32/tikvan.exe
set -uo pipefail
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LOCPATH=$work/locales && mkdir -p "$LOCPATH"
for locale in ja_JP ko_KR zh_CN tr_TR pl_PL hi_IN fi_FI; do
    localedef -i $locale -f UTF-8 "$LOCPATH/$locale.UTF-8" >/dev/null 2>&1 || { fail "localedef $locale"; exit 1; }
done
for name in tikvan あ 日付; do cp "$1" "$work/$name" && cp "$2" "$work/$name.exe"; done
masked() { LC_ALL=C sed -E 's/[0-9]/9/g' "$1.out"; LC_ALL=C sed -E 's/ [0-9A-F]{8} / ADDRESS /; s/\.exe / /' "$1.err"; }

# Rows: name, locale (LC_ALL, or the variables), standard output, words, status.
while IFS='|' read -r name locale sink words want; do
    [[ $locale == *=* ]] || locale=LC_ALL=$locale
    read -ra argv <<<"$words"
    for build in host wine; do
        variables=$locale program=("$work/$name") out=$work/$build.out
        [[ $build == wine ]] && variables=${locale/LC_ALL=/WINE_LOCALE=} program=("$wine_run" "$work/$name.exe")
        [[ $sink == full ]] && out=/dev/full && : >"$work/$build.out"
        in_locale "$variables" "${program[@]}" "${argv[@]}" >"$out" 2>"$work/$build.err"
        echo $? >>"$work/$build.err"
    done
    [[ $(tail -n1 "$work/host.err") == "$want" ]] && cmp -s <(masked "$work/host") <(masked "$work/wine")
    check $? "$name $locale $sink [$words]: host $(masked "$work/host" | od -An -tx1 | head -c 300) wine $(masked "$work/wine" | od -An -tx1 | head -c 300)"
done <<'CASES'
あ|ja_JP.UTF-8|file|/T /N|0
日付|ja_JP.UTF-8|full|/D|1
日付|ko_KR.UTF-8|full|/D|1
tikvan|ja_JP.UTF-8|file|/Ｄ|255
tikvan|C.UTF-8|file|/Ｄ|0
tikvan|C.UTF-8|file|/Ｄ＂/Ｔ|0
tikvan|zh_CN.UTF-8|full|/D|1
tikvan|tr_TR.UTF-8|full|/D|1
tikvan|pl_PL.UTF-8|full|/D|1
tikvan|hi_IN.UTF-8|full|/D|1
tikvan|LANG=ja_JP.UTF-8|full|/D|1
tikvan|LC_CTYPE=ja_JP.UTF-8 LANG=C.UTF-8|file|/Ｄ|255
tikvan|LC_MESSAGES=fi_FI.UTF-8 LANG=C.UTF-8|file|/DT|0
CASES
finish
