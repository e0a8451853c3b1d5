#!/usr/bin/env bash
# The documents against the sources and the Linux build: README.md's package
# list is the install script's; the recipes shown in README.md and the manual
# page are the files of examples/; and each claim row of README.md and of
# the zip's README.txt (a locale such as de-DE with what `tikvan /DT` prints
# there, or with what the failure report's first line shows in its code
# page) and each sample report are what the build writes.
#   tests/docs/check.sh SOURCE_DIR build/host/tikvan
set -uo pipefail
root=$1 program=$2
passed=0 failed=0
check() { if [[ $1 == 0 ]]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: ${*:2}" >&2; fi; }

# The packages: the script's array against the backquoted names of the
# README's paragraph that starts "Packages" (and qemu-user, which the script
# installs only where it is needed).
script=$(sed -n '/^packages=(/,/)/p' "$root/tools/install-deps.sh" | tr -d '()' | sed 's/packages=//' | tr -s ' \n' '\n' |
    grep . | sort)
listed=$(awk '/^Packages/ { on = 1 } on && /^$/ { exit } on' "$root/README.md" | grep -o '`[^`/]*`' | tr -d '`' | sort)
[[ -n $script && $script == "$(grep -vx qemu-user <<<"$listed")" && $listed == *qemu-user* ]]
check $? "README.md's packages are not the install script's: $(diff <(echo "$script") <(echo "$listed") | tr '\n' ' ')"

# The recipes: each block of a document that is a batch file (starts "@echo
# off") is one of the files of examples/, and each file is shown.
examples=() names=()
for file in "$root"/examples/*.cmd; do examples+=("$(tr -d '\r' <"$file")") names+=("${file##*/}"); done
# Each is a batch file of CR LF lines that a row of the end-to-end table runs.
for file in "$root"/examples/*.cmd; do
    ! grep -qv $'\r$' "$file" && grep -q "| cmd: ${file##*/}" "$root/tests/e2e/cases.txt"
    check $? "${file##*/}: a line without CR LF, or no row of tests/e2e/cases.txt runs it"
done
# Document $1, whose blocks open with line $2 and close with line $3; sed
# script $4 undoes its escapes.
recipes_shown() {
    local block i
    local -A shown=()
    while IFS= read -r -d '' block; do
        [[ $block == '@echo off'* ]] || continue
        for i in "${!examples[@]}"; do [[ ${examples[i]} == "$block" ]] && break; done
        [[ ${examples[i]} == "$block" ]] && shown[$i]=1
        check $? "$1 shows a recipe that is not a file of examples/: ${block:0:120}"
    done < <(awk -v start="$2" -v end="$3" '$0 == start { on = 1; text = ""; next }
        on && $0 == end { printf "%s%c", text, 0; on = 0; next } on { text = text (text == "" ? "" : "\n") $0 }' \
        "$root/$1" | sed -e "$4")
    for i in "${!examples[@]}"; do
        [[ -n ${shown[$i]:-} ]]
        check $? "$1 does not show ${names[i]} word for word"
    done
}
recipes_shown README.md '```bat' '```' ''
recipes_shown man/tikvan.1 .EX .EE 's/^\\&//; s/\\-/-/g; s/\\(aq/'"'"'/g; s/\\(ha/^/g; s/\\e/\\/g'

# Runs the build under locale $1 (de-DE) with the other arguments; standard
# error and output as they come.
in_locale() { env -u LC_ALL -u LC_MESSAGES -u LC_CTYPE -u LANG LC_ALL="${1/-/_}" "$program" "${@:2}"; }
masked_report() { LC_ALL=C sed -E 's/ [0-9A-F]{8} / ADDRESS /; s/ tikvan(\.exe)? / MODULE /; s/[ \r]*$//'; }
# The report's lines in UTF-8, under locale $1 with OEM code page $2.
report_of() {
    local from=CP$2
    [[ $2 == UTF-8 ]] && from=UTF-8
    in_locale "$1" /D 2>&1 >/dev/full | iconv -f "$from" -t UTF-8 | masked_report
}
japanese=$(report_of ja-JP 932)

for document in README.md release/README.txt; do
    rows=0 reports=0 samples=0
    while IFS= read -r line; do
        line=${line%$'\r'}
        # Locales with their code pages, and the report's line below them.
        if [[ $line =~ [a-z]{2}-[A-Z]{2}\ \(([0-9]+|UTF-8)\).*:$ ]]; then
            IFS= read -r next
            line+=" ${next%$'\r'}"
        fi
        if [[ $line =~ ^[[:space:]\`]*(EInOutError .*) ]]; then  # a sample report's first line
            IFS= read -r next
            next=${next%$'\r'} sample=${BASH_REMATCH[1]%\`}
            [[ $(masked_report <<<"$sample"$'\n'"${next#"${next%%[! ]*}"}") == "$(head -n 2 <<<"$japanese")" ]]
            check $? "$document: sample report '$sample' '$next' is not what the build writes: $(head -n 2 <<<"$japanese")"
            samples=$((samples + 1))
            continue
        fi
        [[ $line =~ [a-z]{2}-[A-Z]{2} ]] || continue
        if [[ $line =~ (EInOutError [^\`|]*) ]]; then  # the first line of a report in the code pages named
            claim=$(masked_report <<<"${BASH_REMATCH[1]}")
            while [[ $line =~ ([a-z]{2}-[A-Z]{2})\ \(([0-9]+|UTF-8)\)(.*) ]]; do
                line=${BASH_REMATCH[3]} locale=${BASH_REMATCH[1]} page=${BASH_REMATCH[2]}
                got=$(report_of "$locale" "$page" | head -n 1)
                [[ $got == "$claim" ]]
                check $? "$document: under $locale ($page) the report begins '$got', not '$claim'"
                reports=$((reports + 1))
            done
        elif [[ $line =~ ([0-9]{4}[^0-9 ]?[0-9]{2}[^0-9 ]?[0-9]{2}\ [0-9]{2}[^0-9 ]?[0-9]{2}[^0-9 ]?[0-9]{2}) ]]; then
            claim=${BASH_REMATCH[1]//[0-9]/9}
            for locale in $(grep -oE '[a-z]{2}-[A-Z]{2}' <<<"$line"); do
                got=$(in_locale "$locale" /DT)
                [[ ${got//[0-9]/9} == "$claim" ]]
                check $? "$document: under $locale tikvan /DT prints '$got', not the shape of '$claim'"
                rows=$((rows + 1))
            done
        fi
    done <"$root/$document"
    # Each document shows the separators and the report in both languages.
    ((rows >= 10 && reports >= 10 && samples >= 2))
    check $? "$document: $rows separator claims, $reports report claims and $samples sample reports found"
done
echo "$passed passed, $failed failed"
((failed == 0))
