#!/usr/bin/env bash
# Checks Velmora as a desktop program to be installed: its desktop entry and AppStream metadata
# validate cleanly, an install puts exactly the expected files in place, and the Debian package
# has the right name, dependencies and contents.
# Usage: check_package.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
app_id=org.velmora.Velmora
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

desktop-file-validate "$src/packaging/$app_id.desktop" || fail "the desktop entry does not validate"
# Infos and pedantic notes are allowed (Chinese text has no capital letters to start with);
# warnings and errors are not.
appstreamcli validate --no-net --no-color "$src/packaging/$app_id.metainfo.xml" >"$work/as.log" 2>&1 || true
if grep -qE '^[EW]:' "$work/as.log" || ! grep -q 'Validation was successful' "$work/as.log"; then
    cat "$work/as.log" >&2
    fail "the AppStream metadata does not validate"
fi

expected=$(
    cat <<LIST
/usr/bin/velmora
/usr/bin/velmora-table
/usr/share/applications/$app_id.desktop
/usr/share/icons/hicolor/16x16/apps/$app_id.png
/usr/share/icons/hicolor/256x256/apps/$app_id.png
/usr/share/icons/hicolor/32x32/apps/$app_id.png
/usr/share/icons/hicolor/48x48/apps/$app_id.png
/usr/share/man/man1/velmora-table.1.gz
/usr/share/man/zh_CN/man1/velmora-table.1.gz
/usr/share/metainfo/$app_id.metainfo.xml
LIST
)

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
installed=$(cd "$work/root" && find . -type f | sed 's/^\.//' | sort)
[ "$installed" = "$expected" ] || fail "installed files differ:
$(diff <(echo "$expected") <(echo "$installed"))"
for size in 16 32 48 256; do
    identify -format '%wx%h' "$work/root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" |
        grep -qx "${size}x${size}" || fail "the ${size}px icon has the wrong size"
done

(cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log" >&2
    fail "cpack failed"
}
arch=$(dpkg --print-architecture)
deb=$work/pkg/velmora_$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")_$arch.deb
[ -f "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$work/pkg")"

info=$(dpkg-deb -I "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package)" = velmora ] || fail "package name is $(field Package)"
[ "$(field Section)" = science ] || fail "section is $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Description)" ] || fail "no description"
depends=$(field Depends)
depends_names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for dep in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins; do
    grep -qxF "$dep" <<<"$depends_names" || fail "Depends lacks $dep: $depends"
done
recommends=$(field Recommends)
for rec in fonts-noto-cjk qt6-translations-l10n; do
    grep -q "$rec" <<<"$recommends" || fail "Recommends lacks $rec: $recommends"
done

packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's/^\.//' | sort)
[ "$packaged" = "$expected" ] || fail "packaged files differ:
$(diff <(echo "$expected") <(echo "$packaged"))"
echo "package $(basename "$deb") checked: Depends: $depends"
