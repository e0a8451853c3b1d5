#!/usr/bin/env bash
# Fails when a table of the Linux build differs from what its generator
# writes under Wine today, with the command that writes it again.
#   tools/check-tables.sh   (after building the win32 preset)
set -uo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for table in locale_table code_pages/code_page_table; do
    generator=tools/${table%/*}/regenerate.sh file=platform/unix/${table#*/}.inc
    "$generator" "$work/${table#*/}.inc" >/dev/null
    if ! cmp -s "$file" "$work/${table#*/}.inc"; then
        diff "$file" "$work/${table#*/}.inc" | head -n 20 >&2
        echo "tables: $file differs from what Wine gives; write it again with $generator" >&2
        status=1
    fi
done
exit $status
