#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix, preparing the prefix first; the
# exit status is the program's. This is the cross build's emulator: ctest runs every test
# program through it.
# Usage: wine-run.sh [--end] WINE64 PREFIX PROGRAM [ARGUMENTS...]
# --end stops the prefix's Wine afterwards. A prefix's Wine keeps the display its first program
# ran on, so a program that opens windows on a display of its own (xvfb-run) runs in a prefix of
# its own with --end, and the next run starts Wine afresh.
set -euo pipefail
end=false
if [[ ${1:-} == --end ]]; then
  end=true
  shift
fi
wine=$1
prefix=$2
shift 2
"$(dirname "$0")/wine-prefix.sh" "$wine" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all}
if ! $end; then
  exec "$wine" "$@"
fi
status=0
"$wine" "$@" || status=$?
"$(dirname "$wine")/wineserver" -k 2>/dev/null || true
exit $status
