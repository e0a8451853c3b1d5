#!/usr/bin/env bash
# install.sh BUILD_DIR VERSION: installs the host build into a temporary prefix: bin/tikvan, which
# runs, and the manual page, which renders without warnings of groff or mandoc, within 80 columns, of VERSION.
set -euo pipefail
prefix=$(mktemp -d) page=$prefix/share/man/man1/tikvan.1
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cmake --install "$1" --prefix "$prefix" >/dev/null
files=$(cd "$prefix" && find . -type f | sort)
[[ $files == $'./bin/tikvan\n./share/man/man1/tikvan.1' ]] || fail "installed: $files"
[[ $("$prefix/bin/tikvan" /D) =~ ^[0-9]{4}/[0-9]{2}/[0-9]{2}$ ]] || fail "bin/tikvan /D"
# ASCII too, as under LANG=C, where a character without an ASCII form would vanish.
said=$(for device in utf8 ascii; do groff -man -T$device -ww -z "$page"; done 2>&1) && [[ -z $said ]] ||
    fail "groff: $said"
mandoc -T lint -W warning "$page" >&2 || fail "mandoc finds faults in the page"
text=$(MANWIDTH=80 man -E ascii -l "$page" 2>&1)
[[ -z $(awk 'length > 80' <<<"$text") ]] || fail "lines wider than 80 columns"
[[ $(tail -1 <<<"$text") == "tikvan $2 "* ]] || fail "page is not of version $2"
[[ $(lexgrog "$page") == *'"tikvan - '* ]] || fail "NAME line not found by lexgrog"
