#!/usr/bin/env bash
# Builds the Windows zip and installer with CPack and checks what they hold: the zip the program,
# README and licence in one folder; the installer a 64-bit Windows program (the WINE helper's
# suite installs it).
# Usage: check_windows_packages.sh CPACK CPACK_CONFIG OUTPUT_DIR PACKAGE_NAME
set -euo pipefail
cpack=$1
config=$2
out=$3
name=$4
rm -rf "$out"
mkdir -p "$out"
"$cpack" --config "$config" -G "ZIP;NSIS" -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; exit 1; }

zip=$out/$name.zip
installer=$out/$name.exe
for package in "$zip" "$installer"; do
  [[ -f $package ]] || { echo "missing $package"; ls "$out"; exit 1; }
done

python3 - "$zip" "$name" <<'PY'
import sys, zipfile
path, name = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(path) as archive:
    files = sorted(n for n in archive.namelist() if not n.endswith("/"))
    expected = sorted(f"{name}/{f}" for f in ("orindel.exe", "README.txt", "LICENSE.txt"))
    if files != expected:
        sys.exit(f"zip holds {files}, expected {expected}")
    if not archive.read(f"{name}/orindel.exe").startswith(b"MZ"):
        sys.exit("orindel.exe in the zip is not a Windows program")
PY

description=$(file -b "$installer")
[[ $description == *"PE32+"*"x86-64"* ]] ||
  { echo "installer is not a 64-bit Windows program: $description"; exit 1; }
grep -q NullsoftInst "$installer" || { echo "installer carries no NSIS data"; exit 1; }
echo "zip: $(stat -c %s "$zip") bytes; installer: $(stat -c %s "$installer") bytes"
