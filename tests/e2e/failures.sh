#!/usr/bin/env bash
# Failure reports: standard output failing, faults of a test program, the
# last-resort line, clocks beyond the calendar. Arguments: the host tikvan
# and fault, [tikvan.exe, launch.exe and fault.exe for Wine].
set -uo pipefail
host=$1 host_fault=$2 builds=(host)
(($# > 2)) && exe=$(realpath "$3") launcher=$(realpath "$4") exe_fault=$(realpath "$5") builds+=(wine)
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# No locale installed on the machine counts: only LC_ALL names one (as Wine reads them).
export LOCPATH=$work/locales && mkdir "$LOCPATH"
# A pipe whose reader has gone, as descriptor $gone; a directory; a file.
mkfifo "$work/fifo" && mkdir "$work/directory" && : >"$work/readable" && : >"$work/out"
exec {reader}<>"$work/fifo" {gone}>"$work/fifo" {reader}<&-

# Runs build $1 (host, wine) of program $2 under locale variables $3, output to sink $4, with words.
declare -A sinks=([file]='>"$work/out"' [full]='>/dev/full' [gone]='>&$gone' [none]='>&-'
    [directory]='1<"$work/directory"' [null-read]='1</dev/null' [file-read]='1<"$work/readable"')
run() {
    local build=$1 locale=$3 sink=$4 program=("$2")
    shift 4
    [[ $build == wine ]] && locale=${locale/LC_ALL=/WINE_LOCALE=} program=("$wine_run" "$program")
    if [[ $build == wine && $sink == none ]]; then  # only the launcher can close it
        printf '%s invalid\n' "$(printf 'tikvan %s' "$*" | od -An -v -tx1 | tr -d ' \n')" >"$work/cases"
        in_locale "$locale" "$wine_run" "$launcher" "$(windows_path "$exe")" "$(windows_path "$work/cases")" >"$work/out"
        return "$(tr -d '\r' <"$work/out")"
    fi
    eval 'in_locale "$locale" "${program[@]}" "$@"' "${sinks[$sink]}"
} 2>"$work/err"

# Rows: program, sink, locale variables (Wine: LC_ALL only), word, status,
# code page and class of the report (out: standard output holds the message;
# -: the first word only, as for faults under Wine, where QEMU may give other
# codes), message. An AddressSanitizer build ends a failed allocation itself.
ldd "$host_fault" 2>/dev/null | grep -q libasan && asan=1 || asan=
declare -A programs=([host.tikvan]=$host [host.fault]=$host_fault [wine.tikvan]=${exe:-} [wine.fault]=${exe_fault:-})
while read -r name sink locale word want page class message; do
    for build in "${builds[@]}"; do
        [[ $build == wine && $locale != LC_ALL=* || $build$class$asan == hostEOutOfMemory1 ]] && continue
        module=$name && [[ $build == wine ]] && module+=.exe
        run "$build" "${programs[$build.$name]}" "$locale" "$sink" "$word"
        status=$?
        if [[ $page == out ]]; then
            [[ $status == "$want" ]] && { [[ $message == - ]] || holds "$work/out" "$message"; }
        elif [[ $class == - || ($build == wine && $word =~ divide|access|trap) ]]; then
            [[ $status == 1 && $(head -c 1 "$work/err") == E ]] && LC_ALL=C grep -aqF $' \x82\xaa\x83\x82' "$work/err"
        else
            [[ $status == "$want" ]] && is_report "$work/err" "$page" "$class" "$module" "$message"
        fi
        check $? "$build $name $sink $locale [$word]: status $status, $(shown "$work/out") $(shown "$work/err")"
    done
done <<'ROWS'
tikvan full LC_ALL=ja_JP.UTF-8 /D 1 932 EInOutError I/O \x83\x47\x83\x89\x81\x5b (112)
tikvan full LC_ALL=ja_JP.UTF-8 /X 1 932 EInOutError I/O \x83\x47\x83\x89\x81\x5b (112)
tikvan full LC_ALL=C /DTN 1 437 EInOutError I/O ??? (112)
tikvan full LANG=ja_JP.UTF-8 /D 1 437 EInOutError I/O ??? (112)
tikvan full LC_MESSAGES=ja_JP.UTF-8 /T 1 437 EInOutError I/O ??? (112)
tikvan full LC_CTYPE=ja_JP.UTF-8 /T 1 437 EInOutError I/O ??? (112)
tikvan gone LC_ALL=ja_JP.UTF-8 /? 1 932 EInOutError I/O \x83\x47\x83\x89\x81\x5b (233)
tikvan gone LC_ALL=C /X 1 437 EInOutError I/O ??? (233)
tikvan none LC_ALL=ja_JP.UTF-8 /D 1 932 EInOutError I/O \x83\x47\x83\x89\x81\x5b (105)
tikvan directory LC_ALL=C /D 1 437 EInOutError I/O ??? (6)
tikvan null-read LC_ALL=ja_JP.UTF-8 /X 1 932 EInOutError I/O \x83\x47\x83\x89\x81\x5b (6)
tikvan file-read LC_ALL=C /DTN 1 437 EInOutError I/O ??? (6)
fault file LC_ALL=ja_JP.UTF-8 memory 1 932 EOutOfMemory \x83\x81\x83\x82\x83\x8a\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82\xb9\x82\xf1
fault file LC_ALL=ja_JP.UTF-8 stack 1 932 EStackOverflow \x83\x58\x83\x5e\x83\x62\x83\x4e \x83\x49\x81\x5b\x83\x6f\x81\x5b\x83\x74\x83\x8d\x81\x5b
fault file LC_ALL=ja_JP.UTF-8 divide 1 932 EDivByZero \x83\x5b\x83\x8d\x82\xc9\x82\xe6\x82\xe9\x8f\x9c\x8e\x5a
fault file LC_ALL=ja_JP.UTF-8 access 1 932 -
fault gone LC_ALL=ja_JP.UTF-8 access 1 932 EInOutError I/O \x83\x47\x83\x89\x81\x5b (233)
fault file LC_ALL=ja_JP.UTF-8 trap 1 932 EExternalException \x8a\x4f\x95\x94\x97\xe1\x8a\x4f C000001D
fault file LC_ALL=ja_JP.UTF-8 runerror 217 out - Runtime error 217 at 00401234\r\n
fault file LC_ALL=ja_JP.UTF-8 memory2 203 out EOutOfMemory -
ROWS
exec {gone}>&-
# Host faults, in the host's code page: the report's first line (a regular
# expression), and a text of its message. The module is found and the
# address given as an offset into it; outside every module, the address
# less the image header.
while IFS='|' read -r mode first text; do
    in_locale LC_ALL=C "$host_fault" "$mode" >/dev/null 2>"$work/err"
    [[ $? == 1 ]] && LC_ALL=C grep -q "^$first " "$work/err" && LC_ALL=C grep -aq -- "$text" "$work/err"
    check $? "host fault $mode: $(shown "$work/err")"
done <<'ROWS'
access|EAccessViolation ?????? fault ? 000[0-9A-F]\{5\}|'fault'.* 00000010 
jump|EAccessViolation ?????? fault ? FFFFF010|
library|EAccessViolation ?????? lib[^ /]*\.so[.0-9]* ?|
float-divide|EZeroDivide ?????? fault|
float-overflow|EOverflow ?????? fault|
float-underflow|EUnderflow ?????? fault|
float-inexact|EInvalidOp ?????? fault|
float-invalid|EInvalidOp ?????? fault|
ROWS

# Clocks (faketime; @ a Unix time) past 9999, past or wrapping 16 bits, before 1 or beyond the zone fail; a leap second reads as 59.
date_message='\x93\xfa\x95t\x82\xc9\x95\xcf\x8a\xb7\x82\xc5\x82\xab\x82\xc8\x82\xa2\x92l\x82\xaa\x93n\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd'  # 日付に変換できない値が渡されました
while read -r clock zone want; do
    [[ $clock == @* ]] && clock=$(printf '%+ds' $((${clock#@} - $(date +%s))))
    env LC_ALL=ja_JP.UTF-8 TZ="$zone" ASAN_OPTIONS=verify_asan_link_order=0 faketime -f "${clock//_/ }" \
        "$host" /DT >"$work/out" 2>"$work/err"
    status=$?
    if [[ $want == DATE ]]; then
        [[ $status == 1 && ! -s $work/out ]] && is_report "$work/err" 932 EConvertError tikvan "$date_message"
    else
        [[ $status == 0 && ! -s $work/err ]] && holds "$work/out" "${want//_/ }"
    fi
    check $? "clock $clock $zone: status $status, $(shown "$work/out") $(shown "$work/err")"
done <<'ROWS'
@254206944000 UTC DATE
@2005996406400 UTC DATE
@4074112857600 UTC DATE
@-62151494400 UTC DATE
@-2067122419200 UTC DATE
+100000000000000000s UTC DATE
2016-12-31_23:59:60 right/UTC 2016/12/31_23:59:59
2017-01-01_00:00:00 right/UTC 2017/01/01_00:00:00
ROWS
finish
