# Shared by the end-to-end scripts: the case table, the expected output and
# failure report, and the count of results.
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
declare -A date_separator=([C]=/ [de_DE.UTF-8]=. [fi_FI.UTF-8]=. [nl_NL.UTF-8]=- [cs_CZ.UTF-8]=/ [ko_KR.UTF-8]=/)
declare -A time_separator=([C]=: [de_DE.UTF-8]=: [fi_FI.UTF-8]=. [nl_NL.UTF-8]=: [cs_CZ.UTF-8]=: [ko_KR.UTF-8]=:)

# Reads the case table into the arrays tails, wants, statuses, routes,
# locales and environments.
load_cases() {
    tails=() wants=() statuses=() routes=() locales=() environments=()
    local tail want status route locale environment
    while IFS='|' read -r tail want status route locale environment; do
        [[ $tail == \#* ]] && continue
        tails+=("$tail") wants+=("$want") statuses+=("$status") routes+=("${route:-any}") locales+=("${locale:-C}")
        environments+=("${environment:-LC_ALL=${locale:-C}}")
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

# Runs a command with the locale variables $1 ("LANG=xx_YY.UTF-8 ...") and
# no others.
in_locale() {
    local -a variables
    read -ra variables <<<"$1"
    shift
    env -u LC_ALL -u LC_MESSAGES -u LC_CTYPE -u LANG "${variables[@]}" "$@"
}

# A failure report with the address masked, and also the module's name
# where it holds "tikvan".
masked_address() { LC_ALL=C sed -E 's/ [0-9A-F]{8} / ADDRESS /' "$1"; }
masked_report() { masked_address "$1" | LC_ALL=C sed -E 's/ [^ ]*tikvan[^ ]* / MODULE /'; }

# The report of class $2 from module $3 with message $4 (printf %b) in code
# page $1, address masked: two lines and an empty line, in code page 932 or,
# in 437, with "?" for each Japanese character.
report() {
    local page=$1 class=$2 module=$3 message=$4
    if [[ $page == 437 ]]; then
        printf '%s ?????? %s ? ADDRESS ????????\r\n%b.\r\n\r\n' "$class" "$module" "$message"
    else
        # CLASS がモジュール MODULE の ADDRESS で発生しました。
        printf '%s \x82\xaa\x83\x82\x83\x57\x83\x85\x81\x5b\x83\x8b %s \x82\xcc ADDRESS ' "$class" "$module"
        printf '\x82\xc5\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42\r\n%b.\r\n\r\n' "$message"
    fi
}
# Whether file $1 holds that report (arguments as for report).
is_report() { [[ $(masked_address "$1" | od -An -tx1) == $(report "${@:2}" | od -An -tx1) ]]; }
# Whether file $1 holds exactly the bytes printf %b makes of $2, a final
# line feed and zero bytes included.
holds() { [[ $(od -An -tx1 "$1") == $(printf '%b' "$2" | od -An -tx1) ]]; }

pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*" >&2; }
# Counts a check: $1 is its status, the rest says what failed.
check() { if [[ $1 == 0 ]]; then pass; else fail "${@:2}"; fi; }
# Bytes of file $1 for a failure message.
shown() { od -An -c "$1" | head -c "${2:-200}"; }

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
