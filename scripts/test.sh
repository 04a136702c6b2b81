#!/usr/bin/env bash
# Installs what is missing, builds and runs every test through ctest: once with warnings as
# errors and the static checks, once under the sanitizers, and a bounded fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test
for preset in ci asan fuzz; do
    cmake --preset "$preset"
    cmake --build --preset "$preset" --parallel "$(nproc)"
    ctest --preset "$preset" --parallel "$(nproc)"
done
