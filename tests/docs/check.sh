#!/usr/bin/env bash
# The documents against the sources and the Linux build.   tests/docs/check.sh SOURCE_DIR build/host/tikvan
set -uo pipefail
root=$1 program=$2 failed=0
fail() { echo "FAIL: $*" >&2; failed=$((failed + 1)); }

# The install script's packages are the backquoted names of the README's paragraph that starts "Packages"
# (and qemu-user, which the script installs only where it is needed).
script=$(eval "$(sed -n '/^packages=(/,/)/p' "$root/tools/install-deps.sh")"; printf '%s\n' "${packages[@]}" | sort)
listed=$(awk '/^Packages/ { on = 1 } on && /^$/ { exit } on' "$root/README.md" | grep -o '`[^`/]*`' | tr -d '`' | sort)
[[ -n $script && $script == "$(grep -vx qemu-user <<<"$listed")" && $listed == *qemu-user* ]] ||
    fail "README.md's packages are not the install script's: $(diff <(echo "$script") <(echo "$listed") | tr '\n' ' ')"

# The recipes: each is a batch file of CR LF lines that a row of tests/release/recipes.txt runs, and the blocks of
# a document that are batch files (start "@echo off") are the files of examples/, each shown once.
for file in "$root"/examples/*.cmd; do
    ! grep -qv $'\r$' "$file" && grep -q " ${file##*/}" "$root/tests/release/recipes.txt" ||
        fail "${file##*/}: a line without CR LF, or no row of tests/release/recipes.txt runs it"
done
digests() { while IFS= read -r -d '' block; do [[ $block == '@echo off'* ]] && sha256sum <<<"$block"; done | sort; }
examples=$(for file in "$root"/examples/*.cmd; do printf '%s\0' "$(tr -d '\r' <"$file")"; done | digests)
# Document $1, whose blocks open with line $2 and close with line $3; sed script $4 undoes its escapes.
recipes_shown() {
    [[ $(awk -v start="$2" -v end="$3" '$0 == start { on = 1; text = ""; next }
        on && $0 == end { printf "%s%c", text, 0; on = 0; next } on { text = text (text == "" ? "" : "\n") $0 }' \
        "$root/$1" | sed -e "$4" | digests) == "$examples" ]] ||
        fail "$1 does not show each file of examples/ once, word for word, and no other recipe"
}
recipes_shown README.md '```bat' '```' ''
recipes_shown man/tikvan.1 .EX .EE 's/^\\&//; s/\\-/-/g; s/\\(aq/'"'"'/g; s/\\(ha/^/g; s/\\e/\\/g'

# The claims of README.md and of the zip's manual and Japanese README: a locale such as de-DE with what
# `tikvan /DT` prints there, or with the report's first line in its code page; and each sample report.
in_locale() { env -u LC_ALL -u LC_MESSAGES -u LC_CTYPE -u LANG LC_ALL="${1/-/_}" "$program" "${@:2}"; }
masked_report() { LC_ALL=C sed -E 's/ [0-9A-F]{8} / ADDRESS /; s/ tikvan(\.exe)? / MODULE /; s/[ \r]*$//'; }
# The report's lines in UTF-8, under locale $1 with OEM code page $2 (a number: CP$2, or UTF-8).
report_of() { in_locale "$1" /D 2>&1 >/dev/full | iconv -f "${2/#[0-9]*/CP$2}" -t UTF-8 | masked_report; }
japanese=$(report_of ja-JP 932 | head -n 2)
for document in README.md release/MANUAL.txt release/README.ja.txt; do
    rows=0 reports=0 samples=0
    while IFS= read -r line; do
        # Locales with their code pages, and the report's line below them.
        [[ $line =~ [a-z]{2}-[A-Z]{2}\ \(([0-9]+|UTF-8)\).*:$ ]] && IFS= read -r next && line+=" $next"
        if [[ $line =~ ^[[:space:]\`]*(EInOutError .*) ]]; then  # a sample report's first line
            sample=${BASH_REMATCH[1]%\`} samples=$((samples + 1)) && IFS= read -r next
            [[ $(masked_report <<<"$sample"$'\n'"${next#"${next%%[! ]*}"}") == "$japanese" ]] ||
                fail "$document: sample report '$sample' '$next' is not what the build writes: $japanese"
        elif [[ $line =~ [a-z]{2}-[A-Z]{2}.*(EInOutError [^\`|]*) ]]; then  # a report's first line in the code pages named
            claim=$(masked_report <<<"${BASH_REMATCH[1]}")
            while [[ $line =~ ([a-z]{2}-[A-Z]{2})\ \(([0-9]+|UTF-8)\)(.*) ]]; do
                line=${BASH_REMATCH[3]} locale=${BASH_REMATCH[1]} page=${BASH_REMATCH[2]} reports=$((reports + 1))
                got=$(report_of "$locale" "$page" | head -n 1)
                [[ $got == "$claim" ]] || fail "$document: under $locale ($page) the report begins '$got', not '$claim'"
            done
        elif [[ $line =~ [a-z]{2}-[A-Z]{2}.*([0-9]{4}[^0-9 ]?[0-9]{2}[^0-9 ]?[0-9]{2}\ [0-9]{2}[^0-9 ]?[0-9]{2}[^0-9 ]?[0-9]{2}) ]]; then
            claim=${BASH_REMATCH[1]//[0-9]/9}
            for locale in $(grep -oE '[a-z]{2}-[A-Z]{2}' <<<"$line"); do
                got=$(in_locale "$locale" /DT) rows=$((rows + 1))
                [[ ${got//[0-9]/9} == "$claim" ]] ||
                    fail "$document: under $locale tikvan /DT prints '$got', not the shape of '$claim'"
            done
        fi
    done < <(tr -d '\r' <"$root/$document")
    # Each document shows every locale of the separators and of the report, and a sample report.
    ((rows >= 8 && reports >= 9 && samples >= 1)) ||
        fail "$document: $rows separator claims, $reports report claims and $samples sample reports found"
done
((failed == 0)) || { echo "$failed failed" >&2; exit 1; }
