#!/usr/bin/env bash
# Opens the program in a real X window under Xvfb with the openbox window manager, checks what a
# person would see first (title, client size, frame centred on the screen), types the reference
# vessel, clicks Calculate, and saves a screenshot.
# Usage: real_window.sh PROGRAM OUTPUT_DIR
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
sleep 0.5 # let a late re-centring settle before measuring

title=$(xprop -id "$wid" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
[ "$title" = "标准椭圆封头Velmora" ] || fail "title is '$title'"
# A fixed-size window: the window manager must offer neither resizing nor maximising.
actions=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
if grep -qE '_NET_WM_ACTION_(RESIZE|MAXIMIZE)' <<<"$actions"; then
    fail "the window can be resized or maximised: $actions"
fi

info=$(xwininfo -id "$wid")
field() { sed -n "s/^ *$1: *\(-\?[0-9]*\).*/\1/p" <<<"$info"; }
x=$(field 'Absolute upper-left X') y=$(field 'Absolute upper-left Y')
w=$(field Width) h=$(field Height)
[ "$w" = 456 ] && [ "$h" = 411 ] || fail "client area is ${w}x${h}, not 456x411"

read -r left right top bottom < <(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
read -r sw sh < <(xwininfo -root | awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w, h}')
fx=$((x - left)) fy=$((y - top)) fw=$((w + left + right)) fh=$((h + top + bottom))
dx=$((2 * fx + fw - sw)) dy=$((2 * fy + fh - sh)) # twice the offset from the centre
((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2)) ||
    fail "frame ${fw}x${fh}+${fx}+${fy} is not centred on the ${sw}x${sh} screen"
echo "window $wid: client ${w}x${h}+${x}+${y}, frame ${fw}x${fh}+${fx}+${fy}, screen ${sw}x${sh}"

# Label4's area, before and after the calculation.
label_area="321x49+$((x + 64))+$((y + 280))"
import -window root -crop "$label_area" "$workdir/label-before.png"

type_into() { # field's left, top in the client area; text
    xdotool mousemove "$((x + $1 + 20))" "$((y + $2 + 16))" click 1
    sleep 0.1
    xdotool type --delay 20 "$3"
}
type_into 208 16 5000
type_into 208 64 2020
type_into 208 112 10
type_into 208 160 25
type_into 208 208 500
xdotool mousemove "$((x + 176 + 52))" "$((y + 360 + 16))" click 1

# The result's two lines change a few hundred of the label's pixels.
changed=0
for _ in $(seq 50); do
    sleep 0.1
    import -window root -crop "$label_area" "$workdir/label-after.png"
    changed=$(compare -metric AE "$workdir/label-before.png" "$workdir/label-after.png" null: 2>&1 || true)
    changed=${changed%%.*}
    [ "${changed:-0}" -gt 100 ] 2>/dev/null && break
done
[ "${changed:-0}" -gt 100 ] 2>/dev/null || fail "the result label did not change after Calculate ($changed pixels)"

import -window root "$workdir/screen.png"
convert "$workdir/screen.png" -crop "${fw}x${fh}+${fx}+${fy}" +repage "$out/velmora-window.png"
echo "screenshot: $out/velmora-window.png"
kill -0 "$program_pid" 2>/dev/null || fail "the program exited: $(cat "$workdir/program.log")"
echo "real window check passed"
