#!/usr/bin/env bash
# Writes platform/unix/locale_table.inc again from what Wine reports:
#   tools/locale_table/regenerate.sh [OUTPUT]   (after building the win32 preset)
# With an OUTPUT path it writes the table there instead.
exec "$(dirname "$0")/../check-tables.sh" --write locale_table "$@"
