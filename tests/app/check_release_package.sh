#!/usr/bin/env bash
# The release's Debian package as a distribution would take it: lintian --pedantic has nothing to
# say, and its program carries Debian's hardening as hardening-check reads it: position
# independent, stack protector, fortified functions, read-only relocations bound at start-up.
# Control-flow protection is compiled in, but the program cannot be marked for it on Debian 12:
# the C library's start files linked into every program there carry no such mark.
# Usage: check_release_package.sh DEB
set -euo pipefail
deb=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tags=$(lintian --pedantic --display-info --tag-display-limit 0 "$deb" 2>&1 |
  grep -v 'running with root privileges' || true)
if [[ -n $tags ]]; then
  echo "lintian --pedantic: $tags"
  exit 1
fi
echo "lintian --pedantic: $(basename "$deb") clean"

dpkg-deb -x "$deb" "$work"
# Debian 13's hardening-check also asks for arm64's branch protection, which an amd64 program
# cannot have.
ignore=(--nocfprotection)
if [[ $(hardening-check --help 2>&1) == *--nobranchprotection* ]]; then
  ignore+=(--nobranchprotection)
fi
hardening-check "${ignore[@]}" "$work/usr/bin/orindel"
