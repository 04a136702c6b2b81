# Sourced by the scripts that open Velmora in a real X session. Provides a scratch folder
# ($workdir), fail, clean-up of everything started (add pids to "pids"), start_x_session: Xvfb on
# a free display with the openbox window manager, ready to manage windows, and open_window: a
# program started in it, and its window once mapped and framed.

workdir=$(mktemp -d)
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

start_x_session() {
    # Xvfb picks a free display and writes its number to the pipe.
    exec 3>"$workdir/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$workdir/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$workdir/display" ] && break; sleep 0.05; done
    [ -s "$workdir/display" ] || fail "Xvfb did not start: $(cat "$workdir/xvfb.log")"
    export DISPLAY=":$(head -n1 "$workdir/display")"
    export XDG_RUNTIME_DIR=$workdir

    # openbox runs its --startup command once it manages windows; a window mapped earlier may be
    # lost.
    openbox --startup "touch $workdir/wm-ready" >"$workdir/openbox.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 200); do [ -e "$workdir/wm-ready" ] && break; sleep 0.05; done
    [ -e "$workdir/wm-ready" ] || fail "openbox did not start: $(cat "$workdir/openbox.log")"
}

# Starts PROGRAM [ARGS...] with its output in $workdir/program.log, and waits until its window is
# mapped, framed and viewable (under Xvfb it need not become active). Sets program_pid and wid.
open_window() {
    "$@" >"$workdir/program.log" 2>&1 &
    pids+=($!)
    program_pid=$!
    wid=""
    for _ in $(seq 200); do
        kill -0 "$program_pid" 2>/dev/null || fail "the program exited: $(cat "$workdir/program.log")"
        wid=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | head -n1 || true)
        if [ -n "$wid" ] && xwininfo -id "$wid" | grep -q 'Map State: IsViewable' &&
            xprop -id "$wid" _NET_FRAME_EXTENTS | grep -q '='; then
            return
        fi
        wid=""
        sleep 0.05
    done
    fail "the window did not map within 10 s: $(cat "$workdir/program.log")"
}
