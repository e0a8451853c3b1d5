# Shared by the end-to-end scripts: the case table, the expected output and
# the count of results.
e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
passed=0
failed=0
wine_run=$(realpath "$e2e_dir/../../tools/wine-run.sh")

# A Unix path as Wine's drive Z: shows it.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# The usage screen: 355 bytes of code page 932 text.
usage_sha256=31296bdf6ed9cb4f3d91f74a5d9f8a0a22198f831db97d6dbc5e1f80f3abb635

# The separators of the locales the cases run under: a locale's own
# one-byte separator, or "/" and ":" where the locale's is longer.
declare -A date_separator=([C]=/ [ja_JP.UTF-8]=/ [de_DE.UTF-8]=. [fi_FI.UTF-8]=. [nl_NL.UTF-8]=-
                           [cs_CZ.UTF-8]=/ [ar_SA.UTF-8]=/ [ko_KR.UTF-8]=/)
declare -A time_separator=([C]=: [ja_JP.UTF-8]=: [de_DE.UTF-8]=: [fi_FI.UTF-8]=. [nl_NL.UTF-8]=:
                           [cs_CZ.UTF-8]=: [ar_SA.UTF-8]=: [ko_KR.UTF-8]=:)

# Reads the case table into the arrays tails, wants, statuses, routes and
# locales.
load_cases() {
    tails=() wants=() statuses=() routes=() locales=()
    local tail want status route locale
    while IFS='|' read -r tail want status route locale; do
        [[ $tail == \#* ]] && continue
        tails+=("$tail") wants+=("$want") statuses+=("$status") routes+=("${route:-any}") locales+=("${locale:-C}")
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

# A failure report with the module's name and the address masked.
masked_report() { LC_ALL=C sed -E 's/ [^ ]*tikvan[^ ]* / MODULE /; s/ [0-9A-F]{8} / ADDRESS /' "$1"; }

pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*" >&2; }

# Checks output file $1 against the expected kind $2, for a run that started
# at Unix second $3 and ended at $4 under locale $5: a timestamp must be one
# the clock showed meanwhile, in the fixed digits with the locale's
# separators; the usage screen must be byte-exact.
check_output() {
    local file=$1 want=$2 before=$3 after=$4 locale=$5 format
    if [[ $want == USAGE ]]; then
        [[ $(sha256sum <"$file" | cut -d' ' -f1) == "$usage_sha256" ]]
        return
    fi
    local ds=${date_separator[$locale]} ts=${time_separator[$locale]}
    case $want in
        D*) format="%Y$ds%m$ds%d" ;;&
        DT*) format+=' ' ;;&
        *T*) format+="%H$ts%M$ts%S" ;;&
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
