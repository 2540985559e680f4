#!/usr/bin/env bash
# Runs wayland_keys.py, Orindel on a headless sway, in a D-Bus session of its own. sway refuses to
# run as root, so under root the session runs as an unprivileged user, made here if missing, with
# a private runtime folder. Screenshots of a failed step are kept in SCREENSHOT_FOLDER.
# Usage: wayland_test.sh ORINDEL_BINARY SCREENSHOT_FOLDER
set -euo pipefail
binary=$(realpath "$1")
screenshots=$2
here=$(cd "$(dirname "$0")" && pwd)
shared=$(cd "$here/../x11" && pwd) # read_total.py, shared with the X11 accessibility test

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

rm -f "$screenshots"/*.png # a passing run leaves none from an earlier failure behind
work=$(mktemp -d /tmp/orindel-wayland.XXXXXX)
cleanup() {
  if compgen -G "$work/*.png" >/dev/null; then
    mkdir -p "$screenshots"
    cp "$work"/*.png "$screenshots"/
    echo "screenshots kept in $screenshots"
  fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 0700 "$work/runtime" "$work/home"
chown -R "$user:" "$work"

# The session's environment is built from nothing, so that no display or bus of the caller's leaks
# in; the sanitizers' options pass through for the sanitizer build.
session_env=(env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$work/home"
  XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8 ORINDEL_CAPTION="$ORINDEL_CAPTION")
# The leak checker of the sanitizer build gets the Wayland plugin's suppressions on top of the ones
# it was given (a later suppressions= wins).
given=$(sed -n 's/.*suppressions=\([^:]*\).*/\1/p' <<<"${LSAN_OPTIONS:-}")
cat "$here/lsan.supp" ${given:+"$given"} >"$work/lsan.supp"
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$work/lsan.supp"
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  if [[ -n "${!name:-}" ]]; then session_env+=("$name=${!name}"); fi
done
run_as_user() { "${as_user[@]}" "${session_env[@]}" "$@"; }

# The build and source trees belong to whoever built them: where the user cannot read them, it
# runs copies from the work folder.
if ! run_as_user test -r "$binary" -a -x "$binary"; then
  echo "$user cannot run $binary; running a copy"
  cp "$binary" "$work/orindel"
  binary=$work/orindel
fi
if ! run_as_user test -r "$here/wayland_keys.py" -a -r "$shared/read_total.py"; then
  echo "$user cannot read $here; running copies"
  mkdir "$work/scripts"
  cp "$here/wayland_keys.py" "$shared/read_total.py" "$work/scripts/"
  here=$work/scripts
  shared=$work/scripts
fi
chown -R "$user:" "$work"

run_as_user dbus-run-session -- /usr/bin/python3 "$here/wayland_keys.py" "$binary" "$work" "$shared"
