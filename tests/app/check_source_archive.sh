#!/usr/bin/env bash
# The source archive builds on its own: unpacked into an empty folder outside any git work tree,
# it configures and builds with the release preset, as scripts/release builds it.
# Usage: check_source_archive.sh SOURCE_DIR
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The tracked files as they are now, committed or not.
commit=$(git -C "$source" stash create)
archive=$("$source/scripts/source-archive" "$work" "${commit:-HEAD}")
mkdir "$work/unpacked"
tar -xzf "$archive" -C "$work/unpacked"
cd "$work"/unpacked/orindel-*
cmake --preset release -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset release
[[ -x build/release/app/orindel ]] || { echo "no program built from $archive"; exit 1; }
echo "source archive: $(basename "$archive") builds"
