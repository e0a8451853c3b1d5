#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, address and undefined-behaviour
# sanitizers) and runs the fuzz targets of tests/fuzz one after another.
#   tools/fuzz.sh                 bounded run for CI: a fixed number of
#                                 executions per target (15 to 20 s each),
#                                 fixed seed, fresh scratch corpus
#   tools/fuzz.sh --soak [RUNS]   RUNS executions per target (1,000,000 by
#                                 default), random seed; its corpus is kept
#                                 between soaks
# The committed seeds in tests/fuzz/corpus are only read; new inputs go to
# build/fuzz/<ci|soak>/corpus. A crash, a broken expectation or a sanitizer
# report fails the script and leaves the input as build/fuzz/<ci|soak>/
# <target>-crash-*; rerun it with build/fuzz/tests/fuzz/fuzz_<target> FILE.
# The targets run under the Japanese locale, so that the POSIX layer's locale
# upper-casing steps over code page 932 characters as on the target system.
# Prints the executions of each target at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

# Executions per target in the CI run, 15 to 20 s each: each runs well past
# where its coverage stops growing.
declare -A ci_runs=([command_line]=450000 [locale]=400000)
targets=(command_line locale)

mode=ci
case ${1:-} in
    "") ;;
    --soak) mode=soak soak_runs=${2:-1000000} ;;
    *) echo "usage: tools/fuzz.sh [--soak [RUNS]]" >&2; exit 2 ;;
esac

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}" >/dev/null

work=build/fuzz/$mode
if [[ $mode == ci ]]; then
    rm -rf "$work"
    seed=1
else
    seed=0  # libFuzzer picks one and prints it
fi
summary=()
for target in "${targets[@]}"; do
    runs=${ci_runs[$target]}
    [[ $mode == soak ]] && runs=$soak_runs
    mkdir -p "$work/corpus/$target"
    log=$work/$target.log
    echo "== fuzz_$target: $runs executions"
    start=$SECONDS
    if ! env LC_ALL=ja_JP.UTF-8 build/fuzz/tests/fuzz/fuzz_"$target" -runs="$runs" -seed="$seed" -max_len=1024 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$work/$target-" \
        "$work/corpus/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        grep -E -A1 'expectation failed|ERROR: |runtime error|Test unit written' "$log" >&2 || tail -n 30 "$log" >&2
        echo "fuzz: fuzz_$target failed; the whole log is $log" >&2
        exit 1
    fi
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    summary+=("$(printf '%-18s %10s executions in %3d s' "fuzz_$target" "$executed" $((SECONDS - start)))")
done
echo "== fuzz ($mode): no findings"
printf '%s\n' "${summary[@]}"
