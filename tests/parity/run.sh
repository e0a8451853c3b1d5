#!/usr/bin/env bash
# Host/Wine parity: the POSIX build and tikvan.exe under Wine are given the
# same exact command lines under the same locales, with standard output in a
# file, in a pipe and on a full disk, and must write the same bytes and end
# with the same status. The clock's digits are masked in standard output,
# the module's name and address in standard error.
# The command lines are every row of the end-to-end table and a generated
# corpus from a fixed seed. Then `/DTN` runs under every POSIX locale name
# that reaches a name of the locale table.
#   tests/parity/run.sh build/host/tests/tikvan_exact build/host/tests/parity_corpus \
#       build/win32/tikvan.exe build/win32/tests/launch.exe
# PARITY_COUNT sets the size of the generated corpus (200).
set -uo pipefail
host=$(realpath "$1")
corpus=$2
exe=$(realpath "$3")
launcher=$(realpath "$4")
source "$(dirname "$0")/../e2e/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seed=20261207
parity_locales=(C ja_JP.UTF-8 de_DE.UTF-8 fi_FI.UTF-8 cs_CZ.UTF-8 ko_KR.UTF-8)
# Locales whose first lines also go to a pipe and to a full disk, and how
# many lines that is.
routed_locales=" C ja_JP.UTF-8 "
routed=60
shards=2

hex() { od -An -v -tx1 | tr -d ' \n'; }

load_cases
{
    for i in "${!tails[@]}"; do command_line "$i" | hex; echo; done | awk '!seen[$0]++'
    "$corpus" "$seed" "${PARITY_COUNT:-200}"
} >"$work/lines"
mapfile -t lines <"$work/lines"

# The cases: line, locale and route, numbered in the order Wine runs them.
case_line=() case_locale=() case_route=()
for locale in "${parity_locales[@]}"; do
    for i in "${!lines[@]}"; do
        routes=(file)
        [[ $routed_locales == *" $locale "* ]] && ((i < routed)) && routes+=(pipe full)
        for route in "${routes[@]}"; do
            case_line+=("$i") case_locale+=("$locale") case_route+=("$route")
        done
    done
done

# Wine: the launchers of one locale run side by side; one locale at a time,
# since a Wine process writes its locale's settings into the prefix as it
# starts.
declare -A job_size=()
job_names=()
for k in "${!case_line[@]}"; do
    job=${case_locale[$k]}.$((k % shards))
    [[ -n ${job_size[$job]:-} ]] || { job_size[$job]=0; job_names+=("$job"); }
    job_of[k]=$job
    row_of[k]=$((job_size[$job] += 1))
    case ${case_route[$k]} in
        file) output=$(windows_path "$work/wine.$k.out") ;;
        pipe) output="|$(windows_path "$work/wine.$k.out")" ;;
        full) output='Z:\dev\full' ;;
    esac
    echo "${lines[${case_line[$k]}]} $output $(windows_path "$work/wine.$k.err")" >>"$work/cases.$job"
done
running_locale=
for job in "${job_names[@]}"; do
    locale=${job%.*}
    [[ $locale == "$running_locale" ]] || wait
    running_locale=$locale
    WINE_LOCALE=$locale "$wine_run" "$launcher" "$(windows_path "$exe")" "$(windows_path "$work/cases.$job")" \
        >"$work/results.$job" 2>"$work/errors.$job" &
done
wait

# The POSIX build, case by case.
run_host() {
    local k=$1
    local program=(env LC_ALL="${case_locale[$k]}" TIKVAN_COMMAND_LINE="${lines[${case_line[$k]}]}" "$host")
    case ${case_route[$k]} in
        file) "${program[@]}" >"$work/host.$k.out" 2>"$work/host.$k.err" ;;
        pipe) "${program[@]}" 2>"$work/host.$k.err" | cat >"$work/host.$k.out"; return "${PIPESTATUS[0]}" ;;
        full) "${program[@]}" >/dev/full 2>"$work/host.$k.err" ;;
    esac
}

masked_output() { [[ -f $1 ]] && LC_ALL=C tr 0-9 9 <"$1" | hex; }
masked_error() { masked_report "$1" | hex; }

skipped=0
for k in "${!case_line[@]}"; do
    job=${job_of[$k]}
    what="${lines[${case_line[$k]}]} ${case_locale[$k]} ${case_route[$k]}"
    wine_status=$(tr -d '\r' <"$work/results.$job" | sed -n "${row_of[$k]}p")
    wine_status=${wine_status%% *}
    if [[ $wine_status == SKIP ]]; then
        skipped=$((skipped + 1))
        continue
    fi
    run_host "$k"
    host_status=$?
    if [[ -z $wine_status ]]; then
        fail "$what: not run under Wine: $(head -c 300 "$work/errors.$job")"
    elif [[ $wine_status != "$host_status" ]]; then
        fail "$what: status $host_status on the host, $wine_status under Wine"
    elif [[ $(masked_output "$work/host.$k.out") != "$(masked_output "$work/wine.$k.out")" ]]; then
        fail "$what: output $(masked_output "$work/host.$k.out" | head -c 80) against $(masked_output "$work/wine.$k.out" | head -c 80)"
    elif [[ $(masked_error "$work/host.$k.err") != "$(masked_error "$work/wine.$k.err")" ]]; then
        fail "$what: report $(masked_error "$work/host.$k.err" | head -c 120) against $(masked_error "$work/wine.$k.err" | head -c 120)"
    else
        pass
    fi
done
echo "command lines: ${#lines[@]}, under ${#parity_locales[@]} locales; $skipped cases skipped (changed by the code page)"

# `/DTN` under every POSIX name that reaches a name of the locale table: the
# name with "_" for "-", and for a script that a modifier gives, also the
# name without the script and with the modifier ("sr_RS.UTF-8@latin"); then
# names that reach no locale and give English (United States). One Wine
# process each, one after the other, as each writes its locale into the
# prefix.
WINE_LOCALE=C "$wine_run" "$exe" /D >/dev/null 2>&1
export WINE_RUN_STARTED=1
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
started=$SECONDS
for name in "${names[@]}"; do
    wine_out=$(WINE_LOCALE=$name "$wine_run" "$exe" /DTN 2>&1 | LC_ALL=C tr 0-9 9 | hex)
    host_out=$(env LC_ALL="$name" TIKVAN_COMMAND_LINE="$dtn" "$host" 2>&1 | LC_ALL=C tr 0-9 9 | hex)
    if [[ $wine_out == "$host_out" ]]; then pass; else fail "/DTN under $name: $host_out against $wine_out"; fi
done
echo "names for /DTN: ${#names[@]}, in $((SECONDS - started)) s"
finish
