#!/usr/bin/env bash
# What `tikvan /DTN` costs, against the least program that prints the same
# text, measured side by side in one run; prints one compact table.
#   bench/run.sh [--runs N] [--host-only | --wine-only] [--strict]
# Host: instructions of the whole process, dynamic loading included
# (valgrind's callgrind), of build/host/tikvan, of bench/minimal.c built with
# the same compile and link options, of GNU date and of BusyBox date; and
# their median wall times (hyperfine).
# Wine: median wall times of N (default 60) rounds, each running tikvan.exe,
# bench/minimal_win.c built as tikvan.exe is, and `cmd /c echo %DATE% %TIME%`
# once, in turn, under one warm wineserver.
# Then the sizes and imports of the programs. Builds what it needs and
# installs missing tools through tools/install-deps.sh. With --strict the
# status is 1 when a goal is missed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

runs=60 host=1 wine=1 strict=0
while (($#)); do
    case $1 in
        --runs) runs=${2:-}; shift ;;
        --host-only) wine=0 ;;
        --wine-only) host=0 ;;
        --strict) strict=1 ;;
        *) echo "usage: bench/run.sh [--runs N] [--host-only | --wine-only] [--strict]" >&2; exit 2 ;;
    esac
    shift
done

[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "bench: --runs needs a positive number" >&2; exit 2; }

work=$(mktemp -d)
cleanup() {
    ((wine)) && tools/wine-run.sh --stop
    rm -rf "$work"
}
trap cleanup EXIT

# A command's output goes to a log, shown only when it fails.
quietly() {
    "$@" >"$work/log" 2>&1 || { cat "$work/log" >&2; echo "bench: failed: $*" >&2; exit 1; }
}

for tool in valgrind hyperfine busybox; do
    command -v "$tool" >/dev/null || { quietly tools/install-deps.sh; break; }
done
presets=()
((host)) && presets+=(host)
((wine)) && presets+=(win32)
for preset in "${presets[@]}"; do
    quietly cmake --preset "$preset"
    quietly cmake --build --preset "$preset" -j"$(nproc)" --target tikvan bench_minimal
done

date_format='+%Y/%m/%d %H:%M:%S'
timestamp=$'^[0-9]{4}.[0-9]{2}.[0-9]{2} [0-9]{2}.[0-9]{2}.[0-9]{2}\r$'
# Both programs must print a timestamp before they are timed.
check_output() {
    "$@" >"$work/out" || { echo "bench: $* ended with status $?" >&2; exit 1; }
    grep -Eq "$timestamp" "$work/out" || { echo "bench: $* printed $(od -An -c "$work/out")" >&2; exit 1; }
}

rows=()  # measure|tikvan|other|ratio|goal|verdict
missed=0
# Adds a comparison row: label, tikvan's figure, the other's, the goal as
# "<= R" or ">= R" on other/tikvan ("-": none), and the figures' format.
compare() {
    local label=$1 mine=$2 other=$3 goal=$4 format=$5 ratio verdict=-
    ratio=$(awk -v a="$mine" -v b="$other" 'BEGIN { printf "%.2f", a / b }')
    case $goal in
        "<= "*) awk -v r="$mine" -v b="$other" -v g="${goal#<= }" 'BEGIN { exit !(r / b <= g) }' && verdict=ok || verdict=MISS ;;
        ">= "*) ratio=$(awk -v a="$mine" -v b="$other" 'BEGIN { printf "%.2f", b / a }')
                awk -v r="$ratio" -v g="${goal#>= }" 'BEGIN { exit !(r >= g) }' && verdict=ok || verdict=MISS ;;
    esac
    [[ $verdict == MISS ]] && missed=1
    rows+=("$label|$(printf "$format" "$mine")|$(printf "$format" "$other")|$ratio|$goal|$verdict")
}

# Instructions of a whole process: the median of three counts.
instructions() {
    local i count
    for i in 1 2 3; do
        count=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
            sed -n 's/.*Collected : *//p')
        [[ $count =~ ^[0-9]+$ ]] || { echo "bench: callgrind gave no count for $*" >&2; exit 1; }
        echo "$count"
    done | sort -n | sed -n 2p
}

host_tikvan=build/host/tikvan
host_minimal=build/host/bench/minimal
if ((host)); then
    check_output "$host_tikvan" /DTN
    check_output "$host_minimal"
    ir_tikvan=$(instructions "$host_tikvan" /DTN)
    ir_minimal=$(instructions "$host_minimal")
    ir_date=$(instructions date "$date_format")
    ir_busybox=$(instructions busybox date "$date_format")
    compare "host Ir: tikvan / minimal C" "$ir_tikvan" "$ir_minimal" "<= 1.10" "%d"
    compare "host Ir: tikvan / GNU date" "$ir_tikvan" "$ir_date" "<= 0.50" "%d"
    compare "host Ir: tikvan / BusyBox date" "$ir_tikvan" "$ir_busybox" "-" "%d"

    quietly hyperfine -N --warmup 20 --runs 300 --style none --export-csv "$work/host.csv" \
        "$host_tikvan /DTN" "$host_minimal" "date '$date_format'" "busybox date '$date_format'"
    # Median wall times in milliseconds, in the order given.
    mapfile -t wall < <(awk -F, 'NR > 1 { printf "%.3f\n", $4 * 1000 }' "$work/host.csv")
    compare "host ms: tikvan / minimal C" "${wall[0]}" "${wall[1]}" "-" "%.3f"
    compare "host ms: tikvan / GNU date" "${wall[0]}" "${wall[2]}" "-" "%.3f"
    compare "host ms: tikvan / BusyBox date" "${wall[0]}" "${wall[3]}" "-" "%.3f"
