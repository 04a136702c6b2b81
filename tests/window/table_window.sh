#!/usr/bin/env bash
# Opens velmora-table's window in a real X session under Xvfb with the openbox window manager,
# checks its title and that it can be resized, types the reference vessel, makes its table,
# moves the selection down the table, checks that the drawing shows the liquid, and saves a
# screenshot of the window. Then writes the reference vessel's PDF from the command line and
# renders its first page, as a person would look at both.
# Usage: table_window.sh PROGRAM OUTPUT_DIR
set -euo pipefail
program=$1
out=$2
mkdir -p "$out"
# shellcheck source=x_session.sh
source "$(dirname "$0")/x_session.sh"
start_x_session
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

open_window "$program"

title=$(xprop -id "$wid" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
[ "$title" = "标准椭圆封头容器容量表" ] || fail "title is '$title'"
grep -q _NET_WM_ACTION_RESIZE <<<"$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)" ||
    fail "the window cannot be resized"

info=$(xwininfo -id "$wid")
field() { sed -n "s/^ *$1: *\(-\?[0-9]*\).*/\1/p" <<<"$info"; }
x=$(field 'Absolute upper-left X') y=$(field 'Absolute upper-left Y')
w=$(field Width) h=$(field Height)
read -r left right top bottom < <(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
echo "window $wid: client ${w}x${h}+${x}+${y}"

# Pixels of the liquid's colour in the window: the drawing fills the vessel below the level.
liquid_pixels() {
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$workdir/client.png"
    convert "$workdir/client.png" -fuzz 6% -fill black +opaque 'rgb(106,162,218)' \
        -fill white -opaque 'rgb(106,162,218)' -format '%[fx:int(mean*w*h+0.5)]' info:
}

# The focus starts in the shell-length field; a click in the window's margin activates it.
xdotool mousemove "$((x + 4))" "$((y + h - 4))" click 1
sleep 0.2
xdotool type --delay 20 5000
xdotool key Tab
xdotool type --delay 20 2020
xdotool key Tab
xdotool type --delay 20 10
xdotool key Tab
xdotool type --delay 20 25
xdotool key Return # makes the table; the first row, level 0, is selected

# Down the table a few pages: the liquid rises in the drawing.
before=$(liquid_pixels)
liquid=0
for _ in $(seq 50); do
    xdotool key Page_Down
    sleep 0.1
    liquid=$(liquid_pixels)
    [ "$liquid" -gt $((before + 5000)) ] && break
done
[ "$liquid" -gt $((before + 5000)) ] ||
    fail "the drawing shows no liquid after moving down the table ($before, then $liquid pixels)"
xdotool key Page_Down Page_Down
sleep 0.3

import -window root "$workdir/screen.png"
convert "$workdir/screen.png" -crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))" \
    +repage "$out/velmora-table-window.png"
echo "screenshot: $out/velmora-table-window.png"
kill -0 "$program_pid" 2>/dev/null || fail "the program exited: $(cat "$workdir/program.log")"

# The same vessel's PDF from the command line, without a display, and its first page.
env -u DISPLAY "$program" --L 5000 --D 2020 --Delta 10 --Hs 25 --unit 示例石化公司储运部 \
    --tank T-101 --certificate RL-2026-0001 --output "$workdir/table.pdf" ||
    fail "velmora-table could not write the PDF"
pdftoppm -r 100 -f 1 -l 1 -png -singlefile "$workdir/table.pdf" "$out/velmora-table-page1"
echo "first PDF page: $out/velmora-table-page1.png"
echo "table window check passed"
