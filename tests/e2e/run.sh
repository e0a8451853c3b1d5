#!/usr/bin/env bash
# Runs the end-to-end table, tests/e2e/cases.txt, on one build:
#   tests/e2e/run.sh host build/host [WRAPPER...]   the Linux build (under WRAPPER: the rows it can take)
#   tests/e2e/run.sh wine build/win32               tikvan.exe under Wine
#   tests/e2e/run.sh lines                          the table's plain command lines, in hexadecimal
# ROWS=ERE runs only the rows whose names it matches, PART=K/N the Kth of every N.
# Command: the exact line after "tikvan " (printf %b; "@": the whole line), taken by the Linux build's test
# build and by tikvan.exe through the launcher; or "argv: WORDS", shell words for the program itself (the first
# is its name; "fault": the fault program); or "cmd: RECIPE ARGS", a batch file of examples/ in Wine's cmd.exe.
# Output and error: "-" for none, USAGE, "/ERE/", "report PAGE CLASS MESSAGE" (the report in code page 932, or
# 437 with "?" for each Japanese character), or bytes (printf %b) where %Y %m %d %H %M %S stand for a second of
# the run and {module} for the program; in an error's first line {address} for an address counted from the
# module's start (below 10000000, never 0), and ".exe" is left out.
# Environment: the only locale variables ("-": LC_ALL=C); LOCPATH=private is a folder of the locales they
# name, made by localedef (xx_YY without a codeset: its usual one); otherwise none is installed.
# More, as NAME=VALUE:
#   sink=   standard output: file (the default), pipe, full (/dev/full), none (closed), gone (a pipe without
#           reader), directory, null (/dev/null), null-read and file-read (opened for reading), limited
#           (after 900 bytes, at a 1 KB size limit)
#   copy=NAME   the program as a copy named NAME (NAME.exe under Wine); module= the name its report shows
#   clock=WHEN zone=TZ   faketime's clock (@: a Unix time) in zone TZ
#   writes=LIST   the writes strace sees: COUNT or COUNT:RESULT to descriptor 1, "e" for those to 2
#   memory=KB     an address-space limit; sweep: limits from where the program loads, each run ending
#                 as the row says, with the out-of-memory report or the run-time error line, both seen
#   preload=LIB   tests/libLIB.so preloaded
#   absent=NAME,...   locales of LOCPATH=private left out
#   typo=WAS>IS   the recipe with WAS replaced by IS
set -uo pipefail
export LC_ALL=C
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$1
usage_sha256=31296bdf6ed9cb4f3d91f74a5d9f8a0a22198f831db97d6dbc5e1f80f3abb635
rows() {  # the rows, their columns trimmed
    grep -v '^\(#\|$\)' "$here/cases.txt" | sed -E 's/[[:space:]]*\|[[:space:]]*/|/g; s/[[:space:]]+$//' |
        grep -E "^(${ROWS:-.*})\|" | awk -v part="${PART:-1/1}" 'BEGIN { split(part, p, "/") } (NR - 1) % p[2] == p[1] - 1'
}
fields() {  # the row's columns into name builds environment command stdout stderr status, and the keys of more
    IFS='|' read -r name builds environment command stdout stderr status more <<<"$1"
    [[ $environment == - ]] && environment=LC_ALL=C
    sink=file copy= clock= zone= writes= memory= module= preload= absent= typo=
    local pair
    for pair in $more; do printf -v "${pair%%=*}" '%s' "${pair#*=}"; done
}
hex() { od -An -v -tx1 | tr -d ' \n'; }
plain() { [[ $command != argv:* && $command != cmd:* && $sink == file && -z $copy$clock$writes$memory && $environment == LC_ALL=C ]]; }
line_of() { if [[ $command == @* ]]; then printf '%b' "${command:1}"; else printf 'tikvan'; [[ -z $command ]] || printf ' %b' "$command"; fi; }
if [[ $build == lines ]]; then
    rows | while read -r row; do fields "$row"; [[ $builds != host ]] && plain && { line_of | hex; echo; }; done | sort -u
    exit 0
fi

