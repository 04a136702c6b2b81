#!/usr/bin/env bash
# Installs the Debian packages that are missing for building and running Velmora ("run"), for
# making its Debian package ("package"), for benchmarking it ("bench"), for building the Windows
# program and its packages ("windows") or for building it and running every test ("test").
# Installs nothing when all are there. For the Windows tests it also makes the Chinese locale
# zh_CN.UTF-8, in which wine runs them.
set -euo pipefail

run_packages=(
    g++ cmake make pkgconf libgtest-dev libxlsxwriter-dev
    qt6-base-dev qt6-qpa-plugins qt6-translations-l10n fonts-noto-cjk fonts-wqy-microhei
)
package_packages=(
    "${run_packages[@]}"
    dpkg-dev file
)
bench_packages=(
    "${run_packages[@]}"
    libbenchmark-dev python3 xvfb xauth openbox
)
# Cross-compiler (posix threads, as GoogleTest needs), wine to run the result, NSIS for the
# installer; the tests under wine run in a Chinese desktop.
windows_packages=(
    cmake make g++-mingw-w64-x86-64-posix googletest nsis
)
windows_test_packages=(
    "${windows_packages[@]}"
    wine wine64 locales fonts-noto-cjk xvfb xauth openbox imagemagick file
)
test_packages=(
    "${run_packages[@]}"
    "${windows_test_packages[@]}"
    xvfb xauth openbox xdotool x11-utils imagemagick python3
    clang-14 libclang-rt-14-dev libfuzzer-14-dev clang-tidy-14 cppcheck
    dpkg-dev file desktop-file-utils appstream lintian poppler-utils
)

case "${1:-}" in
run) wanted=("${run_packages[@]}") ;;
package) wanted=("${package_packages[@]}") ;;
bench) wanted=("${bench_packages[@]}") ;;
windows) wanted=("${windows_packages[@]}") ;;
test) wanted=("${test_packages[@]}") ;;
*)
    echo "usage: $0 run|package|bench|windows|test" >&2
    exit 2
    ;;
esac

missing=()
for pkg in "${wanted[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Abbrev}' "$pkg" 2>/dev/null)" != "ii " ]; then
        missing+=("$pkg")
    fi
done
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ "$1" = test ] && ! locale -a | grep -qx 'zh_CN.utf8'; then
    echo "Making the locale zh_CN.UTF-8"
    "${sudo[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
