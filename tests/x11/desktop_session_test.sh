#!/usr/bin/env bash
# The real program in a desktop session: Xvfb with a window manager (openbox) and real keys. The
# window's class matches its desktop entry, Enter presses the focused ＋, and the message box that
# follows offers neither minimising nor maximising, is wide enough for its title and closes with
# Enter, Space or Esc; Esc in a box ends the program with exit code 0.
# Usage: desktop_session_test.sh ORINDEL_BINARY DESKTOP_FILE SCREENSHOT_DIR (under xvfb-run)
set -euo pipefail
binary=$1 desktop=$2 shots=$3

openbox >/dev/null 2>&1 &
wm=$!
# The window manager first, so that it manages the program's window from its start.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
"$binary" 2>"$shots/desktop_session_stderr.txt" &
program=$!
trap 'kill $program $wm 2>/dev/null || true' EXIT

fail() {
  echo "FAIL: $*"
  import -window root "$shots/desktop_session_failure.png" 2>/dev/null &&
    echo "screenshot: $shots/desktop_session_failure.png"
  exit 1
}

# Waits up to twenty seconds for a visible window titled exactly $1; prints its id.
wait_for_window() {
  for _ in $(seq 200); do
    if id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) && [[ -n "$id" ]]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

window=$(wait_for_window "^${ORINDEL_CAPTION//./\\.}\$") || fail "no window"
class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[[ -n "$class" && "$class" == "$startup_class" ]] ||
  fail "window class '$class' does not match StartupWMClass '$startup_class'"
echo "ok: window class $class matches the desktop entry"

for closer in Return space Escape; do
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  # From Text1, Tab three times to ＋ and press it with Enter: the empty entry is refused.
  xdotool key --delay 50 Tab Tab Tab Return
  box=$(wait_for_window '^Orindel$') || fail "Enter on the focused ＋ showed no message ($closer)"
  hints=($(xprop -id "$box" _MOTIF_WM_HINTS | sed -n 's/.*= //p' | tr -d ','))
  functions=$((hints[1]))
  ((hints[0] & 1)) && ((functions & 0x18)) && fail "the message box may be minimised or maximised"
  width=$(xdotool getwindowgeometry "$box" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
  ((width >= 200)) || fail "the message box is $width pixels wide, too narrow for its title"
  xdotool key "$closer"
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Orindel$' >/dev/null 2>&1 || break
    sleep 0.1
  done
  xdotool search --onlyvisible --name '^Orindel$' >/dev/null 2>&1 && fail "$closer left the box open"
  echo "ok: Enter pressed ＋; the box ($width px, no minimise or maximise) closed with $closer"
done

xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
xdotool key 1 Escape
for _ in $(seq 50); do kill -0 $program 2>/dev/null || break; sleep 0.1; done
kill -0 $program 2>/dev/null && fail "Esc did not end the program"
wait $program && code=0 || code=$?
[[ $code == 0 ]] || fail "the program ended with exit code $code"
echo "ok: Esc ended the program with exit code 0"
