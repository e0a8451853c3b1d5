#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix:
#   tools/wine-run.sh PROGRAM.exe [ARGS...]
#   tools/wine-run.sh --start        starts the server of the prefix and its services
#   tools/wine-run.sh --stop         ends the servers of every prefix under build/
#   tools/wine-run.sh --session COMMAND [ARGS...]
#                                    runs COMMAND, and ends the prefix's server at
#                                    its end (success, failure or interrupt) if
#                                    none ran when it began
#   source tools/wine-run.sh --environment
#                                    sets the variables of Wine's environment alone
# The prefix (build/wineprefix, or $WINEPREFIX) is made on first use. The first
# run starts a wineserver for it and the prefix's own services, with their
# output sent to a log, so that none of them holds a caller's output open;
# the later runs find them running. The server ends by itself, with the
# services, once no program of the prefix has run for a while, so that even a
# run that is killed leaves nothing behind for long.
# WINE_LOCALE, if set, becomes LC_ALL of the Windows program, which selects
# its locale; it is passed on without this script taking it up, so that a
# locale with no glibc data of its own draws no warning here.
# WINE_RUN_STARTED=1 says that the caller has seen the server running, which
# saves a long run of calls that look for it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
[[ ${1:-} == --environment ]] && return 0
log=$root/build/wineserver.log
# Seconds the server waits after the prefix's last program before it ends.
idle=15

# Whether the server of the prefix runs: a wineserver works in a folder named
# after the device and inode of its prefix.
running() {
    local device inode pid
    read -r device inode < <(stat -c '%D %i' "$WINEPREFIX" 2>/dev/null) || return 1
    for pid in $(pgrep wineserver); do
        [[ $(readlink "/proc/$pid/cwd" 2>/dev/null) == */"$(printf 'server-%s-%x' "$device" "$inode")" ]] && return 0
    done
    return 1
}

# wineboot through the native 64-bit loader where there is one: it needs no
# emulation.
boot() {
    if [[ -x /usr/lib/wine/wine64 ]]; then
        /usr/lib/wine/wine64 wineboot "$@" </dev/null >>"$log" 2>&1
    else
        wineboot "$@" </dev/null >>"$log" 2>&1
    fi
}

# Makes the prefix where it is missing and starts its server and services
# where they do not run; one caller at a time, the others wait for it. Wine's
# processes do not inherit the lock, which would hold it for their lifetime.
start() {
    mkdir -p "$root/build"
    exec {lock}>>"$WINEPREFIX.lock"
    flock "$lock"
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        echo "wine-run: creating the Wine prefix $WINEPREFIX" >>"$log"
        boot -i {lock}>&-
        wineserver -w
    fi
    if ! running; then
        # The prefix is made for this Wine; a later start never updates it.
        [[ $(cat "$WINEPREFIX/.update-timestamp" 2>/dev/null) == disable ]] ||
            echo disable >"$WINEPREFIX/.update-timestamp"
        setsid wineserver -p"$idle" </dev/null >>"$log" 2>&1 {lock}>&- || true
        boot {lock}>&-
    fi
    exec {lock}>&-
}

case ${1:-} in
    --stop)
        for prefix in "$WINEPREFIX" "$root"/build/wineprefix*/; do
            [[ -d $prefix ]] && (export WINEPREFIX=${prefix%/} && wineserver -k && wineserver -w) >/dev/null 2>&1 || true
        done
        exit 0 ;;
    --start)
        start
        exit 0 ;;
    --session)
        shift
        running && exec "$@"
        trap '(wineserver -k && wineserver -w) >/dev/null 2>&1 || true' EXIT
        trap 'exit 130' INT
        trap 'exit 143' TERM
        "$@"
        exit ;;
esac
[[ ${WINE_RUN_STARTED:-} == 1 ]] || start
exec env ${WINE_LOCALE:+"LC_ALL=$WINE_LOCALE"} wine "$@"
