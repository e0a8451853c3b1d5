#!/usr/bin/env bash
# End-to-end cases of tikvan.exe under Wine: every row of the case table,
# started by the launcher with its exact command line. Wine's CreateProcess
# waits for the child to start, so launchers run side by side.
#   tests/e2e/wine.sh build/win32/tikvan.exe build/win32/tests/launch.exe [SHARDS]
set -uo pipefail
program=$(realpath "$1")
launcher=$(realpath "$2")
shards=${3:-2}
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

load_cases
# A launcher runs the cases of one locale, the locale Wine takes from LC_ALL.
# The default locale's many cases are split between SHARDS launchers. At
# most SHARDS launchers run at once, and only of one locale: a Wine process
# writes its locale's settings into the prefix's registry as it starts.
declare -A job_size=()
job_names=()
for i in "${!tails[@]}"; do
    job=${locales[$i]}
    [[ $job == C ]] && job+=.$((i % shards))
    [[ -n ${job_size[$job]:-} ]] || { job_size[$job]=0; job_names+=("$job"); }
    job_of[i]=$job
    line_of[i]=$((job_size[$job] += 1))
    printf '%s %s\n' "$(command_line "$i" | od -An -v -tx1 | tr -d ' \n')" "$(windows_path "$work/out.$i")" \
        >>"$work/cases.$job"
done

running_locale=
for job in "${job_names[@]}"; do
    locale=${job%.[0-9]*}
    [[ $locale == "$running_locale" ]] || wait
    running_locale=$locale
    (($(jobs -rp | wc -l) < shards)) || wait -n
    WINE_LOCALE=$locale "$wine_run" "$launcher" "$(windows_path "$program")" "$(windows_path "$work/cases.$job")" \
        >"$work/results.$job" 2>"$work/errors.$job" &
done
wait

for i in "${!tails[@]}"; do
    job=${job_of[$i]}
    read -r status before after < <(tr -d '\r' <"$work/results.$job" | sed -n "${line_of[$i]}p")
    if [[ -z ${status:-} ]]; then
        fail "wine [${tails[$i]}] ${locales[$i]}: not run: $(cat "$work/errors.$job")"
    elif [[ $status == "${statuses[$i]}" ]] &&
        check_output "$work/out.$i" "${wants[$i]}" "$before" "$after" "${locales[$i]}"; then
        pass
    else
        fail "wine [${tails[$i]}] ${locales[$i]}: status $status, output $(od -An -c "$work/out.$i" | head -c 120)"
    fi
done
finish
