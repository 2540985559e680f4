#!/usr/bin/env bash
# The program's command line as a person meets it: help and version, a wrong option, the toolkit's
# own options, and no display to open the window on.
# Usage: check_command_line.sh ORINDEL_BINARY DISPLAY_VERSION
set -uo pipefail
binary=$1 version=$2
failures=0
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# Each row: expected exit code | first line of stdout | first line of stderr (a pattern: * stands
# for any text) | environment | args. "-" stands for nothing printed; 124 means still running after
# two seconds (the window is up).
while IFS='|' read -r code stdout stderr environment arguments; do
  [[ -z "$code" || "$code" == \#* ]] && continue
  read -ra args <<<"$arguments"
  read -ra envs <<<"$environment"
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${envs[@]}" \
    timeout 2 "$binary" "${args[@]}" >"$out" 2>"$err"
  rc=$?
  first_out=$(head -n1 "$out"); first_out=${first_out:--}
  first_err=$(grep -v '^QStandardPaths' "$err" | head -n1); first_err=${first_err:--}
  lines_err=$(grep -vc '^QStandardPaths' "$err")
  # shellcheck disable=SC2053  # the expected stderr is a pattern
  if [[ "$rc" != "$code" || "$first_out" != "$stdout" || "$first_err" != $stderr ]]; then
    echo "FAIL: orindel $arguments (${environment:-no display}): exit $rc, stdout '$first_out'," \
      "stderr '$first_err'; expected $code, '$stdout', '$stderr'"
    failures=$((failures + 1))
  elif [[ "$code" == 1 && "$lines_err" != 1 ]]; then
    echo "FAIL: orindel $arguments: $lines_err lines on stderr instead of one"; cat "$err"
    failures=$((failures + 1))
  else
    echo "ok: orindel $arguments (${environment:-no display}) → $rc"
  fi
done <<EOF_TABLE
0|Usage: orindel [OPTION]...|-||--help
0|Usage: orindel [OPTION]...|-||-h
0|Orindel $version|-||--version
0|Orindel $version|-||-v -platform offscreen
2|-|orindel: unrecognized option '--bogus'||--bogus
2|-|orindel: unrecognized option '-x'||-platform offscreen -x
2|-|orindel: unexpected argument 'file.txt'||file.txt
2|-|orindel: option '-style' needs a value||-style
124|-|-|QT_QPA_PLATFORM=offscreen|-style fusion
124|-|-||-platform offscreen
124|-|-||--platform offscreen -style=fusion -reverse
2|-|orindel: unrecognized option '-platform=offscreen'||-platform=offscreen
1|-|orindel: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)||
1|-|orindel: cannot open the window on display ":9876"|DISPLAY=:9876|
1|-|orindel: there is no window platform "bogus" (installed: *offscreen*xcb*)|DISPLAY=:9876 QT_QPA_PLATFORM=bogus|
1|-|orindel: cannot open the window on Wayland: no compositor at WAYLAND_DISPLAY "orindel-none"|DISPLAY=:9876 WAYLAND_DISPLAY=orindel-none XDG_RUNTIME_DIR=/tmp QT_QPA_PLATFORM=wayland|
EOF_TABLE
exit $((failures > 0))
