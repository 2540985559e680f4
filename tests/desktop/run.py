#!/usr/bin/python3
"""Plays the scenario table, and the scenarios only one desktop can show, on a real desktop.

Every setting is an argument: ctest passes the build's (`ctest --preset dev -N -V -R x11_real_keys`
prints the command), and the same runs by hand, for instance from the dev build:

  dbus-run-session -- python3 tests/desktop/run.py x11 --program build/dev/app/orindel \\
    --layout build/dev/tests/desktop/orindel_layout --work /tmp/x11 \\
    --desktop-entry build/dev/app/org.orindel.orindel.desktop \\
    --at-spi-bus-launcher /usr/libexec/at-spi-bus-launcher --only keypad_plus_adds_the_entry

The Linux desktops need a python3 with pyatspi (the build's PYTHON3), inside dbus-run-session;
the Wayland ones (sway, GNOME) also as a user that is not root (as_user.sh). The Windows ones take
the build's wine64 and probe.exe, and read the layout from the probe. A failed scenario leaves a
screenshot in WORK/failures. `run.py DESKTOP --help` lists a desktop's arguments. On X11 and
Wayland, --input-method plays the scenarios of input_methods.py with a Japanese input method running.
"""
import argparse
import json
import os
import signal
import subprocess
import sys

from harness import Layout, play_all, stretch_deadlines
from input_methods import FRAMEWORKS, InputMethod, SCENARIOS as INPUT_METHOD_SCENARIOS
from scenarios import SCENARIOS

# Each desktop's own arguments, besides --work and the choice of scenarios.
DESKTOPS = {
    "x11": ("Xvfb with openbox", ["program", "layout", "desktop-entry", "at-spi-bus-launcher"]),
    "kde": ("Xvfb with KWin and Breeze", ["program", "layout", "desktop-entry",
                                          "at-spi-bus-launcher"]),
    "wayland": ("headless sway", ["program", "layout"]),
    "gnome": ("headless mutter, GNOME's compositor, on Wayland", ["program", "layout"]),
    "wine": ("the Windows program under Wine", ["wine64", "program", "probe"]),
    "installer": ("the Windows installer under Wine: installs, runs and uninstalls",
                  ["wine64", "probe", "locale"]),
    "screenshots": ("the README's pictures of the Windows program", ["wine64", "program", "probe",
                                                                    "out"]),
}
HELP = {
    "program": "the program: orindel, or orindel.exe",
    "layout": "orindel_layout, which prints the window's layout, or a file of what it prints",
    "desktop-entry": "the build's desktop entry (its StartupWMClass)",
    "at-spi-bus-launcher": "at-spi-bus-launcher, which starts the accessibility bus",
    "wine64": "the wine64 the build found",
    "probe": "probe.exe, which reads the window under Wine",
    "locale": "the Unix locale Wine starts in: ja_JP.UTF-8 or en_US.UTF-8",
    "out": "the folder the pictures go to",
}


def arguments():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0],
                                     epilog=__doc__.split("\n\n", 1)[1],
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    desktops = parser.add_subparsers(dest="desktop", required=True)
    for name, (what, required) in DESKTOPS.items():
        desktop = desktops.add_parser(name, help=what, description=what)
        for option in required:
            desktop.add_argument("--" + option, required=True, help=HELP[option])
        desktop.add_argument("--work", required=True, help="a folder for the run's own files")
        desktop.add_argument("--deadline-scale", type=float,
                             default=float(os.environ.get("ORINDEL_DEADLINE_SCALE") or "1"),
                             help="stretches every wait, for a slow or busy machine (default: "
                             "$ORINDEL_DEADLINE_SCALE, else 1)")
        if name == "installer":
            made = desktop.add_mutually_exclusive_group(required=True)
            made.add_argument("--installer", help="the installer to test")
            made.add_argument("--cpack", help="cpack, to pack the build's installer (with "
                              "--cpack-config)")
            desktop.add_argument("--cpack-config", help="the build's CPackConfig.cmake")
            desktop.add_argument("--picture", help="saves the first page here, as a PNG")
        else:
            desktop.add_argument("--only", nargs="*", help="play only these scenarios")
            desktop.add_argument("--skip", nargs="*", default=[], help="leave these out")
        if name in ("x11", "wayland"):
            desktop.add_argument("--input-method", choices=FRAMEWORKS,
                                 help="runs this framework, as a user that is not root")
            desktop.add_argument("--plain-box", help="plain_box, which shows it composing")
    args = parser.parse_args()
    args.work = os.path.abspath(args.work)
    return args


def desktop_and_scenarios(args):
    if args.desktop in ("x11", "kde", "wayland", "gnome"):
        import linux
        if os.access(args.layout, os.X_OK):
            printed = subprocess.run([args.layout], capture_output=True, check=True).stdout
        else:
            with open(args.layout, "rb") as saved:
                printed = saved.read()
        layout = Layout(json.loads(printed))
        if args.desktop in linux.WINDOW_MANAGERS:
            desktop = linux.X11(args.program, args.work, layout, args.desktop_entry,
                                args.at_spi_bus_launcher, linux.WINDOW_MANAGERS[args.desktop])
        elif args.desktop == "gnome":
            import gnome
            return gnome.Gnome(args.program, args.work, layout), SCENARIOS
        else:
            desktop = linux.Wayland(args.program, args.work, layout)
        x11 = args.desktop in linux.WINDOW_MANAGERS
        if getattr(args, "input_method", None):
            # On X11 a Japanese keyboard, which has the switch key.
            keyboard = linux.keyboard_layout("jp") if x11 else None
            return (InputMethod(desktop, args.input_method, args.plain_box, keyboard),
                    INPUT_METHOD_SCENARIOS)
        return desktop, SCENARIOS + (linux.X11_SCENARIOS if x11 else [])
    if args.desktop == "installer":
        import installer
        desktop = installer.Installer(args)
        return desktop, desktop.scenarios
    import wine
    import wine_scenarios
    if args.desktop == "screenshots":
        return wine.Wine(args), [wine_scenarios.PICTURES]
    return wine.Wine(args), SCENARIOS + wine_scenarios.SCENARIOS


def main():
    args = arguments()
    os.makedirs(args.work, exist_ok=True)
    stretch_deadlines(args.deadline_scale)
    desktop, scenarios = desktop_and_scenarios(args)
    only, skip = getattr(args, "only", None), getattr(args, "skip", [])
    scenarios = [s for s in scenarios if (not only or s.name in only) and s.name not in skip]
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
