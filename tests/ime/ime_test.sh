#!/usr/bin/env bash
# Runs ime_tests with a Japanese input method switched on: its own Xvfb and D-Bus session, and ibus
# with Mozc set to start in hiragana input rather than direct input. Mozc refuses to run as root:
# the session runs as a user that is not root (tests/desktop/as_user.sh), with a home folder of its
# own for the settings.
# Usage: ime_test.sh IME_TESTS_BINARY
set -euo pipefail

if [[ ${1:-} == --session ]]; then
  # Inside the D-Bus session: Mozc's settings, ibus without its panel, Mozc as its engine, then
  # the tests. active_on_launch: Mozc starts in hiragana input, so digits typed are composed
  # full-width.
  mkdir -p "$HOME/.config/mozc"
  cat >"$HOME/.config/mozc/ibus_config.textproto" <<'END'
engines {
  name : "mozc-jp"
  longname : "Mozc"
  layout : "default"
  layout_variant : ""
  layout_option : ""
  rank : 80
}
active_on_launch: True
END
  ibus-daemon --panel=disable --replace >"$HOME/ibus.log" 2>&1 &
  daemon=$!
  for _ in $(seq 100); do
    [[ $(ibus engine 2>/dev/null) == mozc-jp ]] && break
    ibus engine mozc-jp 2>/dev/null || true
    sleep 0.1
  done
  if [[ $(ibus engine 2>/dev/null) != mozc-jp ]]; then
    echo "FAIL: ibus could not switch to Mozc"
    cat "$HOME/ibus.log"
    exit 1
  fi
  status=0
  "$2" || status=$?
  kill "$daemon"
  wait "$daemon" 2>/dev/null || true
  exit $status
fi

work=$(mktemp -d /tmp/orindel-ime.XXXXXX)
xvfb=
cleanup() {
  if [[ -n $xvfb ]]; then kill "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# An X server of the run's own, on the first free display.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
[[ -s $work/display ]] || { echo "FAIL: Xvfb did not start"; exit 1; }

"$(dirname "$0")/../desktop/as_user.sh" "$work" env DISPLAY=":$(cat "$work/display")" \
  XDG_CONFIG_HOME="$work/home/.config" QT_QPA_PLATFORM=xcb QT_IM_MODULE=ibus \
  dbus-run-session -- "$(realpath "$0")" --session "$(realpath "$1")"
