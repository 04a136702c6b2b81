#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test
cmake --preset ci
cmake --build --preset ci --parallel "$(nproc)"
ctest --preset ci --parallel "$(nproc)"
