#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix:
#   tools/wine-run.sh PROGRAM.exe [ARGS...]
# The prefix (build/wineprefix, or $WINEPREFIX) is made on first use. A
# persistent wineserver is started for it, and the prefix's own services are
# started with their output sent to a log, so that none of them holds a
# caller's output open. `tools/wine-run.sh --stop` ends them all, those of
# the other prefixes under build/ too.
# WINE_LOCALE, if set, becomes LC_ALL of the Windows program, which selects
# its locale; it is passed on without this script taking it up, so that a
# locale with no glibc data of its own draws no warning here.
# WINE_RUN_STARTED=1 says that an earlier call has started the server and
# the prefix's services, which saves a long run of calls that time.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
log=$root/build/wineserver.log

if [[ ${1:-} == --stop ]]; then
    for prefix in "$WINEPREFIX" "$root"/build/wineprefix*; do
        [[ -d $prefix ]] && WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    done
    exit 0
fi

# wineboot through the native 64-bit loader where there is one: it needs no
# emulation.
boot() {
    if [[ -x /usr/lib/wine/wine64 ]]; then
        /usr/lib/wine/wine64 wineboot "$@" </dev/null >>"$log" 2>&1
    else
        wineboot "$@" </dev/null >>"$log" 2>&1
    fi
}

if [[ ${WINE_RUN_STARTED:-} != 1 ]]; then
    mkdir -p "$root/build"
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        echo "wine-run: creating the Wine prefix $WINEPREFIX" >>"$log"
        boot -i
        wineserver -w
    fi
    # The prefix is made for this Wine; a later start never updates it.
    [[ $(cat "$WINEPREFIX/.update-timestamp" 2>/dev/null) == disable ]] || echo disable >"$WINEPREFIX/.update-timestamp"
    setsid wineserver -p </dev/null >>"$log" 2>&1 || true
    boot
fi
exec env ${WINE_LOCALE:+"LC_ALL=$WINE_LOCALE"} wine "$@"
