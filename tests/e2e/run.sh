#!/usr/bin/env bash
# Runs the end-to-end table, tests/e2e/cases.txt, on one build: "host build/host [WRAPPER...]" the Linux build (under
# WRAPPER: the rows it can take), "wine build/win32" tikvan.exe under Wine, or "lines" the table's plain command
# lines, in hexadecimal. ROWS=ERE runs only the rows whose names it matches, PART=K/N the Kth of every N.
# Command: the exact line after "tikvan " (printf %b; "@": the whole line), taken by the Linux build's test build and
# by tikvan.exe through the launcher; or "argv: WORDS", shell words for the program itself (the first is its name;
# "fault": the fault program).
# Output and error: "-" for none, USAGE, "/ERE/", "report PAGE CLASS MESSAGE" (the report in code page 932, or 437
# with "?" for each Japanese character), or bytes (printf %b) where %Y %m %d %H %M %S stand for a second of the run
# and {module} for the program; in an error's first line {address} for an address counted from the module's start
# (below 10000000, never 0), and ".exe" is left out.
# Environment: the only locale variables ("-": LC_ALL=C); LOCPATH=private is a folder of the locales they name, made
# by localedef (xx_YY without a codeset: its usual one); otherwise none is installed.
# More, as NAME=VALUE ("unsanitized": the row is left out under the sanitizers): sink= for standard output, file
# (the default), pipe, full (/dev/full), none (closed), gone (a pipe without reader), directory, null (/dev/null),
# null-read and file-read (opened for reading), limited (after 900 bytes, at a 1 KB size limit); copy=NAME, the
# program as a copy named NAME (NAME.exe under Wine); module=, the name its report shows; clock=WHEN and zone=TZ,
# faketime's clock (@: a Unix time) in zone TZ; writes=LIST, the writes strace sees, each COUNT or COUNT:RESULT to
# descriptor 1, or "e" for those to 2; memory=KB, an address-space limit, or memory=sweep: limits from where the
# program loads to where a run ends as the row says, each run ending that way or with the out-of-memory report
# (error: its form, or "-" for code page 437) or the run-time error line, a complete run and an exhausted one seen;
# preload=LIB, tests/libLIB.so preloaded; absent=NAME,..., locales of LOCPATH=private left out.
set -uo pipefail
export LC_ALL=C
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd) build=$1
usage_sha256=31296bdf6ed9cb4f3d91f74a5d9f8a0a22198f831db97d6dbc5e1f80f3abb635
rows() {  # the rows, their columns trimmed
    grep -v '^\(#\|$\)' "$here/cases.txt" | sed -E 's/[[:space:]]*\|[[:space:]]*/|/g; s/[[:space:]]+$//' |
        grep -E "^(${ROWS:-.*})\|" | awk -v part="${PART:-1/1}" 'BEGIN { split(part, p, "/") } (NR - 1) % p[2] == p[1] - 1'
}
keys=" sink copy clock zone writes memory module preload absent "
fields() {  # the row's columns into name builds environment command stdout stderr status, and the keys of more
    IFS='|' read -r name builds environment command stdout stderr status more <<<"$1"
    [[ $environment == - ]] && environment=LC_ALL=C
    local pair && read -r $keys <<<''  # each key empty but sink, file unless the row says
    for pair in sink=file $more; do
        [[ $pair == unsanitized ]] && continue
        [[ $pair == *=* && $keys == *" ${pair%%=*} "* ]] || { echo "$name: no key $pair in the column more" >&2; exit 2; }
        printf -v "${pair%%=*}" '%s' "${pair#*=}"
    done
}
hex() { od -An -v -tx1 | tr -d ' \n'; }
line_of() { if [[ $command == @* ]]; then printf '%b' "${command:1}"; else printf 'tikvan'; [[ -z $command ]] || printf ' %b' "$command"; fi; }
if [[ $build == lines ]]; then
    rows | while read -r row; do fields "$row"; [[ $builds != host && $command != argv:* && $sink == file &&
        -z $copy$clock$writes$memory && $environment == LC_ALL=C ]] && { line_of | hex; echo; }; done | sort -u
    exit 0
