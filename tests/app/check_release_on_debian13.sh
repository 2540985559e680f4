#!/usr/bin/env bash
# The release's Debian package, which Debian 12 builds, on Debian 13: installed with apt into a
# fresh copy of a Debian 13 tree without Qt (scripts/debian13 play), apt bringing what it depends
# on from Debian 13's archive, then the X11 scenario table played against the installed program;
# and Debian 13's lintian and hardening-check, in the tree that has them, find nothing to say. A
# tree that cannot be made fails the test, with the reason.
# Usage: check_release_on_debian13.sh DEB ORINDEL_LAYOUT APP_ID WORK
set -euo pipefail
deb=$1 layout=$2 id=$3 work=$4
source=$(cd "$(dirname "$0")/../.." && pwd)
debian13=$source/scripts/debian13
rm -rf "$work"
mkdir -p "$work"

tree=$("$debian13" play "$deb" "$work/tree")
# The harness, and the window's layout as this build states it.
mkdir -p "$tree/opt/harness"
cp "$source"/tests/desktop/*.py "$tree/opt/harness/"
"$layout" >"$tree/opt/harness/layout.json"
status=0
"$debian13" run "$tree" dbus-run-session -- python3 /opt/harness/run.py x11 \
  --program /usr/bin/orindel --layout /opt/harness/layout.json --work /opt/work \
  --desktop-entry "/usr/share/applications/$id.desktop" \
  --at-spi-bus-launcher /usr/libexec/at-spi-bus-launcher || status=$?
if ((status == 0)); then
  rm -rf "$tree"
else
  echo "the tree is kept: $tree (screenshots in $tree/opt/work/failures)"
fi
exit $status
