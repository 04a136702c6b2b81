#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through ctest: under the sanitizers, as a
# bounded fuzz run, and with warnings as errors and the static checks.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test
for preset in asan fuzz ci; do
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$(nproc)"
    ctest --preset "$preset" --parallel "$(nproc)"
done
