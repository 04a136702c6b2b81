#!/usr/bin/env bash
# Runs a Windows program under wine in the wine prefix PREFIX, making the prefix first if it is
# new. The program's output is passed on through a file: wine's own services, which the first
# program of a session may start and which outlive it, then hold that file open instead of
# ctest's pipe, which ctest would wait on until they exit.
# Usage: wine_run.sh PREFIX PROGRAM [ARGUMENTS...]
set -euo pipefail
export WINEPREFIX=$1
shift
export WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
mkdir -p "$WINEPREFIX"
{
    flock 9
    if [ ! -e "$WINEPREFIX/.velmora-ready" ]; then
        wineboot --init >/dev/null 2>&1 </dev/null 9>&-
        touch "$WINEPREFIX/.velmora-ready"
    fi
} 9>"$WINEPREFIX.lock"
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
wine "$@" >"$out" 2>&1 </dev/null || status=$?
cat "$out"
exit "$status"
