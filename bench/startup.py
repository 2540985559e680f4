#!/usr/bin/python3
"""Start-up benchmark: time from process start to the first painted window, and resident memory
once shown, for Orindel against a minimal Qt Widgets window built in the same run.

Run under an X server (scripts/bench-startup starts Xvfb). Prints medians and the two ratios.
Usage: startup.py ORINDEL BASELINE [RUNS]
"""
import os
import statistics
import subprocess
import sys
import time

from Xlib import X, display


def painted(d, window) -> bool:
    """True once the window's pixels are no longer the black of the empty screen."""
    try:
        geometry = window.get_geometry()
        w, h = geometry.width, geometry.height
        image = window.get_image(w // 2, h // 2, 1, 1, X.ZPixmap, 0xFFFFFFFF)
        return any(image.data)
    except Exception:  # the window may not be viewable yet
        return False


def one_run(d, command):
    root = d.screen().root
    before = {w.id for w in root.query_tree().children}
    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    start = time.monotonic()
    process = subprocess.Popen([command], env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        deadline = start + 20
        while time.monotonic() < deadline:
            new = [w for w in root.query_tree().children if w.id not in before]
            viewable = [w for w in new if w.get_attributes().map_state == X.IsViewable]
            if viewable and painted(d, viewable[0]):
                elapsed = time.monotonic() - start
                break
            time.sleep(0.001)
        else:
            raise RuntimeError(f"{command}: no painted window in 20 s")
        time.sleep(0.3)  # let it settle before reading its memory
        with open(f"/proc/{process.pid}/status") as status:
            rss_kib = next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))
        return elapsed, rss_kib
    finally:
        process.terminate()
        process.wait()


def main() -> int:
    orindel, baseline = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    d = display.Display()
    results = {orindel: [], baseline: []}
    one_run(d, baseline)  # warm the caches once for both
    one_run(d, orindel)
    for _ in range(runs):
        for command in (baseline, orindel):  # interleaved, so that both see the same machine
            results[command].append(one_run(d, command))
    medians = {}
    for command, samples in results.items():
        ms = statistics.median(s[0] for s in samples) * 1000
        rss = statistics.median(s[1] for s in samples) / 1024
        medians[command] = (ms, rss)
        print(f"{os.path.basename(command):16} start-up {ms:7.1f} ms   RSS {rss:6.1f} MiB   "
              f"({runs} runs, medians)")
    time_ratio = medians[orindel][0] / medians[baseline][0]
    rss_ratio = medians[orindel][1] / medians[baseline][1]
    print(f"ratio start-up {time_ratio:.3f} (goal <= 1.15)   RSS {rss_ratio:.3f} (goal <= 1.10)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
