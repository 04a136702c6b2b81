#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through ctest: under the sanitizers, as a
# bounded fuzz run, the Windows program cross-built and tested under wine, and with warnings as
# errors and the static checks.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test
for preset in asan fuzz windows ci; do
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$(nproc)"
    ctest --preset "$preset" --parallel "$(nproc)"
done