fi

exe_tikvan=build/win32/tikvan.exe
exe_minimal=build/win32/bench/minimal.exe
if ((wine)); then
    # The prefix, its server and services, started once; then the runs start
    # wine directly, in the environment tools/wine-run.sh gives it.
    quietly tools/wine-run.sh --start
    source tools/wine-run.sh --environment
    wine_cmd=(env ${WINE_LOCALE:+LC_ALL=$WINE_LOCALE} wine)
    check_output "${wine_cmd[@]}" "$exe_tikvan" /DTN
    check_output "${wine_cmd[@]}" "$exe_minimal"
    commands=("$exe_tikvan /DTN" "$exe_minimal" "cmd /c echo %DATE% %TIME%")
    : >"$work/wine.times"
    # The rounds take the six orders of the three commands in turn, so that
    # no command always runs after the same one: what one Wine process leaves
    # the wineserver to do can slow the next.
    orders=("0 1 2" "0 2 1" "1 0 2" "1 2 0" "2 0 1" "2 1 0")
    for ((round = 0; round < runs; ++round)); do
        for which in ${orders[round % 6]}; do
            read -ra words <<<"${commands[which]}"
            start=${EPOCHREALTIME//[^0-9]/}
            "${wine_cmd[@]}" "${words[@]}" </dev/null >/dev/null 2>&1
            end=${EPOCHREALTIME//[^0-9]/}
            echo "$which $((end - start))" >>"$work/wine.times"
        done
    done
    # A quantile (0.5: the median) of each command's times, in milliseconds.
    quantile() { awk -v w="$1" '$1 == w { print $2 / 1000 }' "$work/wine.times" | sort -n |
        awk -v q="$2" '{ t[NR] = $1 } END { i = 1 + q * (NR - 1); j = int(i); printf "%.1f", t[j] + (i - j) * (t[j + 1] - t[j]) }'; }
    compare "wine ms: tikvan.exe / minimal exe" "$(quantile 0 0.5)" "$(quantile 1 0.5)" "<= 1.10" "%.1f"
    compare "wine ms: cmd echo / tikvan.exe" "$(quantile 0 0.5)" "$(quantile 2 0.5)" ">= 3" "%.1f"
    # The size goal is absolute: 96 KB.
    compare "exe bytes: tikvan.exe / 96 KB" "$(stat -c %s "$exe_tikvan")" 98304 "<= 1.00" "%d"
    spread="wine ms, quartiles and least:"
    for which in 0 1 2; do
        label=${commands[which]%% *}
        spread+=" ${label##*/} $(quantile "$which" 0.25)-$(quantile "$which" 0.75), $(quantile "$which" 0);"
    done
fi

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
commit=$(git rev-parse --short HEAD 2>/dev/null || echo unknown)
git diff --quiet HEAD 2>/dev/null || commit+=" with changes"
echo "tikvan benchmark, $(date -u '+%Y-%m-%d %H:%M UTC'), commit $commit"
echo "machine: $(uname -srm), ${cpu:-unknown CPU}, $(nproc) CPUs, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "environment: LANG=${LANG:-} LC_ALL=${LC_ALL:-} TZ=${TZ:-} WINE_LOCALE=${WINE_LOCALE:-}, $(env | wc -l) variables"
if ((host)); then
    link=$(sed -n 's/^TIKVAN_STATIC_RUNTIME:BOOL=//p' build/host/CMakeCache.txt)
    echo "host build: TIKVAN_STATIC_RUNTIME=${link:-unset}; host wall times: median of 300 runs each (hyperfine -N)"
fi
((wine)) && echo "wine wall times: median of $runs rounds, the three commands in turn, warm wineserver"
echo
printf '%-36s %12s %12s %7s %8s  %s\n' measure tikvan other ratio goal ""
for row in "${rows[@]}"; do
    IFS='|' read -r label mine other ratio goal verdict <<<"$row"
    printf '%-36s %12s %12s %7s %8s  %s\n' "$label" "$mine" "$other" "$ratio" "$goal" "$verdict"
done

((wine)) && echo "${spread%;}"

# Sizes and imports.
elf_needs() {
    local needed
    needed=$(readelf -d "$1" 2>/dev/null | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | paste -sd ' ')
    echo "${needed:-none (static)}"
}
pe_imports() {
    i686-w64-mingw32-objdump -p "$1" | awk '
        /DLL Name:/ { if (dll) print dll " (" n "): " names; dll = $3; n = 0; names = ""; next }
        dll && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { n++; names = names (n > 1 ? " " : "") $3 }
        dll && /^$/ && n { print dll " (" n "): " names; dll = "" }
        END { if (dll) print dll " (" n "): " names }'
}
echo
if ((host)); then
    for program in "$host_tikvan" "$host_minimal"; do
        printf '%-28s %9d bytes  shared libraries: %s\n' "$program" "$(stat -c %s "$program")" "$(elf_needs "$program")"
    done
fi
if ((wine)); then
    for program in "$exe_tikvan" "$exe_minimal"; do
        printf '%-28s %9d bytes  imports:\n' "$program" "$(stat -c %s "$program")"
        pe_imports "$program" | fold -s -w 96 | sed 's/^/    /'
    done
fi
((strict && missed)) && exit 1
exit 0
