#!/usr/bin/env bash
# Opens the Windows program under wine in a real X session (Xvfb and openbox) with a Chinese
# desktop, and drives it with form1_driver.exe: the window, its controls, the keyboard, the
# reference vessel's levels and every warning, once with the full stop and once with the comma
# as the user's decimal separator, and once at 144 dpi. Saves screenshots of the window.
# Usage: window_under_wine.sh PROGRAM DRIVER WINE_PREFIX OUTPUT_DIR
set -euo pipefail
program=$(realpath "$1")
driver=$(realpath "$2")
export WINEPREFIX
WINEPREFIX=$(realpath -m "$3")
out=$4
mkdir -p "$out" "$WINEPREFIX"
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_desktop.sh
source "$here/wine_desktop.sh"
start_wine_desktop

wineserver -p >/dev/null 2>&1 </dev/null || true # status 2: one is running already
wineboot --init >/dev/null 2>&1 </dev/null
international='HKCU\Control Panel\International'
desktop='HKCU\Control Panel\Desktop'
reg() { wine reg "$@" >/dev/null 2>&1 </dev/null; }
# The program asks for the Chinese faces of Windows; wine has none, so Debian's CJK face stands in.
reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft YaHei' /t REG_SZ /d 'Noto Sans CJK SC' /f
reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'SimSun' /t REG_SZ /d 'Noto Sans CJK SC' /f

# Runs the program, then the driver in MODE; leaves the window's frame in $frame.
run() {
    local mode=$1 dpi=${2:-96} log="$workdir/driver-$1.log"
    wine "$program" >"$workdir/program-$mode.log" 2>&1 </dev/null &
    program_pid=$!
    pids+=("$program_pid")
    if ! wine "$driver" "$mode" "$dpi" >"$log" 2>&1 </dev/null; then
        cat "$log" >&2
        fail "the window check ($mode) failed"
    fi
    frame=$(sed -n 's/^frame //p' "$log" | tr -d '\r')
    echo "$mode: $dpi dpi, frame $frame"
}
# Takes a screenshot of the window's frame and closes the window.
shoot_and_close() {
    local name=$1 x y w h
    read -r x y w h <<<"$frame"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
    echo "screenshot: $out/$name.png"
    wine "$driver" close >/dev/null 2>&1 </dev/null || fail "the window did not close"
    wait "$program_pid" || fail "the program ended with status $? when its window closed"
}

reg add "$desktop" /v LogPixels /t REG_DWORD /d 96 /f
reg add "$international" /v sDecimal /t REG_SZ /d . /f
run point
shoot_and_close windows-window

reg add "$international" /v sDecimal /t REG_SZ /d , /f
run comma
shoot_and_close windows-window-comma
reg add "$international" /v sDecimal /t REG_SZ /d . /f

# At 150 % scaling the window and its controls keep their size in twips.
reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f
run layout 144
shoot_and_close windows-window-144dpi
reg add "$desktop" /v LogPixels /t REG_DWORD /d 96 /f
echo "window check under wine passed"
