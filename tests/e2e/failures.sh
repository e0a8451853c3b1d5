#!/usr/bin/env bash
# Failure reports: standard output on a full disk, into a pipe whose reader
# has gone, missing, a directory, or open for reading only; clocks beyond
# the calendar; the last-resort line; platform faults made on purpose by a
# test program linked with the failure handling. Each must give status 1
# and the report on standard error, with the address masked.
#   tests/e2e/failures.sh build/host/tikvan build/host/tests/fault \
#       [build/win32/tikvan.exe build/win32/tests/launch.exe build/win32/tests/fault.exe]
# Without the Windows programs, only the host build runs.
set -uo pipefail
host=$1
host_fault=$2
builds=(host)
if (($# > 2)); then
    exe=$(realpath "$3") launcher=$(realpath "$4") exe_fault=$(realpath "$5")
    builds+=(wine)
fi
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A pipe whose reader is gone before the program starts, open for writing
# as descriptor $gone: the fifo is opened for reading and writing (which
# does not wait for a reader), then for writing, and the first is closed.
mkfifo "$work/fifo"
exec {reader}<>"$work/fifo" {gone}>"$work/fifo" {reader}<&-
mkdir "$work/directory"
: >"$work/readable"

# Runs build $1 with standard output sent to sink $2, under the locale
# variables $3.
run() {
    local build=$1 sink=$2 locale=$3
    shift 3
    local program=(in_locale "$locale" "$host")
    # wine-run.sh hands WINE_LOCALE on as LC_ALL, which the shell need not take.
    [[ $build == wine ]] && locale=${locale/LC_ALL=/WINE_LOCALE=} program=(in_locale "$locale" "$wine_run" "$exe")
    if [[ $build == wine && $sink == none ]]; then
        printf '%s invalid\n' "$(printf 'tikvan %s' "$*" | od -An -v -tx1 | tr -d ' \n')" >"$work/cases"
        in_locale "$locale" "$wine_run" "$launcher" "$(windows_path "$exe")" "$(windows_path "$work/cases")" \
            >"$work/results" 2>"$work/err"
        return "$(tr -d '\r' <"$work/results")"
    fi
    case $sink in
        full) "${program[@]}" "$@" >/dev/full 2>"$work/err" ;;
        gone) "${program[@]}" "$@" >&"$gone" 2>"$work/err" ;;
        none) "${program[@]}" "$@" 2>"$work/err" >&- ;;
        directory) "${program[@]}" "$@" 1<"$work/directory" 2>"$work/err" ;;
        null-read) "${program[@]}" "$@" 1</dev/null 2>"$work/err" ;;
        file-read) "${program[@]}" "$@" 1<"$work/readable" 2>"$work/err" ;;
    esac
}

# Rows: sink, I/O code, the report's code page, the locale variables, the
# words. Under Wine only LC_ALL chooses the locale (the glibc locales are
# not generated), so rows without it run on the host build alone.
while read -r sink code page locale args; do
    # I/O エラー (code)
    message="I/O \\x83\\x47\\x83\\x89\\x81\\x5b ($code)"
    [[ $page == 437 ]] && message="I/O ??? ($code)"
    module=tikvan
    for build in "${builds[@]}"; do
        [[ $build == wine ]] && { [[ $locale == *LC_ALL=* ]] || continue; module=tikvan.exe; }
        run "$build" "$sink" "$locale" $args
        status=$?
        [[ $status == 1 ]] && is_report "$work/err" "$page" EInOutError "$module" "$message"
        check $? "$build $sink $locale [$args]: status $status, $(shown "$work/err")"
    done
done <<'ROWS'
full 112 932 LC_ALL=ja_JP.UTF-8 /D
full 112 932 LC_ALL=ja_JP.UTF-8 /?
full 112 932 LC_ALL=ja_JP.UTF-8 /X
full 112 437 LC_ALL=C /DTN
full 112 932 LANG=ja_JP.UTF-8 /D
full 112 437 LC_MESSAGES=ja_JP.UTF-8 /T
full 112 932 LC_CTYPE=ja_JP.UTF-8 /T
gone 233 932 LC_ALL=ja_JP.UTF-8 /?
gone 233 437 LC_ALL=C /X
gone 233 437 LC_ALL=C /D
none 105 932 LC_ALL=ja_JP.UTF-8 /D
none 105 437 LC_ALL=C /T
directory 6 437 LC_ALL=C /D
null-read 6 932 LC_ALL=ja_JP.UTF-8 /X
file-read 6 437 LC_ALL=C /DTN
file-read 6 932 LC_ALL=ja_JP.UTF-8 /?
ROWS
exec {gone}>&-

