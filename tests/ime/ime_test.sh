#!/usr/bin/env bash
# Runs ime_tests with a Japanese input method switched on: its own Xvfb and D-Bus session, and ibus
# with Mozc set to start in hiragana input rather than direct input. Mozc refuses to run as root,
# so under root the session runs as an unprivileged user, made here if missing, with a home folder
# of its own for the settings.
# Usage: ime_test.sh IME_TESTS_BINARY
set -euo pipefail

if [[ ${1:-} == --session ]]; then
  # Inside the D-Bus session: ibus without its panel, Mozc as its engine, then the tests.
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

binary=$(realpath "$1")
script=$(realpath "$0")
as_user=()
if [[ $(id -u) -eq 0 ]]; then
  user=orindel-test
  if ! id "$user" >/dev/null 2>&1; then
    # Another run may be making the same user at this moment: only its absence afterwards fails.
    useradd --system --user-group --no-create-home --home-dir /nonexistent \
      --shell /usr/sbin/nologin "$user" 2>/dev/null || id "$user" >/dev/null
  fi
  as_user=(setpriv --reuid "$(id -u "$user")" --regid "$(id -g "$user")" --init-groups)
else
  user=$(id -un)
fi

work=$(mktemp -d /tmp/orindel-ime.XXXXXX)
xvfb=
cleanup() {
  if [[ -n $xvfb ]]; then kill "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 0700 "$work/runtime" "$work/home"
mkdir -p "$work/home/.config/mozc"
# active_on_launch: Mozc starts in hiragana input, so digits typed are composed full-width.
cat >"$work/home/.config/mozc/ibus_config.textproto" <<'END'
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
cp "$binary" "$script" "$work/"
chown -R "$user:" "$work"

# An X server of the run's own, open to the session's user on this machine only.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
[[ -s $work/display ]] || { echo "FAIL: Xvfb did not start"; exit 1; }

session_env=(env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$work/home"
  XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
  DISPLAY=":$(cat "$work/display")" LANG=C.UTF-8 LC_ALL=C.UTF-8
  QT_QPA_PLATFORM=xcb QT_IM_MODULE=ibus)
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  if [[ -n "${!name:-}" ]]; then session_env+=("$name=${!name}"); fi
done
# A session of its own, so that what it leaves running (Mozc's server outlives its engine) can be
# told apart and ended.
setsid "${as_user[@]}" "${session_env[@]}" dbus-run-session -- \
  "$work/$(basename "$script")" --session "$work/$(basename "$binary")" &
session=$!
status=0
wait "$session" || status=$?
leftover=$(ps -o pid= -s "$session" || true)
if [[ -n $leftover ]]; then kill $leftover 2>/dev/null || true; fi
exit $status
