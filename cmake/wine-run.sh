#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix, preparing the prefix first; the
# exit status is the program's. This is the cross build's emulator: ctest runs every test
# program through it.
# Usage: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
set -euo pipefail
prefix=$1
shift
"$(dirname "$0")/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all}
exec "${WINE64:-/usr/lib/wine/wine64}" "$@"