fi

dir=$(realpath "$2") wrapper=("${@:3}") ext=
# Rows left out: under a wrapper those it would upset, and under the sanitizers those marked unsanitized;
# E2E_LEAVE_OUT adds more, each a key of the column more (writes, memory, clock, sink=limited ...) or "fault".
leave_out=" ${E2E_LEAVE_OUT:-} "
((${#wrapper[@]})) && leave_out+="writes memory clock sink=limited fault "
[[ ${TIKVAN_SANITIZED:-} == 1 ]] && leave_out+="unsanitized "
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
wine_run=$(realpath "$here/../../tools/wine-run.sh")
source "$here/../../tools/answers/wine.sh"  # windows_path
if [[ $build == wine ]]; then  # the prefix and its server, started once rather than for every Wine run
    "$wine_run" "$dir/tikvan.exe" /D >/dev/null 2>&1
    export WINE_RUN_STARTED=1 && wrapper=("$wine_run") ext=.exe
fi
made=$here/../../build/locales
mkfifo "$work/fifo" && mkdir -p "$work/directory" "$work/none" "$made" && : >"$work/readable"
exec {reader}<>"$work/fifo" {gone}>"$work/fifo" {reader}<&-
# Standard output of each sink, as a redirection.
declare -A sinks=([file]='>"$work/$k.out"' [full]='>/dev/full' [gone]='>&$gone' [none]='>&-' [null]='>/dev/null'
    [pipe]='| cat >"$work/$k.out"' [directory]='1<"$work/directory"' [null-read]='1</dev/null'
    [file-read]='1<"$work/readable"' [limited]='>>"$work/$k.out"')

# A report's first line after its class, in code page 437 ("?" for each Japanese character) and in 932:
# CLASS がモジュール {module} の {address} で発生しました。
declare -A reports=([437]=' ?????? {module} ? {address} ????????')
reports[932]=' \x82\xaa\x83\x82\x83\x57\x83\x85\x81\x5b\x83\x8b {module} \x82\xcc {address} '
reports[932]+='\x82\xc5\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42'
holds() {  # whether the row's $1 (out or err) holds what $2 says
    local text want=$2 second shown=${module:-${program##*/}} mask=
    [[ $1 == err ]] || mask='#'  # leaves the address and the module as they are
    text=$(sed -E "${mask}1{/ 00000000 /!s/ 0[0-9A-F]{7} / {address} /}; ${mask}1s/\.exe / /" "$work/$k.$1"; printf x)
    case $want in
        /*/) text=$(cat "$work/$k.$1"; printf x) want=$(printf '%b' "${want:1:-1}"; printf x)
            [[ ${text%x} =~ ^${want%x}$ ]]; return ;;
        -) [[ $text == x ]]; return ;;
        USAGE) [[ $(sha256sum <"$work/$k.$1") == "$usage_sha256 "* ]]; return ;;
        report\ *) read -r _ page class message <<<"$want" && want="$class${reports[$page]}\r\n$message.\r\n\r\n" ;;
    esac
    want=${want//\{module\}/${shown%.exe}}
    [[ $want == *%* ]] || { [[ $text == "$(printf '%b' "$want"; printf x)" ]]; return; }
    for ((second = before; second <= after; second++)); do
        [[ $text == "$(printf '%b' "$(printf "%($want)T" "$second")"; printf x)" ]] && return
    done
    return 1
}
ends() { [[ $got == "$1" ]] && holds out "$2" && holds err "$3"; }  # whether the run ended as $1 $2 $3 say
verdict() {  # of the row, from status $1
    (($1)) || { passed=$((passed + 1)) && return; }
    failed=$((failed + 1))
    echo "FAIL: $build: $name: status $got, output $(od -An -c "$work/$k.out" | head -c 160)," \
        "error $(od -An -c "$work/$k.err" | head -c 240)" >&2
}
# Only the row's locale variables (printf %b); under Wine LC_ALL goes as WINE_LOCALE, past wine-run.sh's own shell.
environment_of() {  # into the array prefix
    read -ra prefix <<<"LOCPATH=$work/none $(printf '%b' "$environment")"
    [[ $build == wine ]] && prefix=("${prefix[@]/#LC_ALL=/WINE_LOCALE=}")
    prefix=(env -u LC_ALL -u LC_MESSAGES -u LC_CTYPE -u LANG -u LANGUAGE -u LOCPATH "${prefix[@]}")
}
# LOCPATH=private: a folder per environment, of links to the locales localedef made once for all runs in build/locales.
declare -A folders=()
make_locales() {
    [[ $environment == *LOCPATH=private* ]] || return 0
    local locale charset folder=${folders[$environment|$absent]:-$work/locales/${#folders[@]}}
    declare -A charsets=([ja_JP]=EUC-JP [ko_KR]=EUC-KR)  # of a name without one; UTF-8 for the others
    folders[$environment|$absent]=$folder && mkdir -p "$folder"
    for locale in $(grep -oE '=[a-z]{2,3}_[A-Z]{2}(\.[A-Z0-9-]+)?' <<<"$environment"); do
        locale=${locale#=} charset=${charsets[$locale]:-UTF-8}
        [[ $locale == *.* ]] && charset=${locale#*.}
        [[ ,$absent, == *,$locale,* ]] && continue
        if [[ ! -d $made/$locale ]]; then
            localedef -i "${locale%.*}" -f "$charset" "$made/$locale.$$" >/dev/null 2>&1 ||
                { echo "localedef $locale failed" >&2; exit 1; }
            mv -T "$made/$locale.$$" "$made/$locale" 2>/dev/null || rm -rf "$made/$locale.$$"  # another run's
        fi
        ln -sfn "$made/$locale" "$folder/$locale"
    done
    environment=${environment//LOCPATH=private/LOCPATH=$folder}
}
run() {  # the row's program with words ${words[@]:1}: its status into got, between seconds before and after
    local -a prefix && environment_of
    [[ -n $zone ]] && prefix+=(TZ="$zone" ASAN_OPTIONS=verify_asan_link_order=0)
    [[ $build == host && $command != argv:* ]] && prefix+=(TIKVAN_COMMAND_LINE="$(line_of | hex)")
    [[ $build == host ]] && prefix+=(timeout --foreground 60)
    [[ $clock == @* ]] && clock=$(printf '%+ds' $((${clock#@} - EPOCHSECONDS)))
    [[ -n $clock ]] && prefix+=(faketime -f "${clock//_/ }")
    # LD_PRELOAD splits at blanks: the library through a link in the work folder.
    [[ -n $preload ]] && ln -sf "$dir/tests/lib$preload.so" "$work/lib$preload.so" && prefix+=(env LD_PRELOAD="$work/lib$preload.so")
    [[ -n $memory ]] && prefix+=(prlimit --as=$((memory * 1024)))
    [[ -n $writes ]] && prefix+=(strace -qq -e trace=write -o "$work/trace")
    if [[ $sink == limited ]]; then head -c 900 /dev/zero; fi >"$work/$k.out"
    # The shell's word on a program that a signal ends goes nowhere; with pipefail a pipe's status is the program's.
    before=$EPOCHSECONDS && { (if [[ $sink == limited ]]; then ulimit -f 1; fi
        eval '"${prefix[@]}" "${wrapper[@]}" "$program" "${words[@]:1}" 2>"$work/$k.err"' "${sinks[$sink]}"); } 2>/dev/null
    got=$? after=$EPOCHSECONDS
    [[ $sink == limited ]] && tail -c +901 "$work/$k.out" >"$work/tail" && mv "$work/tail" "$work/$k.out"
}
written() {  # whether strace saw the writes that writes= lists
    [[ -z $writes ]] && return
    local seen && seen=$(sed -nE 's/^write\(([12]), .*, ([0-9]+)\) += (-?[0-9]+).*$/\1 \2 \3/p' "$work/trace" | awk '
        $1 == 2 { if (last != "e") list = list sep "e"; last = "e"; sep = ","; next }
        { last = $2 (($2 == $3) ? "" : ":" $3); list = list sep last; sep = "," }
        END { print list }')
    [[ $seen == "$writes" ]] || { echo "$name: writes $seen, not $writes" >&2; false; }
}
# Exhausted memory: from the lowest address-space limit at which the program loads, fine steps give the
# out-of-memory report (after any output) or the run-time error line, and runs that end as the row says.
out_of_memory="EOutOfMemory${reports[437]/\{address\}/00000000}\r\n?????????.\r\n\r\n"
sweep() {
    local memory complete=0 exhausted=0 fine= step=64 end=4096
    for ((memory = 2048; memory <= end || (complete == 0 && memory <= 8192); memory += step)); do
        run
        ((got >= 125 && got <= 127)) && continue  # the program did not load
        if [[ -z $fine ]]; then fine=1 step=12 end=$((memory + 96)) memory=$((memory - 72))
        elif ends 1 '/.*/' "${stderr/#-/$out_of_memory}" ||
            ends 203 '/Runtime error 203 at [0-9A-F]{8}\r\n/' -; then exhausted=$((exhausted + 1))
        elif ends "$status" "$stdout" -; then complete=$((complete + 1))
        else echo "memory limit $memory KB" >&2 && return 1; fi
    done
    ((complete && exhausted)) || { echo "memory sweep: $complete complete, $exhausted exhausted" >&2; false; }
}

# Rows that the launcher can take run under Wine together, one launcher run for the rows of each environment.
declare -A cases=() members=()
deferred=() passed=0 failed=0 k=0
while read -r row; do
    fields "$row"; k=$((k + 1))
    [[ $builds == both || $builds == "$build" ]] || continue
    if [[ $command == argv:* ]]; then eval "words=($(printf '%b' "${command#argv:}"))"
    else read -ra words <<<"$(line_of)" && words[0]=tikvan; fi
    for tag in $more "${words[0]}"; do [[ $leave_out == *" $tag "* || $leave_out == *" ${tag%%=*} "* ]] && continue 2; done
    make_locales
    program=$dir/tikvan$ext
    [[ $build == host && $command != argv:* ]] && program=$dir/tests/tikvan_exact
    [[ ${words[0]} == fault ]] && program=$dir/tests/fault$ext
    [[ -z $copy ]] || { copy=$work/$(printf '%b' "$copy")$ext && cp "$program" "$copy" && program=$copy; }
    if [[ $build == wine && $command != argv:* && $sink =~ ^(file|pipe|full|none)$ && -z $copy ]]; then
        output=$(windows_path "$work/$k.out")
        case $sink in pipe) output="|$output" ;; full) output='Z:\dev\full' ;; none) output=invalid ;; esac
        cases[$environment]+="$(line_of | hex) $output $(windows_path "$work/$k.err")"$'\n'
        members[$environment]+="$k " deferred[k]=$row && continue
    fi
    if [[ $memory == sweep ]]; then sweep; else run; ends "$status" "$stdout" "$stderr" && written; fi
    verdict $?
done < <(rows)
for environment in "${!cases[@]}"; do
    printf %s "${cases[$environment]}" >"$work/cases" && environment_of && before=$EPOCHSECONDS
    mapfile -t results < <("${prefix[@]}" "$wine_run" "$dir/tools/launcher/launch.exe" \
        "$(windows_path "$dir/tikvan.exe")" "$(windows_path "$work/cases")" | tr -d '\r') && after=$EPOCHSECONDS
    for k in ${members[$environment]}; do
        fields "${deferred[k]}"
        touch "$work/$k.out" "$work/$k.err" && program=$dir/tikvan.exe got=${results[0]:-none} results=("${results[@]:1}")
        ends "$status" "$stdout" "$stderr"; verdict $?
    done
done
echo "$build: $passed passed, $failed failed"
[[ $failed == 0 && $passed -gt 0 ]]
