#!/usr/bin/env bash
# Installs the Debian package with apt-get as a user would, starts the program the way the
# application menu does (the desktop entry's Exec line) under Xvfb, checks that its window
# opens, then removes the package and checks that nothing of it is left. Changes the system:
# run it as root on a machine meant for it.
# Usage: check_deb_install.sh velmora_VERSION_ARCH.deb
set -euo pipefail
deb=$(realpath "$1")
# shellcheck source=../window/x_session.sh
source "$(dirname "$0")/../window/x_session.sh"

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$workdir/apt.log" 2>&1 ||
    fail "apt-get install failed: $(cat "$workdir/apt.log")"
dpkg-query -L velmora | while read -r f; do [ -d "$f" ] || echo "$f"; done >"$workdir/files"
start_x_session

# Each program from its entry: the menu runs the Exec line through the shell's word splitting,
# with PATH looking up the program.
open_from_entry() { # desktop entry, window class, window title
    local entry=/usr/share/applications/$1 exec_line wid=""
    exec_line=$(sed -n 's/^Exec=//p' "$entry")
    [ -n "$exec_line" ] || fail "no Exec line in $entry"
    env -i DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$workdir" PATH=/usr/local/bin:/usr/bin:/bin $exec_line &
    pids+=($!)
    for _ in $(seq 200); do
        wid=$(xdotool search --onlyvisible --class "^$2\$" 2>/dev/null | head -n1 || true)
        [ -n "$wid" ] && break
        sleep 0.05
    done
    [ -n "$wid" ] || fail "'$exec_line' opened no window"
    xprop -id "$wid" _NET_WM_NAME | grep -q "$3" || fail "the window of $1 has the wrong title"
    echo "'$exec_line' from the menu entry opened the window"
    kill "${pids[-1]}"
}
open_from_entry org.velmora.Velmora.desktop velmora '标准椭圆封头Velmora'
open_from_entry org.velmora.VelmoraTable.desktop velmora-table '标准椭圆封头容器容量表'

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq velmora >>"$workdir/apt.log" 2>&1 || fail "apt-get remove failed"
left=$(while read -r f; do [ -e "$f" ] && echo "$f"; done <"$workdir/files" || true)
[ -z "$left" ] || fail "left behind after removal: $left"
status=$(dpkg-query -W -f='${db:Status-Abbrev}' velmora 2>/dev/null || true)
[ -z "$status" ] || [ "${status:0:2}" = "un" ] || fail "dpkg still knows the package: '$status'"
echo "installed, started from the menu entry and removed without a trace"
