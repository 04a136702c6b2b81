#!/usr/bin/env bash
# Checks that a Windows program imports nothing but Windows' own DLLs, so that the one file runs
# on any Windows without installing a runtime.
# Usage: check_imports.sh OBJDUMP PROGRAM
set -euo pipefail
system_dlls='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|COMDLG32|OLE32|msvcrt)\.dll$'
dlls=$("$1" -p "$2" | sed -n 's/^\s*DLL Name: //p')
[ -n "$dlls" ] || { echo "FAIL: no imports found in $2" >&2; exit 1; }
bad=$(grep -viE "$system_dlls" <<<"$dlls" || true)
if [ -n "$bad" ]; then
    echo "FAIL: $2 needs DLLs that are not part of Windows:" $bad >&2
    exit 1
fi
echo "$2 imports only" $dlls
