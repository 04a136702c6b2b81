#!/usr/bin/env bash
# Installs what is missing, builds a release and makes the Debian package build/release/velmora_*.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh package
cmake --preset release
cmake --build --preset release --parallel "$(nproc)"
(cd build/release && cpack -G DEB)
ls build/release/velmora_*.deb
