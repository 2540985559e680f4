#!/usr/bin/env bash
# The release builds the same files twice: the source archive, unpacked in two folders of different
# paths and built there by scripts/release-build under another umask, time zone, locale and time,
# gives the same Debian package, zip and installer, byte for byte. A build path or the clock's time
# in any of them fails; diffoscope, where it is installed, shows where. The first build's packages
# are left in KEEP for the tests that read them.
# Usage: check_reproducible.sh SOURCE_DIR KEEP
set -euo pipefail
source=$1
keep=$2
# The same folders on every run, whichever checkout it runs in, so that a compiler cache
# (scripts/test's) finds its results: each side has a cache of its own, which the other never
# fills, and the compiler sees the paths as they are. One run at a time has them.
work=${ORINDEL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/orindel}/release-work
mkdir -p "$(dirname "$work")"
exec 9>"$work.lock"
flock 9
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
unset CCACHE_BASEDIR
cache=${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ccache}
# The tracked files as they are now, committed or not.
commit=$(git -C "$source" stash create)
archive=$("$source/scripts/source-archive" "$work" "${commit:-HEAD}")

# FOLDER: unpacks the archive there and builds the release into FOLDER/out.
build() {
  mkdir -p "$1"
  tar -xzf "$archive" -C "$1"
  local tree=("$1"/orindel-*)
  "${tree[0]}/scripts/release-build" "$1/out" >"$1/build.log" 2>&1 ||
    { cat "$1/build.log"; exit 1; }
}
# The second build in Japanese, made here: none need be installed.
mkdir "$work/locale"
localedef -i ja_JP -f UTF-8 "$work/locale/ja_JP.UTF-8"
(umask 022 && TZ=UTC LC_ALL=C.UTF-8 CCACHE_DIR=$cache-release-first build "$work/first")
(umask 077 && export LOCPATH=$work/locale &&
  TZ=Asia/Tokyo LC_ALL=ja_JP.UTF-8 CCACHE_DIR=$cache-release-second build "$work/a/longer/path/second")
first=$work/first/out second=$work/a/longer/path/second/out

status=0
for file in "$first"/*; do
  name=$(basename "$file")
  if cmp -s "$file" "$second/$name"; then
    echo "same: $name ($(stat -c %s "$file") bytes)"
    continue
  fi
  echo "DIFFERENT: $name"
  status=1
  if command -v diffoscope >/dev/null; then
    diffoscope --max-report-size 20000 "$file" "$second/$name" | head -n 100 || true
  fi
done
(($(find "$first" -type f | wc -l) == 3)) || { echo "expected three packages:"; ls "$first"; exit 1; }
# The programs as linked, before they are stripped for the packages: no trace of the folder they
# were built in.
for tree in "$work/first" "$work/a/longer/path/second"; do
  for program in "$tree"/orindel-*/build/release/app/orindel "$tree"/orindel-*/build/windows/app/orindel.exe; do
    if grep -qaF "$tree" "$program"; then
      echo "$program holds the folder it was built in"
      status=1
    fi
  done
done
rm -rf "$keep"
mkdir -p "$keep"
cp "$first"/* "$keep"
exit $status
