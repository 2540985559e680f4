#!/usr/bin/env bash
# Checks that the Windows program is one self-contained 64-bit GUI executable: it imports only
# DLLs that come with Windows (no libstdc++, libgcc or winpthread beside it). Prints its size.
# Usage: check_windows_imports.sh OBJDUMP EXE
set -euo pipefail
objdump=$1
exe=$2
headers=$("$objdump" -p "$exe")
grep -q '^Magic.*020b' <<<"$headers" || { echo "$exe is not a PE32+ (64-bit) program"; exit 1; }
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "$exe is not a GUI program"; exit 1; }

system='^(kernel32|user32|gdi32|comctl32|imm32|shell32|ole32|oleaut32|advapi32|uxtheme|msvcrt|shlwapi|comdlg32|version|oleacc)\.dll$'
status=0
imports=()
while read -r dll; do
  imports+=("$dll")
  if ! grep -qiE "$system" <<<"$dll"; then
    echo "imports $dll, which does not come with Windows"
    status=1
  fi
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
((${#imports[@]} > 0)) || { echo "no imports found in $exe"; exit 1; }
echo "$(basename "$exe"): $(stat -c %s "$exe") bytes; imports ${imports[*]}"
exit $status
