#!/usr/bin/env bash
# Failure reports of both builds: standard output on a full disk, into a pipe
# whose reader has gone, missing, a directory, or open for reading only. Each
# case must give status 1, nothing on
# standard output, and the same report on standard error, with the module's
# name and the address masked.
# Then platform faults, made on purpose by a test program linked with the
# failure handling.
#   tests/e2e/failures.sh build/host/tikvan build/win32/tikvan.exe build/win32/tests/launch.exe \
#       build/host/tests/fault build/win32/tests/fault.exe
set -uo pipefail
host=$1
exe=$(realpath "$2")
launcher=$(realpath "$3")
host_fault=$4
exe_fault=$(realpath "$5")
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The report of class $2 with message $3 under locale $1: class, module and
# address; the message and "."; an empty line.
report() {
    local locale=$1 class=$2 message=$3
    if [[ $locale == C ]]; then
        printf '%s ?????? MODULE ? ADDRESS ????????\r\n%b.\r\n\r\n' "$class" "$message"
    else
        # CLASS がモジュール MODULE の ADDRESS で発生しました。
        printf '%s \x82\xaa\x83\x82\x83\x57\x83\x85\x81\x5b\x83\x8b MODULE \x82\xcc ADDRESS ' "$class"
        printf '\x82\xc5\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42\r\n%b.\r\n\r\n' "$message"
    fi
}
io_error() {  # I/O エラー (code)
    if [[ $1 == C ]]; then echo "I/O ??? ($2)"; else echo "I/O \\x83\\x47\\x83\\x89\\x81\\x5b ($2)"; fi
}
expect_report() {  # file, locale, class, message
    [[ $(masked_report "$1" | od -An -tx1) == $(report "$2" "$3" "$4" | od -An -tx1) ]]
}


# A pipe whose reader is gone before the program starts, open for writing
# as descriptor $gone: the fifo is opened for reading and writing (which
# does not wait for a reader), then for writing, and the first is closed.
mkfifo "$work/fifo"
exec {reader}<>"$work/fifo" {gone}>"$work/fifo" {reader}<&-
mkdir "$work/directory"
: >"$work/readable"

