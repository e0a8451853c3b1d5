# Shared by the end-to-end scripts: case table, expected output and report, results.
e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
passed=0 failed=0
wine_run=$(realpath "$e2e_dir/../../tools/wine-run.sh")
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
usage_sha256=31296bdf6ed9cb4f3d91f74a5d9f8a0a22198f831db97d6dbc5e1f80f3abb635
declare -A separators=([C]=/: [de_DE.UTF-8]=.: [fi_FI.UTF-8]=.. [nl_NL.UTF-8]=-:)  # date, time

# The case table as arrays: tails, wants, statuses, routes, locales, environments.
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
    if [[ $tail == @* ]]; then printf '%b' "${tail:1}"; else printf 'tikvan'; [[ -z $tail ]] || printf ' %b' "$tail"; fi
}
# Runs a command with the locale variables $1 ("LANG=xx_YY.UTF-8 ...") and no others.
in_locale() {
    local -a variables
    read -ra variables <<<"$1"
    env -u LC_ALL -u LC_MESSAGES -u LC_CTYPE -u LANG "${variables[@]}" "${@:2}"
}
masked_address() { LC_ALL=C sed -E 's/ [0-9A-F]{8} / ADDRESS /' "$1"; }
masked_report() { masked_address "$1" | LC_ALL=C sed -E 's/ [^ ]*tikvan[^ ]* / MODULE /'; }
# The report of class $2, module $3, message $4 (printf %b), address masked, in
# code page $1 (932, or 437 with "?" for each Japanese character).
report() {
    if [[ $1 == 437 ]]; then
        printf '%s ?????? %s ? ADDRESS ????????\r\n%b.\r\n\r\n' "$2" "$3" "$4"
    else  # CLASS がモジュール MODULE の ADDRESS で発生しました。
        printf '%s \x82\xaa\x83\x82\x83\x57\x83\x85\x81\x5b\x83\x8b %s \x82\xcc ADDRESS ' "$2" "$3"
        printf '\x82\xc5\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42\r\n%b.\r\n\r\n' "$4"
    fi
}
is_report() { [[ $(masked_address "$1" | od -An -tx1) == $(report "${@:2}" | od -An -tx1) ]]; }
# Whether file $1 holds exactly the bytes printf %b makes of $2.
holds() { [[ $(od -An -tx1 "$1") == $(printf '%b' "$2" | od -An -tx1) ]]; }
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*" >&2; }
check() { if [[ $1 == 0 ]]; then pass; else fail "${@:2}"; fi; }
shown() { od -An -c "$1" | head -c "${2:-200}"; }

# Output file $1 against kind $2 for a run between Unix seconds $3 and $4 under
# locale $5: a timestamp of that time with its separators, or the usage screen.
check_output() {
    [[ $2 == USAGE ]] && { [[ $(sha256sum <"$1") == "$usage_sha256 "* ]]; return; }
    local ds=${separators[$5]:0:1} ts=${separators[$5]:1:1} format text second
    case $2 in
        D*) format="%Y$ds%m$ds%d" ;;&
        DT*) format+=' ' ;;&
        *T*) format+="%H$ts%M$ts%S" ;;&
        *N) format+=$'\r\n' ;;
    esac
    text=$(cat "$1"; printf x)
    for ((second = $3; second <= $4; second++)); do
        [[ $text == "$(printf "%(${format})T" "$second"; printf x)" ]] && return 0
    done
    return 1
}
finish() { echo "$passed passed, $failed failed"; [[ $failed -eq 0 ]]; }
