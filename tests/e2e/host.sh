#!/usr/bin/env bash
# End-to-end cases of the host build: output and status for each row of the
# case table, the pattern of writes that reaches standard output, and runs
# out of memory.
#   tests/e2e/host.sh build/host/tikvan [WRAPPER...]
# With a wrapper (valgrind and its options, say), the case table runs under
# it, and the checks that trace the program or limit its memory are left out.
set -uo pipefail
program=$1
shift
wrapper=("$@")
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

load_cases
for i in "${!tails[@]}"; do
    [[ ${routes[$i]} == wine ]] && continue
    # The words that rebuild the same command line on this build.
    eval "set -- $(printf '%b' "${tails[$i]}")"
    before=$(date +%s)
    in_locale "${environments[$i]}" "${wrapper[@]}" "$program" "$@" >"$work/out"
    status=$?
    after=$(date +%s)
    [[ $status == "${statuses[$i]}" ]] && check_output "$work/out" "${wants[$i]}" "$before" "$after" "${locales[$i]}"
    check $? "host [${tails[$i]}] ${environments[$i]}: status $status, output $(shown "$work/out" 120)"
done
if ((${#wrapper[@]})); then
    finish
    exit
fi

# The sizes of the writes to descriptor 1 as strace sees them, with
# standard output sent to sink $1: a regular file, /dev/null (a character
# device) or a pipe.
writes() {
    local sink=$1
    shift
    local trace=(strace -qq -e trace=write -o "$work/trace" "$program" "$@")
    case $sink in
        file) "${trace[@]}" >"$work/file" ;;
        null) "${trace[@]}" >/dev/null ;;
        pipe) "${trace[@]}" | cat >/dev/null ;;
    esac
    sed -n 's/^write(1, .*, \([0-9]*\)) *= \([0-9]*\)$/\2/p' "$work/trace" | tr '\n' ' '
}

# A file or pipe takes full 128-byte buffers and the rest at the end; a
# character device takes one write per statement.
usage_lines=$(printf '%s ' 32 2 24 2 30 30 30 36 2 8 32 12 12 2 12 10 2 13 21 2 14 27)
while read -r sink want args; do
    got=$(writes "$sink" $args)
    want=${want//_/ }
    [[ $got == "${want% } " ]]
    check $? "writes to $sink of [$args]: got [$got], want [$want]"
done <<ROWS
file 128_128_99 /?
pipe 128_128_99 /X
file 21
null ${usage_lines// /_} /?
ROWS

# A short write is continued: a file at its size limit takes 124 bytes of
# the first 128, the next write carries the other 4 and fails; status 1.
head -c 900 /dev/zero >"$work/limited"
(ulimit -f 1 && exec strace -qq -e trace=write -o "$work/trace" "$program" /? >>"$work/limited" 2>/dev/null)
status=$?
got=$(sed -n 's/^write(1, .*, \([0-9]*\)) *= \(-\{0,1\}[0-9]*\).*$/\1:\2/p' "$work/trace" | head -2 | tr '\n' ' ')
[[ $status == 1 && $got == "128:124 4:-1 " ]]
check $? "short write: status $status, writes [$got]"
# What reached standard output comes before the report on standard error.
order=$(sed -n 's/^write(\([12]\),.*/\1/p' "$work/trace" | uniq | tr -d '\n')
[[ $order == 12 ]]
check $? "write order by descriptor: $order"

# Exhausted memory, swept over limits of the address space: every run that
# starts ends with its output, with the out-of-memory report naming the
# program and status 1, or with the run-time error line of start-up and
# status 203 (the line without a zero byte, with its line feed); never with a signal. Limits at which the loader cannot even
# start the program are passed over. The sweep must reach both a complete
# run and exhausted memory. An AddressSanitizer build cannot start under
# any such limit.
# メモリが足りません, in code page 437.
memory_message='?????????'
if ! ldd "$program" 2>/dev/null | grep -q libasan; then
    for args in /? /DTN /X; do
        complete=0 exhausted=0
        for ((limit = 2048; limit <= 4096; limit += 12)); do
            (ulimit -v $limit && LC_ALL=C exec "$program" $args >"$work/out" 2>"$work/err")
            status=$?
            if [[ $status == 127 ]] && grep -qE 'loading shared libraries|cannot allocate TLS' "$work/err"; then
                continue
            elif [[ $status == 1 ]] && is_report "$work/err" C EOutOfMemory "${program##*/}" "$memory_message"; then
                exhausted=$((exhausted + 1))
            elif [[ $status == 203 && ! -s $work/err ]] &&
                [[ $(LC_ALL=C sed -E 's/ [0-9A-F]{8}\r$/ ADDRESS\r/' "$work/out" | od -An -tx1) == \
                    $(printf 'Runtime error 203 at ADDRESS\r\n' | od -An -tx1) ]]; then
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
fi
finish
