#!/usr/bin/env bash
# End-to-end cases of tikvan.exe under Wine: every row of the case table,
# started by the launcher with its exact command line. Wine's CreateProcess
# waits for the child to start, so the cases are split between SHARDS
# launchers that run side by side.
#   tests/e2e/wine.sh build/win32/tikvan.exe build/win32/tests/launch.exe [SHARDS]
set -uo pipefail
program=$(realpath "$1")
launcher=$(realpath "$2")
shards=${3:-2}
source "$(dirname "$0")/lib.sh"
wine_run=$(realpath "$e2e_dir/../../tools/wine-run.sh")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

load_cases
for i in "${!tails[@]}"; do
    printf '%s %s\n' "$(command_line "$i" | od -An -v -tx1 | tr -d ' \n')" "$(windows_path "$work/out.$i")" \
        >>"$work/cases.$((i % shards))"
done

for ((shard = 0; shard < shards; shard++)); do
    "$wine_run" "$launcher" "$(windows_path "$program")" "$(windows_path "$work/cases.$shard")" \
        >"$work/results.$shard" 2>"$work/errors.$shard" &
done
wait

for i in "${!tails[@]}"; do
    shard=$((i % shards))
    read -r status before after < <(tr -d '\r' <"$work/results.$shard" | sed -n "$((i / shards + 1))p")
    if [[ -z ${status:-} ]]; then
        fail "wine [${tails[$i]}]: not run: $(cat "$work/errors.$shard")"
    elif [[ $status == "${statuses[$i]}" ]] && check_output "$work/out.$i" "${wants[$i]}" "$before" "$after"; then
        pass
    else
        fail "wine [${tails[$i]}]: status $status, output $(od -An -c "$work/out.$i" | head -c 120)"
    fi
done
finish
