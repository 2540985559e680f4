#!/usr/bin/env bash
# Runs a command as a user that is not root (sway and Mozc refuse root), with a home and a private
# runtime folder in WORK and an environment built from nothing, so that no display or bus of the
# caller's leaks in; then ends whatever the command left running.
# Usage: as_user.sh WORK COMMAND [ARG...]
# Under root the user is ORINDEL_TEST_USER, or the one who ran sudo, or orindel-test; that one is
# made, and the run says so, only when none of them exists. Others run the command as themselves.
# An argument naming a file the user cannot read is replaced by a copy in WORK (a Python script
# with the modules beside it). ORINDEL_* variables and the sanitizers' options pass through.
set -euo pipefail
work=$(realpath "$1")
shift

user=$(id -un)
as_user=()
if [[ $(id -u) -eq 0 ]]; then
  user=${ORINDEL_TEST_USER:-${SUDO_USER:-}}
  if [[ -z $user || $user == root ]] || ! id "$user" >/dev/null 2>&1; then
    user=orindel-test
    if ! id "$user" >/dev/null 2>&1; then
      echo "as_user.sh: no user to run the test as: making the system user $user"
      # Another run may be making it at this moment: only its absence afterwards fails.
      useradd --system --user-group --no-create-home --home-dir /nonexistent \
        --shell /usr/sbin/nologin "$user" 2>/dev/null || id "$user" >/dev/null
    fi
  fi
  as_user=(setpriv --reuid "$(id -u "$user")" --regid "$(id -g "$user")" --init-groups)
fi

mkdir -p "$work"
rm -rf "${work:?}/runtime" "${work:?}/home" "${work:?}/copies"
mkdir -m 0700 "$work/runtime" "$work/home"
mkdir "$work/copies"
chown -R "$user:" "$work"
readable() { "${as_user[@]}" test -r "$1"; }

# A copy of what the user cannot read, in WORK.
copy() {
  local copy
  copy=$work/copies/$(basename "$1")
  [[ $1 == *.py ]] && cp "$(dirname "$1")"/*.py "$work/copies/"
  cp -p "$1" "$copy"
  chown -R "$user:" "$work/copies"
  echo "$copy"
}
command=()
for argument in "$@"; do
  if [[ $argument == /* && -f $argument ]] && ! readable "$argument"; then
    argument=$(copy "$argument")
  fi
  command+=("$argument")
done
suppressions=$(sed -n 's/.*suppressions=\([^:]*\).*/\1/p' <<<"${LSAN_OPTIONS:-}")
if [[ -n $suppressions ]] && ! readable "$suppressions"; then
  LSAN_OPTIONS=${LSAN_OPTIONS/$suppressions/$(copy "$suppressions")}
fi

environment=(env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$work/home"
  XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8)
for name in $(compgen -v | grep -E '^(ORINDEL_|ASAN_OPTIONS$|UBSAN_OPTIONS$|LSAN_OPTIONS$)'); do
  environment+=("$name=${!name}")
done

# Whatever runs with this runtime folder is the command's, in its session or out of it. Both
# functions run from the EXIT trap.
# shellcheck disable=SC2317
leftovers() {
  grep -lsz "^XDG_RUNTIME_DIR=$work/runtime\$" /proc/[0-9]*/environ | cut -d/ -f3 || true
}
# shellcheck disable=SC2317
end_leftovers() {
  local pids names
  mapfile -t pids < <(leftovers)
  ((${#pids[@]} > 0)) || return 0
  names=$(IFS=, && ps -o comm= -p "${pids[*]}" | tr '\n' ' ')
  echo "as_user.sh: ending what the command left running: $names"
  kill "${pids[@]}" 2>/dev/null || true
  for _ in $(seq 50); do [[ -z $(leftovers) ]] && return; sleep 0.1; done
  mapfile -t pids < <(leftovers)
  ((${#pids[@]} == 0)) || kill -KILL "${pids[@]}" 2>/dev/null || true
}
trap end_leftovers EXIT

status=0
"${as_user[@]}" "${environment[@]}" "${command[@]}" || status=$?
exit $status
