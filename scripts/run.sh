#!/usr/bin/env bash
# Installs what is missing, builds the program and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh run
cmake --preset dev >/dev/null
cmake --build --preset dev --parallel "$(nproc)" --target velmora
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "velmora: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    exit 1
fi
exec build/dev/app/velmora