dir=$(realpath "$2")
wrapper=("${@:3}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
wine_run=$(realpath "$here/../../tools/wine-run.sh")
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# The prefix and its server are started once, not for every Wine run.
[[ $build == wine ]] && { "$wine_run" "$dir/tikvan.exe" /D >/dev/null 2>&1; export WINE_RUN_STARTED=1; }
made=$here/../../build/locales
mkfifo "$work/fifo" && mkdir -p "$work/directory" "$work/none" "$work/locales" "$made" && : >"$work/readable"
exec {reader}<>"$work/fifo" {gone}>"$work/fifo" {reader}<&-
# Standard output of sink $1, as a redirection.
declare -A sinks=([file]='>"$out"' [full]='>/dev/full' [gone]='>&$gone' [none]='>&-' [pipe]='| cat >"$out"'
    [directory]='1<"$work/directory"' [null-read]='1</dev/null' [file-read]='1<"$work/readable"' [null]='>/dev/null'
    [limited]='>>"$out"')

# A report's first line after its class, in code page 437 ("?" for each Japanese character) and in 932:
# CLASS がモジュール {module} の {address} で発生しました。
declare -A reports=([437]=' ?????? {module} ? {address} ????????')
reports[932]=' \x82\xaa\x83\x82\x83\x57\x83\x85\x81\x5b\x83\x8b {module} \x82\xcc {address} '
reports[932]+='\x82\xc5\x94\xad\x90\xb6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42'
# Whether file $1 holds what $2 says, for a run between Unix seconds $3 and $4 of program $5;
# $6 "#" leaves the address and the module as they are.
holds() {
    local text second k want=$2 shown=${module:-${5:-}} && shown=${shown##*/}
    if [[ $want == /*/ ]]; then
        text=$(cat "$1"; printf x) want=$(printf '%b' "${want:1:-1}"; printf x)
        [[ ${text%x} =~ ^${want%x}$ ]]
        return
    fi
    text=$(sed -E "${6:-}1{/ 00000000 /!s/ 0[0-9A-F]{7} / {address} /}; ${6:-}1s/\.exe / /" "$1"; printf x)
    case $want in
        -) [[ $text == x ]]; return ;;
        USAGE) [[ $(sha256sum <"$1") == "$usage_sha256 "* ]]; return ;;
        report\ *) read -r _ page class message <<<"$want" && want="$class${reports[$page]}\r\n$message.\r\n\r\n" ;;
    esac
    want=${want//\{module\}/${shown%.exe}}
    [[ $want == *%* ]] || { [[ $text == "$(printf '%b' "$want"; printf x)" ]]; return; }
    # Line by line, each at a second of the run (a line may come from a call of its own).
    local -a wanted got
    mapfile got < <(printf %s "${text%x}")
    mapfile wanted < <(printf %s "${want//'\n'/'\n'$'\n'}")
    ((${#got[@]} == ${#wanted[@]})) || return 1
    for k in "${!wanted[@]}"; do
        for ((second = $3; second <= $4; second++)); do
            [[ ${got[k]}x == "$(printf '%b' "$(printf "%(${wanted[k]%$'\n'})T" "$second")"; printf x)" ]] && continue 2
        done
        return 1
    done
}
check() {  # the row's outcome: status $1, output and error in $work/$2.out and .err, program $3
    if [[ $1 == "$status" ]] && holds "$work/$2.out" "$stdout" "$before" "$after" "$3" "#" &&
        holds "$work/$2.err" "$stderr" "$before" "$after" "$3"; then
        passed=$((passed + 1))
        return
    fi
    failed=$((failed + 1))
    echo "FAIL: $build: $name: status $1, output $(od -An -c "$work/$2.out" | head -c 160)," \
        "error $(od -An -c "$work/$2.err" | head -c 240)" >&2
}
# The locale variables of the row (printf %b), and nothing else of the
# caller's; no locale of the machine's own counts.
environment_of() {  # into the array prefix
    local -a variables
    read -ra variables <<<"LOCPATH=$work/none $(printf '%b' "${environment//LOCPATH=private/LOCPATH=$(private_locales)}")"
    # wine-run.sh passes WINE_LOCALE on as LC_ALL, which its own shell may not know.
    [[ $build == wine ]] && variables=("${variables[@]/#LC_ALL=/WINE_LOCALE=}")
    prefix=(env -u LC_ALL -u LC_MESSAGES -u LC_CTYPE -u LANG -u LANGUAGE -u LOCPATH "${variables[@]}")
}
# Makes the locales a row names, where it asks for a private folder of them:
# links to those that localedef has made once for every run, in build/locales,
# in a folder of the row's environment alone.
private_locales() { printf '%s/locales/%s' "$work" "$(cksum <<<"$environment|$absent" | cut -d' ' -f1)"; }
make_locales() {
    [[ $environment == *LOCPATH=private* ]] || return 0
    local locale charset folder && folder=$(private_locales) && mkdir -p "$folder"
    declare -A charsets=([ja_JP]=EUC-JP [ko_KR]=EUC-KR)  # of a name without one; UTF-8 for the others
    for locale in $(grep -oE '=[a-z]{2,3}_[A-Z]{2}(\.UTF-8)?' <<<"$environment"); do
        locale=${locale#=} charset=${charsets[$locale]:-UTF-8}
        [[ ,$absent, == *,$locale,* ]] && continue
        if [[ ! -d $made/$locale ]]; then
            localedef -i "${locale%.UTF-8}" -f "$charset" "$made/$locale.$$" >/dev/null 2>&1 ||
                { echo "localedef $locale failed" >&2; exit 1; }
            mv -T "$made/$locale.$$" "$made/$locale" 2>/dev/null || rm -rf "$made/$locale.$$"  # another run's
        fi
        ln -sfn "$made/$locale" "$folder/$locale"
    done
}
# Runs the row's program $1 with words ${words[@]:1} as argv[0] ${words[0]}, into $work/$2.out and .err.
run_program() {
    local program=$1 err=$work/$2.err out=$work/$2.out
    local -a prefix run
    environment_of
    run=("${prefix[@]}")
    [[ $build == host ]] && run+=(timeout --foreground 60)
    [[ $build == host && $command != argv:* ]] && run+=(env TIKVAN_COMMAND_LINE="$(line_of | hex)")
    [[ -n $zone ]] && run+=(env TZ="$zone" ASAN_OPTIONS=verify_asan_link_order=0)
    [[ $clock == @* ]] && clock=$(printf '%+ds' $((${clock#@} - $(date +%s))))
    [[ -n $clock ]] && run+=(faketime -f "${clock//_/ }")
    # LD_PRELOAD splits at blanks: the library through a link in the work folder.
    [[ -n $preload ]] && ln -sf "$dir/tests/lib$preload.so" "$work/lib$preload.so" && run+=(env LD_PRELOAD="$work/lib$preload.so")
    [[ $memory =~ ^[0-9]+$ ]] && run+=(prlimit --as=$((memory * 1024)))
    [[ -n $writes ]] && run+=(strace -qq -e trace=write -o "$work/trace")
    if [[ $build == wine ]]; then
        run+=("$wine_run" "$program" "${words[@]:1}")
    else
        run+=("${wrapper[@]}" "$program" "${words[@]:1}")
    fi
    : >"$out"
    [[ $sink == limited ]] && head -c 900 /dev/zero >"$out"
    # The shell's own word on a program that a signal ends goes nowhere; with
    # pipefail a pipe's status is the program's.
    { (if [[ $sink == limited ]]; then ulimit -f 1; fi; eval '"${run[@]}" 2>"$err"' "${sinks[$sink]}"); } 2>/dev/null
    set -- $?
    [[ $sink == limited ]] && tail -c +901 "$out" >"$out.tail" && mv "$out.tail" "$out"
    return "$1"
}
# The writes that strace saw, as the column writes= gives them.
traced_writes() {
    sed -nE 's/^write\(([12]), .*, ([0-9]+)\) += (-?[0-9]+).*$/\1 \2 \3/p' "$work/trace" | awk '
        $1 == 2 { if (last != "e") list = list sep "e"; last = "e"; sep = ","; next }
        { last = $2 (($2 == $3) ? "" : ":" $3); list = list sep last; sep = "," }
        END { print list }'
}
program_of() {  # the program the row runs on this build
    local program=tikvan ext= name
    [[ $build == wine ]] && ext=.exe
    [[ $build == host && $command != argv:* ]] && program=tests/tikvan_exact
    [[ ${words[0]} == fault ]] && program=tests/fault
    program=$dir/$program$ext
    if [[ -n $copy ]]; then
        name=$(printf '%b' "$copy")$ext
        cp "$program" "$work/$name" && program=$work/$name
    fi
    echo "$program"
}

# Exhausted memory: from the lowest address-space limit at which the program
# loads, fine steps give the out-of-memory report or the run-time error line,
# then runs that end as the row says.
sweep() {
    local program=$1 limit complete=0 exhausted=0 fine= step=64 end=4096 memory_status
    for ((limit = 2048; limit <= end; limit += step)); do
        (ulimit -v $limit && run_program "$program" m)
        memory_status=$?
        if ((memory_status >= 125 && memory_status <= 127)); then  # the program did not load
            continue
        elif [[ -z $fine ]]; then
            fine=1 step=12 end=$((limit + 96)) limit=$((limit - 72))
        elif [[ $memory_status == 1 ]] && holds "$work/m.err" "report 437 EOutOfMemory ?????????" 0 0 "$program"; then
            exhausted=$((exhausted + 1))
        elif [[ $memory_status == 203 && ! -s $work/m.err ]] && holds "$work/m.out" '/Runtime error 203 at [0-9A-F]{8}\r\n/'; then
            exhausted=$((exhausted + 1))
        elif [[ $memory_status == "$status" ]] && holds "$work/m.out" "$stdout" "$before" "$(date +%s)" "" "#" &&
            [[ ! -s $work/m.err ]]; then
            complete=$((complete + 1))
        else
            cp "$work/m.out" "$work/row.out" && cp "$work/m.err" "$work/row.err"
            echo "memory limit $limit KB" >&2
            return "$memory_status"
        fi
    done
    ((complete > 0 && exhausted > 0)) || { echo "memory sweep: $complete complete, $exhausted exhausted" >&2; return 99; }
    : >"$work/row.out" && : >"$work/row.err"
    return "$status"
}

# Rows that run under Wine together, one Wine process for those of each kind and environment: the plain
# lines through the launcher, the recipes in one cmd.exe, each in a folder of its own and by a cmd.exe of
# its own (whose status, unlike that of "call", is the recipe's). A mistyped copy lies in the row's
# folder, where cmd.exe looks before the path.
deferred=()
declare -A groups=()
run_groups() {
    local key k results position output recipe
    for key in "${!groups[@]}"; do
        printf '@echo off\r\n' >"$work/batch.cmd"
        for k in ${groups[$key]}; do
            fields "${deferred[k]}"
            mkdir -p "$work/$k"
            if [[ $key == cmd* ]]; then
                recipe=${command#cmd: } && recipe=${recipe%% *}
                [[ -z $typo ]] || sed "s|${typo%%>*}|${typo#*>}|g" "$here/../../examples/$recipe" >"$work/$k/$recipe"
                printf 'cd /d "%s"\r\ncmd /c %s >row.out 2>row.err\r\n>status echo %%errorlevel%%\r\n' \
                    "$(windows_path "$work/$k")" "${command#cmd:}" >>"$work/batch.cmd"
                continue
            fi
            output=$(windows_path "$work/$k/row.out")
            case $sink in pipe) output="|$output" ;; full) output='Z:\dev\full' ;; none) output=invalid ;; esac
            echo "$(line_of | hex) $output $(windows_path "$work/$k/row.err")"
        done >"$work/cases"
        before=$(date +%s) environment=${key#*|}
        environment_of
        if [[ $key == cmd* ]]; then
            WINEPATH="$(windows_path "$dir");$(windows_path "$here/../../examples")" "${prefix[@]}" "$wine_run" \
                cmd /c "$(windows_path "$work/batch.cmd")" >/dev/null 2>&1
        else
            "${prefix[@]}" "$wine_run" "$dir/tools/launcher/launch.exe" "$(windows_path "$dir/tikvan.exe")" \
                "$(windows_path "$work/cases")" >"$work/results"
        fi
        after=$(date +%s) position=0
        mapfile -t results < <(tr -d '\r' 2>/dev/null <"$work/results")
        for k in ${groups[$key]}; do
            fields "${deferred[k]}"
            touch "$work/$k/row.out" "$work/$k/row.err"
            [[ $key == cmd* ]] && results[position]=$(tr -d '\r ' <"$work/$k/status" 2>/dev/null)
            check "${results[position++]:-none}" "$k/row" "$dir/tikvan.exe"
        done
    done
}

# Rows left out: under a wrapper those it would upset, and under the
# sanitizers those marked unsanitized; E2E_LEAVE_OUT adds more, each a key of
# the column more (writes, memory, clock, sink=limited ...) or "fault".
leave_out=${E2E_LEAVE_OUT:-}
((${#wrapper[@]})) && leave_out+=" writes memory clock sink=limited fault"
[[ ${TIKVAN_SANITIZED:-} == 1 ]] && leave_out+=" unsanitized"
left_out() {
    local tags=" $more " tag
    [[ $command == argv:\ fault* ]] && tags+="fault "
    for tag in $more; do tags+="${tag%%=*} "; done
    for tag in $leave_out; do [[ $tags == *" $tag "* ]] && return 0; done
    return 1
}
while read -r row; do
    fields "$row"
    [[ $builds == both || $builds == "$build" ]] || continue
    left_out && continue
    if [[ $command == argv:* ]]; then eval "words=($(printf '%b' "${command#argv:}"))"; else read -ra words <<<"$(line_of)"; fi
    make_locales
    kind=
    [[ $command == cmd:* ]] && kind=cmd
    [[ $build == wine && $command != @(argv|cmd):* && $sink =~ ^(file|pipe|full|none)$ && -z $copy ]] && kind=launch
    if [[ -n $kind ]]; then
        groups[$kind|$environment]+="${#deferred[@]} " deferred+=("$row")
        continue
    fi
    program=$(program_of)
    before=$(date +%s)
    if [[ $memory == sweep ]]; then sweep "$program"; else run_program "$program" row; fi
    got=$? after=$(date +%s)
    if [[ -n $writes && $(traced_writes) != "$writes" ]]; then
        echo "$name: writes $(traced_writes), not $writes" >&2
        got=writes
    fi
    [[ $memory == sweep ]] && stdout=- stderr=-
    check "$got" row "$program"
done < <(rows)
run_groups
echo "$build: $passed passed, $failed failed"
[[ $failed == 0 && $passed -gt 0 ]]
