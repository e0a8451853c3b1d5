#!/usr/bin/env bash
# Both builds, given the same exact command lines (the end-to-end table and
# PARITY_COUNT (200) seeded lines) under the same locales, output to a file,
# a pipe or a full disk, give the same status and bytes (clock digits, a
# report's module and address masked); so does `/DTN` under every POSIX name
# that reaches the locale table.
#   tests/parity/run.sh build/host/tests build/win32/tests build/win32/tikvan.exe
set -uo pipefail
host_tests=$(realpath "$1") win_tests=$(realpath "$2") exe=$(realpath "$3")
host=$host_tests/tikvan_exact
source "$(dirname "$0")/../e2e/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
hex() { od -An -v -tx1 | tr -d ' \n'; }
masked() { echo "$1 $([[ -f $2 ]] && LC_ALL=C tr 0-9 9 <"$2" | hex) $(masked_report "$3" | hex)"; }

load_cases
{
    for i in "${!tails[@]}"; do command_line "$i" | hex; echo; done | awk '!seen[$0]++'
    "$host_tests/parity_corpus" 20261207 "${PARITY_COUNT:-200}"
} >"$work/lines"
mapfile -t lines <"$work/lines"

# Every line in a file under each locale, and the first 60 under C and ja_JP
# also into a pipe and onto a full disk; each locale's cases in two halves.
parity_locales=(C ja_JP.UTF-8 de_DE.UTF-8 fi_FI.UTF-8 cs_CZ.UTF-8 ko_KR.UTF-8)
cases=()
for locale in "${parity_locales[@]}"; do
    for i in "${!lines[@]}"; do
        for route in file pipe full; do
            [[ $route == file ]] || { [[ $locale == C || $locale == ja_JP.UTF-8 ]] && ((i < 60)); } || continue
            k=${#cases[@]}
            cases+=("$i $locale $route")
            case $route in
                file) output=$(windows_path "$work/wine.$k.out") ;;
                pipe) output="|$(windows_path "$work/wine.$k.out")" ;;
                full) output='Z:\dev\full' ;;
            esac
            echo "${lines[i]} $output $(windows_path "$work/wine.$k.err")" >>"$work/$locale.$((k % 2)).cases"
            echo "$k" >>"$work/$locale.$((k % 2)).keys"
        done
    done
done

WINE_LOCALE=C "$wine_run" "$exe" /D >/dev/null 2>&1
export WINE_RUN_STARTED=1
# Wine runs the two halves of a locale side by side, and one locale at a
# time, since a Wine process writes its locale's settings into the prefix.
for locale in "${parity_locales[@]}"; do
    for half in 0 1; do
        WINE_LOCALE=$locale "$wine_run" "$win_tests/launch.exe" "$(windows_path "$exe")" \
            "$(windows_path "$work/$locale.$half.cases")" >"$work/$locale.$half.results" 2>>"$work/errors" &
    done
    wait
done
declare -A wine_status=()
for keys in "$work"/*.keys; do
    while read -r k status; do wine_status[$k]=$status; done < <(paste -d' ' "$keys" <(tr -d '\r' <"${keys%.keys}.results"))
done

run_host() {
    local program=(env LC_ALL="$2" TIKVAN_COMMAND_LINE="${lines[$1]}" "$host") out=$work/host.$4.out err=$work/host.$4.err
    case $3 in
        file) "${program[@]}" >"$out" 2>"$err" ;;
        pipe) "${program[@]}" 2>"$err" | cat >"$out"; return "${PIPESTATUS[0]}" ;;
        full) "${program[@]}" >/dev/full 2>"$err" ;;
    esac
}
skipped=0
for k in "${!cases[@]}"; do
    read -r i locale route <<<"${cases[k]}"
    status=${wine_status[$k]:-}
    [[ $status == SKIP ]] && { skipped=$((skipped + 1)); continue; }
    run_host "$i" "$locale" "$route" "$k"
    got=$(masked $? "$work/host.$k.out" "$work/host.$k.err")
    want=$(masked "$status" "$work/wine.$k.out" "$work/wine.$k.err")
    check "$([[ $got == "$want" ]]; echo $?)" "${lines[i]} $locale $route: ${got:0:200} against Wine's ${want:0:200}"
done
[[ -s $work/errors ]] && head -c 600 "$work/errors" >&2
echo "command lines: ${#lines[@]}, under ${#parity_locales[@]} locales; $skipped cases skipped (changed by the code page)"


# `/DTN` under each name of the locale table with "_" for "-", and also with
# a modifier for its script ("sr_RS.UTF-8@latin"), then names that give
# English (United States); one Wine process at a time.
declare -A modifiers=([Arab]=arabic [Cakm]=chakma [Cher]=cherokee [Cyrl]=cyrillic [Deva]=devanagari [Latn]=latin
    [Mong]=mongolian [Tfng]=tifinagh [Vaii]=vai)
names=()
while read -r name; do
    names+=("${name//-/_}.UTF-8")
    if [[ $name =~ ^([a-z]+)-([A-Z][a-z]{3})(-.*)?$ && -n ${modifiers[${BASH_REMATCH[2]}]:-} ]]; then
        rest=${BASH_REMATCH[3]}
        names+=("${BASH_REMATCH[1]}${rest//-/_}.UTF-8@${modifiers[${BASH_REMATCH[2]}]}")
    fi
done < <(sed -nE 's/^TIKVAN_LOCALE_NAME\("([^"]+)".*/\1/p' "$(dirname "$0")/../../platform/unix/locale_table.inc")
names+=(C POSIX zz_ZZ.UTF-8 de_ZZ.UTF-8 sr_RS.UTF-8 az_AZ.UTF-8 de_DE@latin ca@valencia sr_RS@latin.UTF-8 ff_SN@adlam)
dtn=$(printf 'tikvan /DTN' | hex)
for name in "${names[@]}"; do
    wine_out=$(WINE_LOCALE=$name "$wine_run" "$exe" /DTN 2>&1 | LC_ALL=C tr 0-9 9 | hex)
    host_out=$(env LC_ALL="$name" TIKVAN_COMMAND_LINE="$dtn" "$host" 2>&1 | LC_ALL=C tr 0-9 9 | hex)
    check "$([[ $wine_out == "$host_out" ]]; echo $?)" "/DTN under $name: $host_out against $wine_out"
done
echo "names for /DTN: ${#names[@]}"
finish
