#!/usr/bin/env bash
# The host build: the case table (only it, under a WRAPPER such as valgrind),
# the writes that reach standard output, and runs out of memory.
#   tests/e2e/host.sh build/host/tikvan [WRAPPER...]
set -uo pipefail
program=$1
wrapper=("${@:2}")
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

load_cases
for i in "${!tails[@]}"; do
    [[ ${routes[$i]} == wine ]] && continue
    eval "set -- $(printf '%b' "${tails[$i]}")"
    before=$(date +%s)
    in_locale "${environments[$i]}" "${wrapper[@]}" "$program" "$@" >"$work/out"
    status=$?
    [[ $status == "${statuses[$i]}" ]] && check_output "$work/out" "${wants[$i]}" "$before" "$(date +%s)" "${locales[$i]}"
    check $? "host [${tails[$i]}] ${environments[$i]}: status $status, output $(shown "$work/out" 120)"
done
((${#wrapper[@]})) && { finish; exit; }

# The test build's exact line (TIKVAN_COMMAND_LINE, hexadecimal), and a name
# ending in a single-byte character of code page 1252, which ends at the blank.
exact=$(dirname "$program")/tests/tikvan_exact
before=$(date +%s)
[[ ! -x $exact ]] || { TIKVAN_COMMAND_LINE=227420762220202F44 "$exact" >"$work/out"   # "t v"  /D
    check_output "$work/out" D "$before" "$(date +%s)" C; check $? "exact line: $(shown "$work/out" 60)"; }
cp "$program" "$work/tikv"$'\xe9'
before=$(date +%s)
LC_ALL=C "$work/tikv"$'\xe9' /D >"$work/out"
check_output "$work/out" D "$before" "$(date +%s)" C
check $? "a name ending in 0xE9: $(shown "$work/out" 60)"
LC_ALL=C "$work/tikv"$'\xe9' /D >/dev/full 2>"$work/err"   # é is 0x82 in code page 437
LC_ALL=C grep -aqF "EInOutError ?????? tikv"$'\x82'" " "$work/err"
check $? "a name ending in 0xE9 in a report: $(shown "$work/err" 60)"

# Writes to descriptor 1: full 128-byte buffers and the rest at the end to
# a file or a pipe, one per statement to a character device.
trace=(strace -qq -e trace=write -o "$work/trace" "$program")
writes() { sed -n "s/^write(1, .*, \([0-9]*\)) *= \($1\).*$/$2/p" "$work/trace" | tr '\n' ' '; }
while IFS='|' read -r want args sink; do
    eval '"${trace[@]}"' "$args $sink"
    got=$(writes '[0-9]*' '\2')
    check "$([[ $got == "$want " ]]; echo $?)" "writes [$args] $sink: got [$got], want [$want]"
done <<'ROWS'
128 128 99|/?|>"$work/file"
128 128 99|/X|| cat >/dev/null
21||>"$work/file"
32 2 24 2 30 30 30 36 2 8 32 12 12 2 12 10 2 13 21 2 14 27|/?|>/dev/null
ROWS

# A file at its size limit takes 124 bytes of the first 128; the next write
# carries the other 4 and fails: status 1, the report after all output.
head -c 900 /dev/zero >"$work/limited"
(ulimit -f 1 && exec "${trace[@]}" /? >>"$work/limited" 2>/dev/null)
status=$? got=$(writes '-\{0,1\}[0-9]*' '\1:\2' | cut -d' ' -f1-2)
order=$(sed -n 's/^write(\([12]\),.*/\1/p' "$work/trace" | uniq | tr -d '\n')
[[ $status == 1 && $got == "128:124 4:-1" && $order == 12 ]]
check $? "short write: status $status, writes [$got], descriptors $order"

# Exhausted memory: fine steps past the lowest address-space limit at which the
# program loads give the out-of-memory report (1) or line (203), then complete runs.
memory_message='?????????'  # メモリが足りません, in code page 437
ldd "$program" 2>/dev/null | grep -q libasan && { finish; exit; }
for args in /? /DTN /X; do
    complete=0 exhausted=0 fine= step=64 end=4096
    for ((limit = 2048; limit <= end; limit += step)); do
        (ulimit -v $limit && LC_ALL=C exec "$program" $args >"$work/out" 2>"$work/err")
        status=$?
        if [[ $status == 127 ]] && grep -qE 'loading shared libraries|cannot allocate TLS' "$work/err"; then
            continue
        elif [[ -z $fine ]]; then
            fine=1 step=12 end=$((limit + 96)) limit=$((limit - 72))
        elif [[ $status == 1 ]] && is_report "$work/err" C EOutOfMemory "${program##*/}" "$memory_message"; then
            exhausted=$((exhausted + 1))
        elif [[ $status == 203 && ! -s $work/err ]] &&
            holds <(LC_ALL=C sed -E 's/ [0-9A-F]{8}\r$/ ADDRESS\r/' "$work/out") 'Runtime error 203 at ADDRESS\r\n'; then
            exhausted=$((exhausted + 1))
        elif [[ $status == 0 || ($status == 255 && $args == /X) ]] && [[ -s $work/out && ! -s $work/err ]]; then
            complete=$((complete + 1))
        else
            fail "memory limit $limit KB [$args]: status $status, $(shown "$work/err") $(shown "$work/out" 80)"
            break
        fi
    done
    ((complete > 0 && exhausted > 0))
    check $? "memory sweep [$args]: $complete complete, $exhausted exhausted"
done
finish
