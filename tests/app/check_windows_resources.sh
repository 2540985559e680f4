#!/usr/bin/env bash
# Compiles the Windows resource script with MinGW's windres and checks the version record in it.
# Usage: check_windows_resources.sh RC_FILE DISPLAY_VERSION
set -euo pipefail
rc=$1
version=$2
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# The host preprocessor stands in for the MinGW compiler, which is not needed otherwise.
x86_64-w64-mingw32-windres --preprocessor=cpp --input-format=rc --output-format=res -i "$rc" -o "$out"
# Strings of a version record are UTF-16LE.
utf16() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 | tr -d ' \n'; }
hex=$(od -An -tx1 "$out" | tr -d ' \n')
for text in ProductName Orindel "$version" 041104b0 時間の合計; do
  [[ "$hex" == *"$(utf16 "$text")"* ]] || { echo "resource lacks \"$text\""; exit 1; }
done
# Two icon images of 16 and 32 pixels, 8 bits each (the group entry: width, height, colours...).
icons=$(od -An -tx1 "$out" | tr -d '\n' | grep -o '10 10 00 00 01 00 08 00\|20 20 00 00 01 00 08 00' | wc -l)
[[ "$icons" -eq 2 ]] || { echo "expected a 16 and a 32 pixel 256-colour icon, found $icons"; exit 1; }
echo "windows resources: compiled, version record and icons present"
