#!/usr/bin/env bash
# Fails when a table of the Linux build differs from what its generator
# writes under Wine today, with the command that writes it again.
#   tools/check-tables.sh   (after building the win32 preset)
set -uo pipefail
cd "$(dirname "$0")/.."
status=0
for generator in tools/locale_table/regenerate.sh tools/code_pages/regenerate.sh; do
    if ! "$generator" --check; then
        echo "tables: a table differs from what Wine gives; write it again with $generator" >&2
        status=1
    fi
done
exit $status
