#!/usr/bin/env bash
# Installs what is missing, cross-builds the Windows program and makes its two packages:
# build/windows/velmora-<version>-win64.zip and build/windows/velmora-<version>-win64-setup.exe.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh windows
cmake --preset windows
cmake --build --preset windows --parallel "$(nproc)" --target velmora
(cd build/windows && cpack -G "ZIP;NSIS")
ls build/windows/velmora-*-win64.zip build/windows/velmora-*-win64-setup.exe
