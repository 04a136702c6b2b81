# Sourced by the scripts that open Velmora in a real X session. Provides a scratch folder
# ($workdir), fail, clean-up of everything started (add pids to "pids"), and start_x_session:
# Xvfb on a free display with the openbox window manager, ready to manage windows.

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
