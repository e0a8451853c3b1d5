#!/usr/bin/env bash
# recipes.sh BUILD_DIR VERSION: the rows of recipes.txt from the unpacked release zip, each in a folder of its own by
# a cmd.exe of its own (whose status is the recipe's), one Wine process per locale. Then no file the recipes wrote,
# the temporary ones included, holds the usage screen, and no temporary file is left.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(realpath "$1") work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --build "$build" --target package >/dev/null && unzip -q "$build/tikvan-$2-win32.zip" -d "$work" || exit 1
top=$work/tikvan-$2-win32 wine_run=$here/../../tools/wine-run.sh failed=0 && mkdir "$work/temp"
source "$here/../../tools/answers/wine.sh"  # windows_path
mapfile -t rows < <(grep -v '^\(#\|$\)' "$here/recipes.txt" | sed -E 's/[[:space:]]*\|[[:space:]]*/|/g; s/[[:space:]]+$//')
declare -A batches=()
for k in "${!rows[@]}"; do
    IFS='|' read -r name command _ <<<"${rows[k]}"
    locale=C path="$(windows_path "$top");$(windows_path "$top/examples")" typo= && mkdir "$work/$k"
    while [[ $command =~ ^(LC_ALL|PATH|typo)=([^ ]*)\ (.*) ]]; do
        command=${BASH_REMATCH[3]} && case ${BASH_REMATCH[1]} in LC_ALL) locale=${BASH_REMATCH[2]} ;;
            PATH) path=$(windows_path "$top/examples") ;; typo) typo=${BASH_REMATCH[2]} ;; esac
    done
    # A mistyped copy lies in the row's folder, where cmd.exe looks before the path.
    [[ -z $typo ]] || sed "s|${typo%%>*}|${typo#*>}|g" "$top/examples/${command%% *}" >"$work/$k/${command%% *}"
    printf -v line 'cd /d "%s"\r\nset "PATH=%s;%%base%%"\r\ncmd /c "%s" >row.out 2>&1\r\n>status echo %%errorlevel%%\r\n' \
        "$(windows_path "$work/$k")" "$path" "$command"
    batches[$locale]+=$line
done
for locale in "${!batches[@]}"; do
    printf '@echo off\r\nset "TEMP=%s"\r\nset "TMP=%%TEMP%%"\r\nset "base=%%PATH%%"\r\n%s' "$(windows_path "$work/temp")" \
        "${batches[$locale]}" >"$work/batch.cmd"
    WINE_LOCALE=$locale "$wine_run" cmd /c "$(windows_path "$work/batch.cmd")" >/dev/null 2>&1
done
fail() { echo "FAIL: $*" >&2; failed=$((failed + 1)); }
for k in "${!rows[@]}"; do
    IFS='|' read -r name _ expected status <<<"${rows[k]}"
    got=$(cat "$work/$k/row.out" 2>/dev/null; printf x) want=$(printf '%b' "$expected"; printf x)
    [[ $(tr -d '\r ' <"$work/$k/status" 2>/dev/null) == "$status" && $got == ${want//'#'/[0-9]} ]] ||
        fail "$name: status $(cat "$work/$k/status" 2>/dev/null), output $(od -An -c "$work/$k/row.out" | head -c 300)"
done
kept=$(grep -rlF 'TIKVAN [/D] [/T] [/N]' "$work" --exclude-dir="${top##*/}")
[[ -z $kept ]] || fail "the usage screen kept in ${kept//$work\//}"
[[ -z $(ls -A "$work/temp") ]] || fail "temporary files left: $(ls -A "$work/temp")"
echo "${#rows[@]} rows, $failed failed"
((failed == 0))
