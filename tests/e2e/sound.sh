#!/usr/bin/env bash
# Edges of the locale, the command line, memory and faults, one row each:
#   tests/e2e/sound.sh HOST_TIKVAN HOST_FAULT WRITE_NOTHING_SO [TIKVAN_EXE]
# Rows: name | builds (host, wine; host! skips sanitizer builds) | locale
# variables (printf %b) | command ($program, $fault, $preload; $run
# $names/NAME$ext a copy of the program; $(huge) 6,000 words of 121 bytes) | standard
# output (printf %b, digits as 9, the run-time error address as 99999999;
# USAGE: the usage screen) | a text standard error holds (printf %b; empty:
# nothing) | status. Locales come from a private LOCPATH, so no row depends
# on what the machine has installed.
set -uo pipefail
host=$(realpath "$1") fault=$(realpath "$2") preload=$(realpath "$3") exe=${4:+$(realpath "$4")}
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LOCPATH=$work/locales && mkdir "$LOCPATH"
for locale in de_DE.UTF-8:de_DE:UTF-8 fi_FI.UTF-8:fi_FI:UTF-8 fi_FI:fi_FI:UTF-8 ja_JP:ja_JP:EUC-JP ko_KR:ko_KR:EUC-KR; do
    IFS=: read -r name source charset <<<"$locale"
    localedef -i "$source" -f "$charset" "$LOCPATH/$name" >/dev/null 2>&1 || { fail "localedef $name"; exit 1; }
done
names=$work/names && mkdir "$names"
for name in $'tikv\xe9' $'\xbb\xfe\xb9\xef'; do cp "$host" "$names/$name" && { [[ -z $exe ]] || cp "$exe" "$names/$name.exe"; }; done
ldd "$fault" 2>/dev/null | grep -q libasan && sanitized=1 || sanitized=
export ASAN_OPTIONS=verify_asan_link_order=0
builds=(host) && [[ -n $exe ]] && builds+=(wine)
masked() { LC_ALL=C sed -E 's/[0-9]/9/g; s/ at [0-9A-F]{8}/ at 99999999/' "$1"; }

while IFS='|' read -r name where variables command out err status; do
    [[ $name == \#* || -z $name ]] && continue
    for build in "${builds[@]}"; do
        [[ " $where " == *" $build"[\ !]* ]] || continue
        [[ $build$sanitized == host1 && $where == *'host!'* ]] && continue
        program=$host run= ext= environment=$(printf '%b' "$variables")
        [[ $build == wine ]] && program="$wine_run $exe" run=$wine_run ext=.exe environment=${environment//LC_ALL=/WINE_LOCALE=}
        in_locale "$environment" bash -c "program='$program' run=$run ext=$ext fault=$fault names=$names preload=$preload
            huge() { local word=/\$(printf 'X%.0s' {1..120}); for ((i = 0; i < 6000; i++)); do echo \$word; done; }
            $command" >"$work/out" 2>"$work/err"
        got=$?
        sed -i '/^bash: warning: setlocale: /d' "$work/err"  # bash's own, on a locale not installed
        if [[ $out == USAGE ]]; then [[ $(sha256sum <"$work/out") == "$usage_sha256 "* ]]; else holds <(masked "$work/out") "$out"; fi
        ok=$?
        if [[ -z $err ]]; then [[ ! -s $work/err ]]; else LC_ALL=C grep -aqF -- "$(printf '%b' "$err")" "$work/err"; fi
        check $((ok + $? + (got != status))) "$name ($build): status $got, $(shown "$work/out" 120) $(shown "$work/err" 120)"
    done
done <<'ROWS'
# The variables, read as Wine reads them: the character type gives the code pages, the messages the thread locale.
character type alone|host wine|LANG=C.UTF-8 LC_CTYPE=de_DE.UTF-8|$program /DT|9999.99.99 99:99:99||0
messages over the character type|host wine|LANG=de_DE.UTF-8 LC_MESSAGES=fi_FI.UTF-8|$program /DT|9999.99.99 99.99.99||0
unknown messages: the character type's|host wine|LC_CTYPE=fi_FI.UTF-8 LC_MESSAGES=C.UTF-8|$program /DT|9999.99.99 99.99.99||0
a locale not installed: only LC_ALL|host wine|LANG=nl_NL.UTF-8|$program /DT|9999/99/99 99:99:99||0
one category not installed|host wine|LC_CTYPE=de_DE.UTF-8 LC_MESSAGES=nl_NL.UTF-8|$program /DT|9999/99/99 99:99:99||0
# Malformed names.
carriage return in the name|host wine|LC_ALL=fi\rFI|$program /DT|9999/99/99 99:99:99||0
dash before the modifier|host wine|LC_ALL=az-AZ@latin|$program /DT|9999/99/99 99:99:99||0
underscore before the modifier|host wine|LC_ALL=az_AZ@latin|$program /DT|9999.99.99 99:99:99||0
84 bytes|host wine|LC_ALL=de_DE.xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx|$program /DT|9999.99.99 99:99:99||0
85 bytes refused|host wine|LC_ALL=de_DE.xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx|$program /DT|9999/99/99 99:99:99||0
# The codeset comes from the C library, not from the name's spelling.
UTF-8 locale named without a codeset|host wine|LC_ALL=fi_FI|$program /Ｄ|9999.99.99||0
UTF-8 spelled but not installed|host wine|LC_ALL=sv_SE.UTF-8|$program /Ｄ|USAGE||255
# The program's name is never an argument.
quote in the name|host|LC_ALL=C|exec -a 'x"' $program /D|9999/99/99||0
control byte in the name|host|LC_ALL=C|exec -a $'x\x01y' $program /D|9999/99/99||0
empty name|host|LC_ALL=C|exec -a '' $program /D|9999/99/99||0
trailing lead byte in the name|host|LC_ALL=ko_KR|$run "$names/tikv"$'\xe9'$ext /D|9999/99/99||0
name in EUC-JP|host wine|LC_ALL=ja_JP|$run "$names/"$'\xbb\xfe\xb9\xef'$ext /X|USAGE||255
# Exhausted memory while the command line is built.
6,000 long words in 4 MB|host!|LC_ALL=C|prlimit --as=4194304 $program $(huge)||EOutOfMemory |1
# A write that succeeds without writing: a code of its own.
no progress on a console|host!|LC_ALL=C|LD_PRELOAD=$preload $program /D >/dev/null||(29).|1
# A fault signal sent by a process is no fault; a fault ends in bounded time.
SIGSEGV sent, no report (its own output and errors to standard output)|host|LC_ALL=C|$fault sent 2>&1||Segmentation fault|139
fault in the loader|host|LC_ALL=C|timeout 20 $fault loader|unwritten|EAccessViolation |1
fault while a fault is reported|host|LC_ALL=C|timeout 20 $fault nested|unwrittenRuntime error 999 at 99999999\r\n||216
ROWS
finish
