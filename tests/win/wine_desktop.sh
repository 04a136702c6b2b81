# Sourced by the scripts that run Windows programs under wine in a real X session. Provides what
# x_session.sh provides, and start_wine_desktop: an X session (Xvfb and openbox) with a Chinese
# desktop for wine, whose session ends with the script.
# shellcheck source=../window/x_session.sh
source "$(dirname "${BASH_SOURCE[0]}")/../window/x_session.sh"

start_wine_desktop() {
    # Wine's session belongs to this X display: end it with the test.
    trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT
    start_x_session
    export LANG=zh_CN.UTF-8 WINEDEBUG=-all
    # No menu entries or file associations for the desktop outside the prefix.
    export WINEDLLOVERRIDES=winemenubuilder.exe=d
    unset LC_ALL
}
