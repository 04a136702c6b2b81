#!/usr/bin/env bash
# Installs the Debian packages that are missing for building and running Velmora ("run"), for
# making its Debian package ("package"), for benchmarking it ("bench") or for building it and running every test ("test").
# Installs nothing when all are there.
set -euo pipefail

run_packages=(
    g++ cmake make pkgconf libgtest-dev libxlsxwriter-dev
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n fonts-noto-cjk
)
package_packages=(
    "${run_packages[@]}"
    dpkg-dev file
)
bench_packages=(
    "${run_packages[@]}"
    libbenchmark-dev python3 xvfb xauth openbox
)
test_packages=(
    "${run_packages[@]}"
    xvfb xauth openbox xdotool x11-utils imagemagick python3
    clang-14 libclang-rt-14-dev libfuzzer-14-dev clang-tidy-14 cppcheck
    dpkg-dev file desktop-file-utils appstream lintian
)

case "${1:-}" in
run) wanted=("${run_packages[@]}") ;;
package) wanted=("${package_packages[@]}") ;;
bench) wanted=("${bench_packages[@]}") ;;
test) wanted=("${test_packages[@]}") ;;
*)
    echo "usage: $0 run|package|bench|test" >&2
    exit 2
    ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null)" != "ii " ]; then
        missing+=("$pkg")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
