#!/usr/bin/python3
"""Plays the scenario table, and the scenarios only one desktop can show, on a real desktop.

Usage:
  run.py x11 --program ORINDEL --work DIR --desktop-entry FILE   (inside dbus-run-session)
  run.py wayland --program ORINDEL --work DIR      (inside dbus-run-session, as a user not root)
  run.py wine --program ORINDEL.EXE --probe PROBE.EXE --work DIR [--only NAME ...] [--skip ...]
  run.py installer --probe PROBE.EXE --work DIR --locale NAME (--installer SETUP.EXE |
         --cpack CPACK --cpack-config FILE) [--picture FILE.png]
  run.py screenshots --program ORINDEL.EXE --probe PROBE.EXE --work DIR --out FOLDER
A failed scenario leaves a screenshot in DIR/failures.
"""
import argparse
import os
import signal
import sys

from harness import play_all
from scenarios import SCENARIOS


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("desktop", choices=["x11", "wayland", "wine", "installer", "screenshots"])
    for option in ("program", "probe", "desktop-entry", "installer", "cpack", "cpack-config",
                   "locale", "picture", "out"):
        parser.add_argument("--" + option)
    parser.add_argument("--work", required=True)
    parser.add_argument("--only", nargs="*", help="play only these scenarios")
    parser.add_argument("--skip", nargs="*", default=[], help="leave these scenarios out")
    args = parser.parse_args()
    args.work = os.path.abspath(args.work)
    os.makedirs(args.work, exist_ok=True)
    if args.desktop in ("wine", "installer", "screenshots"):
        import wine
        desktop = wine.Installer(args) if args.desktop == "installer" else wine.Wine(args)
        scenarios = {"wine": SCENARIOS + wine.SCENARIOS, "screenshots": [wine.PICTURES]}.get(
            args.desktop, getattr(desktop, "scenarios", None))
    else:
        import linux
        desktop = (linux.X11(args.program, args.work, args.desktop_entry) if args.desktop == "x11"
                   else linux.Wayland(args.program, args.work))
        scenarios = SCENARIOS + getattr(linux, args.desktop.upper() + "_SCENARIOS", [])
    scenarios = [s for s in scenarios
                 if (not args.only or s.name in args.only) and s.name not in args.skip]
    # Ended from outside (a test's time-out), it still stops what it started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("ended by SIGTERM"))
    try:
        desktop.start()
        passed = play_all(desktop, scenarios, os.path.join(args.work, "failures"))
    finally:
        desktop.stop()
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
