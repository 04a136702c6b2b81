#!/usr/bin/env bash
# Starts (start) or stops (stop) the wine session of the prefix PREFIX for a test run: a
# persistent wineserver with wine's services already running, so that no test waits for them.
# Usage: wine_session.sh start|stop PREFIX
set -euo pipefail
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
case $1 in
start)
    mkdir -p "$WINEPREFIX"
    wineserver -p >/dev/null 2>&1 </dev/null || true # status 2: one is running already
    wineboot --init >/dev/null 2>&1 </dev/null
    touch "$WINEPREFIX/.velmora-ready"
    ;;
stop)
    [ -e "$WINEPREFIX/.velmora-ready" ] && wineserver -k 2>/dev/null || true
    ;;
esac