# Runs build $1 with standard output sent to sink $2, under locale $3: a
# full disk, a pipe without a reader, no standard output at all, a
# directory, the null device or a file opened for reading only.
run() {
    local build=$1 sink=$2 locale=$3
    shift 3
    local program=(env LC_ALL="$locale" "$host")
    [[ $build == wine ]] && program=(env WINE_LOCALE="$locale" "$wine_run" "$exe")
    if [[ $build == wine && $sink == none ]]; then
        printf '%s invalid\n' "$(printf 'tikvan %s' "$*" | od -An -v -tx1 | tr -d ' \n')" >"$work/cases"
        WINE_LOCALE=$locale "$wine_run" "$launcher" "$(windows_path "$exe")" "$(windows_path "$work/cases")" \
            >"$work/results" 2>"$work/err"
        return "$(cut -d' ' -f1 "$work/results")"
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

while read -r sink code locale args; do
    for build in host wine; do
        run "$build" "$sink" "$locale" $args
        status=$?
        if [[ $status == 1 ]] && expect_report "$work/err" "$locale" EInOutError "$(io_error "$locale" "$code")"; then
            pass
        else
            fail "$build $sink $locale [$args]: status $status, $(od -An -c "$work/err" | head -c 200)"
        fi
    done
done <<'ROWS'
full 112 ja_JP.UTF-8 /D
full 112 ja_JP.UTF-8 /?
full 112 ja_JP.UTF-8 /X
full 112 C /DTN
gone 233 ja_JP.UTF-8 /?
gone 233 C /X
gone 233 C /D
none 105 ja_JP.UTF-8 /D
none 105 C /T
directory 6 C /D
directory 6 ja_JP.UTF-8 /?
null-read 6 C /DTN
null-read 6 ja_JP.UTF-8 /X
file-read 6 C /T
file-read 6 ja_JP.UTF-8 /?
ROWS
exec {gone}>&-

# Clocks of the host that SYSTEMTIME cannot hold, moved by faketime: a year
# beyond 9999 or beyond the 16-bit field, a year before 1, and a time the
# time zone cannot convert each give the date conversion failure and no
# timestamp; a leap second reads as second 59. A row's clock is a year
# (July 1st of it, UTC) or a faketime specification.
# 日付に変換できない値が渡されました
date_message='\x93\xfa\x95t\x82\xc9\x95\xcf\x8a\xb7\x82\xc5\x82\xab\x82\xc8\x82\xa2\x92l\x82\xaa\x93n\x82\xb3\x82\xea\x82\xdc\x82\xb5\x82\xbd'
# Days from 1970-01-01 to the date $1-$2-$3 of the proleptic Gregorian calendar.
days_from_civil() {
    local y=$1 m=$2 d=$3
    ((m <= 2)) && y=$((y - 1))
    local era=$(((y >= 0 ? y : y - 399) / 400))
    local yoe=$((y - era * 400)) mp=$(((m + 9) % 12))
    local doe=$((yoe * 365 + yoe / 4 - yoe / 100 + (153 * mp + 2) / 5 + d - 1))
    echo $((era * 146097 + doe - 719468))
}
while read -r clock zone want; do
    if [[ $clock == year:* ]]; then
        offset=$(($(days_from_civil "${clock#year:}" 7 1) * 86400 - $(date +%s)))
        clock=$(printf '%+ds' "$offset")
    fi
    env LC_ALL=ja_JP.UTF-8 TZ="$zone" faketime -f "${clock//_/ }" "$host" /DT >"$work/out" 2>"$work/err"
    status=$?
    if [[ $want == DATE ]]; then
        [[ $status == 1 && ! -s $work/out ]] && expect_report "$work/err" ja_JP.UTF-8 EConvertError "$date_message"
    else
        [[ $status == 0 && $(cat "$work/out") == "${want//_/ }" && ! -s $work/err ]]
    fi
    if [[ $? == 0 ]]; then
        pass
    else
        fail "clock $clock $zone: status $status, $(od -An -c "$work/out" "$work/err" | head -c 200)"
    fi
done <<'ROWS'
year:10025 UTC DATE
year:65535 UTC DATE
year:65537 UTC DATE
year:131073 UTC DATE
year:0 UTC DATE
year:-63535 UTC DATE
+100000000000000000s UTC DATE
2001-07-01_00:00:00 UTC 2001/07/01_00:00:00
2016-12-31_23:59:60 right/UTC 2016/12/31_23:59:59
2016-12-31_23:59:59 right/UTC 2016/12/31_23:59:59
2017-01-01_00:00:00 right/UTC 2017/01/01_00:00:00
ROWS

# The last-resort path: its line on standard output, and its number as the
# status.
for build in host wine; do
    if [[ $build == host ]]; then "$host_fault" runerror >"$work/out"; else "$wine_run" "$exe_fault" runerror >"$work/out"; fi
    status=$?
    if [[ $status == 217 && $(cat "$work/out") == $'Runtime error 217 at 00401234\r' ]]; then
        pass
    else
        fail "$build run-time error line: status $status, $(od -An -c "$work/out" | head -c 200)"
    fi
done

# Faults: the report names the class and its message, and the status is 1.
# QEMU, where it runs Wine's 32-bit side, reports some faults of a Windows
# program as other exception codes, so under Wine the divide and access
# rows check only the report's shape: a class, then "がモジュール".
# Exhausted memory and a stack overflow are checked in full on both builds;
# the report of an overflow runs on the little stack the overflow leaves.
# The messages: ゼロによる除算; the accessed address with に対する書き込み;
# メモリが足りません; スタック オーバーフロー.
while read -r mode class message; do
    env LC_ALL=ja_JP.UTF-8 "$host_fault" "$mode" 2>"$work/err"
    status=$?
    if [[ $status == 1 && $(head -c ${#class} "$work/err") == "$class" ]] &&
        LC_ALL=C grep -aqF "$(printf '%b' "$message")" "$work/err"; then
        pass
    else
        fail "host fault $mode: status $status, $(od -An -c "$work/err" | head -c 200)"
    fi
    WINE_LOCALE=ja_JP.UTF-8 "$wine_run" "$exe_fault" "$mode" 2>"$work/err"
    status=$?
    if [[ $mode == stack || $mode == memory ]]; then
        [[ $status == 1 && $(head -c ${#class} "$work/err") == "$class" ]] &&
            LC_ALL=C grep -aqF "$(printf '%b' "$message")" "$work/err"
    else
        [[ $status == 1 && $(head -c 1 "$work/err") == E ]] && LC_ALL=C grep -aqF "$(printf ' \x82\xaa\x83\x82')" "$work/err"
    fi
    if [[ $? == 0 ]]; then
        pass
    else
        fail "wine fault $mode: status $status, $(od -An -c "$work/err" | head -c 200)"
    fi
done <<'ROWS'
divide EDivByZero \x83\x5b\x83\x8d\x82\xc9\x82\xe6\x82\xe9\x8f\x9c\x8e\x5a.
memory EOutOfMemory \x83\x81\x83\x82\x83\x8a\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82\xb9\x82\xf1.
stack EStackOverflow \x83\x58\x83\x5e\x83\x62\x83\x4e \x83\x49\x81\x5b\x83\x6f\x81\x5b\x83\x74\x83\x8d\x81\x5b.
access EAccessViolation 00000010 \x82\xc9\x91\xce\x82\xb7\x82\xe9\x8f\x91\x82\xab\x8d\x9e\x82\xdd
ROWS

# The host build finds its own module, linked statically or not: the access
# violation names 'fault', and the address of the first line is an offset
# into the module.
env LC_ALL=C "$host_fault" access 2>"$work/err"
if LC_ALL=C grep -q "^EAccessViolation ?????? fault ? 000[0-9A-F]\{5\} " "$work/err" &&
    LC_ALL=C grep -aqF "'fault'" "$work/err"; then
    pass
else
    fail "host fault access: module not found, $(od -An -c "$work/err" | head -c 200)"
fi
finish