# Clocks of the host that SYSTEMTIME cannot hold, moved by faketime: a year
# beyond 9999 or beyond the 16-bit field, a year before 1, and a time the
# time zone cannot convert each give the date conversion failure and no
# timestamp; a leap second reads as second 59. A row's clock is a faketime
# time string, or @ and the Unix time to move to.
# 日付に変換できない値が渡されました
date_message='\x93\xfa\x95t\x82\xc9\x95\xcf\x8a\xb7\x82\xc5\x82\xab\x82\xc8\x82\xa2\x92l\x82\xaa\x93n\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd'
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
@2005933248000 UTC DATE
@2005996406400 UTC DATE
@4074112857600 UTC DATE
@-62151494400 UTC DATE
@-2067122419200 UTC DATE
+100000000000000000s UTC DATE
2001-07-01_00:00:00 UTC 2001/07/01_00:00:00
2016-12-31_23:59:60 right/UTC 2016/12/31_23:59:59
2016-12-31_23:59:59 right/UTC 2016/12/31_23:59:59
2017-01-01_00:00:00 right/UTC 2017/01/01_00:00:00
ROWS

# The last-resort path: its line on standard output, to the final line feed
# and without the template's zero byte, and its number as the status.
for build in "${builds[@]}"; do
    if [[ $build == host ]]; then "$host_fault" runerror >"$work/out"; else "$wine_run" "$exe_fault" runerror >"$work/out"; fi
    status=$?
    [[ $status == 217 ]] && holds "$work/out" 'Runtime error 217 at 00401234\r\n'
    check $? "$build run-time error line: status $status, $(shown "$work/out")"
done

# Faults: the report names the class, the module and the message, and the
# status is 1. The report of a stack overflow runs on the little stack the
# overflow leaves. QEMU, where it runs Wine's 32-bit side, reports some
# faults of a Windows program as other exception codes, so under Wine the
# divide and access rows check only the report's first word.
# An AddressSanitizer build ends a failed allocation itself.
# The messages: メモリが足りません; スタック オーバーフロー; ゼロによる除算.
ldd "$host_fault" 2>/dev/null | grep -q libasan && asan=1 || asan=
while read -r mode class message; do
    for build in "${builds[@]}"; do
        [[ $build == host && $mode == memory && -n $asan ]] && continue
        if [[ $build == host ]]; then
            in_locale LC_ALL=ja_JP.UTF-8 "$host_fault" "$mode" 2>"$work/err"
            status=$? module=fault
        else
            in_locale WINE_LOCALE=ja_JP.UTF-8 "$wine_run" "$exe_fault" "$mode" 2>"$work/err"
            status=$? module=fault.exe
        fi
        if [[ $message == - || ($build == wine && ($mode == divide || $mode == access)) ]]; then
            [[ $status == 1 && $(head -c 1 "$work/err") == E ]] && LC_ALL=C grep -aqF "$(printf ' \x82\xaa\x83\x82')" "$work/err"
        else
            [[ $status == 1 ]] && is_report "$work/err" 932 "$class" "$module" "$message"
        fi
        check $? "$build fault $mode: status $status, $(shown "$work/err")"
    done
done <<'ROWS'
memory EOutOfMemory \x83\x81\x83\x82\x83\x8a\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82\xb9\x82\xf1
stack EStackOverflow \x83\x58\x83\x5e\x83\x62\x83\x4e \x83\x49\x81\x5b\x83\x6f\x81\x5b\x83\x74\x83\x8d\x81\x5b
divide EDivByZero \x83\x5b\x83\x8d\x82\xc9\x82\xe6\x82\xe9\x8f\x9c\x8e\x5a
access EAccessViolation -
ROWS

# The host build finds its own module, linked statically or not: the access
# violation names 'fault' in its message, and the address of the first line
# is an offset into the module.
in_locale LC_ALL=C "$host_fault" access 2>"$work/err"
LC_ALL=C grep -q "^EAccessViolation ?????? fault ? 000[0-9A-F]\{5\} " "$work/err" &&
    LC_ALL=C grep -aqF "'fault'" "$work/err"
check $? "host fault access: module not found, $(shown "$work/err")"
finish
