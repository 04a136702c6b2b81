#!/usr/bin/env bash
# Checks Velmora as a desktop program to be installed: its desktop entry and AppStream metadata
# validate cleanly, an install puts exactly the expected files in place, and the Debian package,
# built as the release is (preset release, in SOURCE_DIR/build/release), has the right name,
# dependencies and contents, is hardened and stripped, names no address the project does not
# own, and passes lintian.
# Usage: check_package.sh SOURCE_DIR
set -euo pipefail
src=$(realpath "$1")
build=$src/build/release
app_id=org.velmora.Velmora
table_id=org.velmora.VelmoraTable
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for id in "$app_id" "$table_id"; do
    desktop-file-validate "$src/packaging/$id.desktop" || fail "the desktop entry $id does not validate"
    # Infos and pedantic notes are allowed (Chinese text has no capital letters to start with);
    # warnings and errors are not.
    appstreamcli validate --no-net --no-color "$src/packaging/$id.metainfo.xml" >"$work/as.log" 2>&1 || true
    if grep -qE '^[EW]:' "$work/as.log" || ! grep -q 'Validation was successful' "$work/as.log"; then
        cat "$work/as.log" >&2
        fail "the AppStream metadata of $id does not validate"
    fi
done
# Both programs show the same sun.
grep -qx "Icon=$app_id" "$src/packaging/$table_id.desktop" || fail "the table's entry has another icon"

(cd "$src" && cmake --preset release && cmake --build --preset release --parallel 2) >"$work/build.log" 2>&1 || {
    cat "$work/build.log" >&2
    fail "the release build failed"
}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

expected=$(
    cat <<LIST
/usr/bin/velmora
/usr/bin/velmora-table
/usr/share/applications/$app_id.desktop
/usr/share/applications/$table_id.desktop
/usr/share/doc/velmora/changelog.gz
/usr/share/doc/velmora/copyright
/usr/share/icons/hicolor/16x16/apps/$app_id.png
/usr/share/icons/hicolor/256x256/apps/$app_id.png
/usr/share/icons/hicolor/32x32/apps/$app_id.png
/usr/share/icons/hicolor/48x48/apps/$app_id.png
/usr/share/man/man1/velmora-table.1.gz
/usr/share/man/man1/velmora.1.gz
/usr/share/man/zh_CN/man1/velmora-table.1.gz
/usr/share/man/zh_CN/man1/velmora.1.gz
/usr/share/metainfo/$app_id.metainfo.xml
/usr/share/metainfo/$table_id.metainfo.xml
LIST
)

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
installed=$(cd "$work/root" && find . -type f | sed 's/^\.//' | LC_ALL=C sort)
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
deb=$work/pkg/velmora_${version}_$arch.deb
[ -f "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$work/pkg")"

info=$(dpkg-deb -I "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package)" = velmora ] || fail "package name is $(field Package)"
[ "$(field Section)" = science ] || fail "section is $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Description)" ] || fail "no description"
depends=$(field Depends)
depends_items=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ *$//')
depends_names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for dep in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    libxlsxwriter4 qt6-qpa-plugins; do
    grep -qxF "$dep" <<<"$depends_names" || fail "Depends lacks $dep: $depends"
done
# Every caption is Chinese: a CJK font is required, any one of these.
grep -qxF 'fonts-noto-cjk | fonts-wqy-microhei | fonts-wqy-zenhei' <<<"$depends_items" ||
    fail "Depends lacks the CJK font: $depends"
recommends=$(field Recommends)
# Qt's translations, and the TrueType CJK face the table's PDF is written in.
[ "$recommends" = "qt6-translations-l10n, fonts-wqy-microhei" ] ||
    fail "Recommends is not Qt's translations and the PDF's font: $recommends"

packaged=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's/^\.//' | LC_ALL=C sort)
[ "$packaged" = "$expected" ] || fail "packaged files differ:
$(diff <(echo "$expected") <(echo "$packaged"))"

dpkg-deb -x "$deb" "$work/deb"
# The version is written in three places; lintian compares none of them with the package's.
changelog_version=$(zcat "$work/deb/usr/share/doc/velmora/changelog.gz" | sed -n '1s/^velmora (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "the changelog's latest entry is '$changelog_version', not $version"
release_version=$(grep -o -m1 '<release version="[^"]*"' "$work/deb/usr/share/metainfo/$app_id.metainfo.xml" |
    sed 's/.*"\(.*\)"/\1/')
[ "$release_version" = "$version" ] || fail "the AppStream metadata's latest release is '$release_version', not $version"

# lintian checks RELRO, BIND_NOW, PIE and fortified calls, but not the stack protector.
for program in "$work"/deb/usr/bin/*; do
    grep -q ' __stack_chk_fail@' <<<"$(readelf --dyn-syms -W "$program")" ||
        fail "$(basename "$program") is built without the stack protector"
done

# Addresses: only the reserved, undeliverable .invalid domain, and the identifier of the copyright
# file's format, which that format requires.
address='[[:alnum:]._%+-]+@[[:alnum:].-]+\.[[:alpha:]]+|[a-z]+://[^ <>"]+'
{
    echo "$info"
    grep -rIh '' "$work/deb"
    find "$work/deb" -name '*.gz' -exec zcat {} +
} | grep -oE "$address" | sort -u >"$work/addresses" || true
unknown=$(grep -vxE '[[:alnum:]._%+-]+@velmora\.invalid|https://www\.debian\.org/doc/packaging-manuals/copyright-format/1\.0/' \
    "$work/addresses" || true)
[ -z "$unknown" ] || fail "the package names addresses the project does not own: $unknown"

# No tag of any severity is accepted, information and pedantic ones included: none is expected.
# One that must be accepted is filtered out here, with the reason beside it.
status=0
lintian --no-cfg --display-info --pedantic "$deb" >"$work/lintian.log" 2>&1 || status=$?
if grep -E '^[A-Z]: ' "$work/lintian.log" >&2; then
    fail "lintian reports the tags above"
fi
[ "$status" -eq 0 ] || fail "lintian failed: $(cat "$work/lintian.log")"
echo "package $(basename "$deb") checked, lintian clean: Depends: $depends"
