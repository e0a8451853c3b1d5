#!/usr/bin/env bash
# Writes platform/unix/code_page_table.inc again from what Wine reports:
#   tools/code_pages/regenerate.sh [OUTPUT]   (after building the win32 preset)
# With an OUTPUT path it writes the table there instead.
exec "$(dirname "$0")/../check-tables.sh" --write code_pages "$@"
