#!/usr/bin/env bash
# Start-up benchmark of the Windows program under Wine: the time from process start to the first
# painted window and the memory once shown, Orindel against baseline_controls_v6 (the same fifteen
# standard controls and kind of manifest), baseline_window (one static control) and
# baseline_window_v6 (the same with Orindel's kind of manifest), all built in the same run;
# interleaved runs, medians and ratios. Nothing here asserts.
# Usage: bench/win32/startup.sh [BUILD_DIR]   (RUNS=… to change the 15 runs)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build/windows}
if [[ -z ${ORINDEL_BENCH_SCREEN:-} ]]; then
  [[ -f $build/build.ninja ]] || cmake --preset windows -B "$build" >/dev/null
  cmake --build "$build" --target orindel baseline_controls_v6 baseline_window baseline_window_v6 \
    startup_bench
  # A screen of its own whose empty black (-br) tells an unpainted window from a painted one.
  export ORINDEL_BENCH_SCREEN=1
  exec xvfb-run -a -s "-screen 0 1024x768x24 -br -nolisten tcp" "$0" "$@"
fi

# The wine64 that the build found.
wine=$(sed -n 's/^WINE64:FILEPATH=//p' "$build/CMakeCache.txt")
[[ -x $wine ]] || { echo "startup.sh: $build found no wine64" >&2; exit 1; }
prefix=$PWD/$build/bench/win32/prefix
cmake/wine-prefix.sh "$wine" "$prefix" 96
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$(dirname "$wine")/wineserver" -k 2>/dev/null || true' EXIT
bench=$PWD/$build/bench/win32
"$wine" "$bench/startup_bench.exe" "${RUNS:-15}" "$PWD/$build/app/orindel.exe" \
  "$bench/baseline_controls_v6.exe" "$bench/baseline_window.exe" "$bench/baseline_window_v6.exe"
