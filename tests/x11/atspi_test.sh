#!/usr/bin/env bash
# A screen reader's view of a calculation: starts the accessibility bus and the real program under
# the current X display, types an entry with real keys and reads the total through AT-SPI.
# Usage: atspi_test.sh ORINDEL_BINARY (run it under xvfb-run)
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)

if [[ -z "${DBUS_SESSION_BUS_ADDRESS:-}" || -z "${ORINDEL_IN_SESSION:-}" ]]; then
  ORINDEL_IN_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
sleep 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$binary" &
program=$!
trap 'kill $program $bus 2>/dev/null || true' EXIT

window=$(xdotool search --sync --name "$ORINDEL_CAPTION")
sleep 0.5
xdotool windowfocus --sync "$window"
xdotool type --delay 30 1; xdotool key Tab; xdotool type --delay 30 2; xdotool key Tab
xdotool type --delay 30 3; xdotool key KP_Add
/usr/bin/python3 "$here/read_total.py" " 1: 2: 3"
