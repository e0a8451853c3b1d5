#!/usr/bin/env bash
# Installs the host build into a temporary prefix and checks what lands
# there: bin/tikvan, which runs, and the manual page, which renders without
# warnings, within 80 columns, with the project's version.
#   install.sh BUILD_DIR VERSION
set -euo pipefail
build_dir=$1 version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
[[ $(cd "$prefix" && find . -type f | sort) == $'./bin/tikvan\n./share/man/man1/tikvan.1' ]] ||
    fail "installed: $(cd "$prefix" && find . -type f)"
[[ $("$prefix/bin/tikvan" /D) =~ ^[0-9]{4}/[0-9]{2}/[0-9]{2}$ ]] || fail "bin/tikvan /D"

page=$prefix/share/man/man1/tikvan.1
warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
[[ -z $warnings ]] || fail "groff: $warnings"
text=$(MANWIDTH=80 man -E ascii -l "$page" 2>&1)
long=$(awk 'length > 80' <<<"$text")
[[ -z $long ]] || fail "lines wider than 80 columns: $long"
[[ $(tail -1 <<<"$text") == "tikvan $version "* ]] || fail "page is not of version $version"
[[ $(lexgrog "$page") == *'"tikvan - '* ]] || fail "NAME line not found by lexgrog"
