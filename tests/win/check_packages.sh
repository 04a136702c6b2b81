#!/usr/bin/env bash
# Makes the Windows packages with cpack and checks them under wine: the zip holds the program and
# its read-me; the 64-bit installer installs silently, puts the program in the Start menu under
# its Chinese name, the installed program opens its window, and the silent uninstaller leaves no
# file and no registry key behind.
# Usage: check_packages.sh BUILD_DIR VERSION DRIVER WINE_PREFIX
set -euo pipefail
build=$(realpath "$1")
version=$2
driver=$(realpath "$3")
export WINEPREFIX
WINEPREFIX=$(realpath -m "$4")
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=wine_desktop.sh
source "$here/wine_desktop.sh"
start_wine_desktop

(cd "$build" && cpack -G "ZIP;NSIS" >"$workdir/cpack.log" 2>&1) ||
    fail "cpack failed: $(cat "$workdir/cpack.log")"
zip=$build/velmora-$version-win64.zip
setup=$build/velmora-$version-win64-setup.exe
program=$build/app/velmora.exe

expected="LICENSE.txt readme.txt velmora.exe"
contents=$(cmake -E tar tf "$zip" | sort | xargs)
[ "$contents" = "$expected" ] || fail "the zip holds '$contents', not '$expected'"
mkdir "$workdir/zip"
(cd "$workdir/zip" && cmake -E tar xf "$zip")
cmp -s "$workdir/zip/velmora.exe" "$program" || fail "the zip's velmora.exe is not the program built"
file "$setup" | grep -q 'PE32+ executable (GUI) x86-64' || fail "the installer is not 64-bit: $(file "$setup")"
echo "zip: $contents; installer: $(stat -c %s "$setup") bytes, 64-bit"

wineserver -p >/dev/null 2>&1 </dev/null || true # status 2: one is running already
wineboot --init >/dev/null 2>&1 </dev/null
# At 100 % scaling, whatever an earlier test left.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 </dev/null
drive=$WINEPREFIX/drive_c
installed="$drive/Program Files/Velmora"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmora"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora'
# The uninstaller runs on from a copy of itself in the temporary folder; its last step removes
# the program's entry among the installed programs.
uninstall() {
    wine 'C:\Program Files\Velmora\Uninstall.exe' /S >/dev/null 2>&1 </dev/null ||
        fail "the silent uninstall failed"
    for _ in $(seq 100); do
        if [ ! -e "$installed" ] && [ ! -e "$menu" ] &&
            ! wine reg query "$uninstall_key" >/dev/null 2>&1 </dev/null; then
            sleep 1
            return
        fi
        sleep 0.2
    done
    fail "the uninstaller did not finish within a minute"
}
# A run stopped half-way may have left the program installed.
[ ! -e "$installed/Uninstall.exe" ] || uninstall
# What an installer may leave: files outside Windows' own folder and the temporary folders, and
# every registry key that names the program.
files() { (cd "$drive" && find . -path ./windows -prune -o -ipath '*/temp' -prune -o -print | sort); }
keys() {
    for root in 'HKLM\Software' 'HKCU\Software'; do
        wine reg export "$root" "$workdir/keys.reg" /y >/dev/null 2>&1 </dev/null
        iconv -f UTF-16LE -t UTF-8 "$workdir/keys.reg" | grep -i velmora || true
    done
}
files >"$workdir/files-before"
keys >"$workdir/keys-before"

wine "$setup" /S >/dev/null 2>&1 </dev/null || fail "the silent install failed"
cmp -s "$installed/velmora.exe" "$program" || fail "velmora.exe is not installed in $installed"
[ -e "$installed/readme.txt" ] || fail "the read-me is not installed"
shortcut=$(find "$drive" -name '标准椭圆封头Velmora.lnk' | head -n1)
[ -n "$shortcut" ] || fail "no Start-menu entry named 标准椭圆封头Velmora"
echo "installed: ${installed#"$drive"/}, Start menu: ${shortcut#"$drive"/}"

wine 'C:\Program Files\Velmora\velmora.exe' >"$workdir/program.log" 2>&1 </dev/null &
program_pid=$!
pids+=("$program_pid")
wine "$driver" layout >"$workdir/driver.log" 2>&1 </dev/null ||
    fail "the installed program's window: $(cat "$workdir/driver.log")"
wine "$driver" close >/dev/null 2>&1 </dev/null || fail "the installed program's window did not close"
wait "$program_pid" || fail "the installed program ended with status $?"

uninstall
files >"$workdir/files-after"
keys >"$workdir/keys-after"
diff "$workdir/files-before" "$workdir/files-after" >&2 || fail "the uninstaller left files behind"
diff "$workdir/keys-before" "$workdir/keys-after" >&2 || fail "the uninstaller left registry keys behind"
echo "uninstalled: nothing left behind"
echo "package check under wine passed"
