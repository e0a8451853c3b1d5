# Shared by the end-to-end scripts: the case table, the expected output and
# the count of results.
e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
passed=0
failed=0

# The usage screen: 355 bytes of code page 932 text.
usage_sha256=31296bdf6ed9cb4f3d91f74a5d9f8a0a22198f831db97d6dbc5e1f80f3abb635

# Reads the case table into the arrays tails, wants, statuses, routes.
load_cases() {
    tails=() wants=() statuses=() routes=()
    local tail want status route
    while IFS='|' read -r tail want status route; do
        [[ $tail == \#* ]] && continue
        tails+=("$tail") wants+=("$want") statuses+=("$status") routes+=("${route:-any}")
    done <"$e2e_dir/outcomes.txt"
}

# The full command line of case $1, as bytes.
command_line() {
    local tail=${tails[$1]}
    if [[ $tail == @* ]]; then printf '%b' "${tail:1}"; return; fi
    printf 'tikvan'
    [[ -n $tail ]] && printf ' %b' "$tail"
    return 0
}

pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*" >&2; }

# Checks output file $1 against the expected kind $2, for a run that started
# at Unix second $3 and ended at $4: a timestamp must be one the clock showed
# meanwhile, in the fixed digits; the usage screen must be byte-exact.
check_output() {
    local file=$1 want=$2 before=$3 after=$4 format
    if [[ $want == USAGE ]]; then
        [[ $(sha256sum <"$file" | cut -d' ' -f1) == "$usage_sha256" ]]
        return
    fi
    case $want in
        D*) format='%Y/%m/%d' ;;&
        DT*) format+=' ' ;;&
        *T*) format+='%H:%M:%S' ;;&
        *N) format+=$'\r\n' ;;
    esac
    local text second
    text=$(cat "$file"; printf x)
    for ((second = before; second <= after; second++)); do
        [[ $text == "$(printf "%(${format})T" "$second"; printf x)" ]] && return 0
    done
    return 1
}

# Prints the closing count and gives the script's status.
finish() {
    echo "$passed passed, $failed failed"
    [[ $failed -eq 0 ]]
}
