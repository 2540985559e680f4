"""The Windows desktop: Orindel's Windows program under Wine on an Xvfb screen of its own. xdotool
types through XTEST, so Wine sees real Windows key messages, and the probe, a console program in
the same prefix, reads the window back over WM_GETTEXT and answers the window's layout. The prefix
is made once and re-used by later runs. The scenarios only Windows shows are in wine_scenarios.py.
"""
import json
import os
import select
import subprocess
import time

from harness import Layout, Desktop, Screen, State, check, deadline, ended, poll, stop

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PREFIX_SCRIPT = os.path.join(SOURCE, "cmake", "wine-prefix.sh")
# The window class Windows makes each kind of control of the layout with.
WINDOW_CLASSES = {"EntryBox": "Edit", "Button": "Button", "Label": "Static", "Frame": "Button",
                  "Option": "Button"}


class Prefix:
    """One Wine prefix and the environment of every program run in it."""

    def __init__(self, wine64, path, display, locale="C.UTF-8", locale_path=None):
        self.path, self.wine64 = path, wine64
        # wineserver lies beside wine64.
        self.wineserver = os.path.join(os.path.dirname(wine64), "wineserver")
        # Wine's programs take their language from the Unix locale (LOCPATH: one made here).
        self.env = dict(os.environ, WINEPREFIX=path, WINEDEBUG="-all", DISPLAY=display,
                        LC_ALL=locale,
                        # No Mono or Gecko installer dialogs.
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        if locale_path:
            self.env["LOCPATH"] = locale_path

    def prepare(self, dpi=96):
        """Boots the prefix once, with the project's fonts, then sets the screen's DPI."""
        self.kill()
        subprocess.run([PREFIX_SCRIPT, self.wine64, self.path, str(dpi)], env=self.env, check=True,
                       stdout=subprocess.DEVNULL)
        stamp = os.path.join(self.path, ".orindel-harness")
        if not os.path.exists(stamp):
            # Wine draws the windows' frames and captions itself (there is no window manager on
            # the test screen), and a crash ends the program instead of opening a debugger.
            self.reg("add", r"HKCU\Software\Wine\X11 Driver", "/v", "Decorated", "/d", "N", "/f")
            self.reg("add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                     "/t", "REG_DWORD", "/d", "0", "/f")
            subprocess.run([self.wineserver, "-w"], env=self.env)
            open(stamp, "w").close()
        self.dpi = dpi

    def reg(self, *arguments):
        return subprocess.run([self.wine64, "reg", *arguments], env=self.env, capture_output=True,
                              text=True, encoding="utf-8", errors="replace")

    def popen(self, arguments, **options):
        return subprocess.Popen([self.wine64, *arguments], env=self.env, **options)

    def run(self, arguments, timeout=120):
        return subprocess.run([self.wine64, *arguments], env=self.env, capture_output=True,
                              timeout=timeout)

    def wait(self):
        """Waits until every program in the prefix has ended."""
        subprocess.run([self.wineserver, "-w"], env=self.env, timeout=120)

    def kill(self):
        subprocess.run([self.wineserver, "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run([self.wineserver, "-w"], env=self.env, stderr=subprocess.DEVNULL)

    def unix_path(self, windows_path):
        """The Unix path of a C: drive path of the prefix."""
        drive, _, rest = windows_path.partition(":")
        check(drive.upper() == "C", f"not on drive C: {windows_path}")
        return os.path.join(self.path, "drive_c", *[p for p in rest.split("\\") if p])


class Probe:
    """The probe: one command per line, one JSON line back."""

    def __init__(self, prefix, probe_exe):
        self.process = prefix.popen([probe_exe], stdin=subprocess.PIPE,
                                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

    def ask(self, command, timeout=None):
        timeout = timeout or deadline()
        self.process.stdin.write(command.encode("utf-8") + b"\n")
        self.process.stdin.flush()
        # One line answers each command: nothing waits in the file's buffer between two.
        check(select.select([self.process.stdout], [], [], timeout)[0],
              f"the probe did not answer {command!r} in {timeout:.0f} s")
        line = self.process.stdout.readline()
        check(line, f"the probe ended while answering {command!r}")
        return json.loads(line.decode("utf-8"))

    def close(self):
        if self.process.poll() is None:
            try:
                self.process.stdin.write(b"quit\n")
                self.process.stdin.close()
                self.process.wait(timeout=10)
            except (OSError, subprocess.TimeoutExpired):
                self.process.kill()


def problems(raw, layout):
    """What the window breaks of its layout: the caption, the fixed border, each control's kind,
    its place in z-order and its rectangle at the window's DPI; the message box's owner, icon and
    buttons. Also whether the window, or its message box, is the active one that takes the keys."""
    found = []
    if raw["caption"] != layout.caption:
        found.append(f"caption {raw['caption']!r}")
    if raw["sizable"] or raw["maximize"]:
        found.append("the border is not fixed single")
    for c in raw["controls"]:
        kind = WINDOW_CLASSES[c["kind"]]
        if not c["exists"] or c["class"].lower() != kind.lower():
            found.append(f"{c['name']} is no {kind}: {c.get('class')}")
            continue
        got, want = list(c["rect"]), c["place"]
        # A label sized by its caption may be wider than its place, so that the caption shows whole.
        if c["sizing"] == "Caption" and got[2] > want[2]:
            got[2] = want[2]
        # A fitted label may take a second line where the layout leaves it room.
        if "placeWrapped" in c and close(got, c["placeWrapped"]):
            got = want
        if not close(got, want):
            found.append(f"{c['name']} at {c['rect']}, its place {want} (dpi {raw['dpi']})")
    # A screen reader names each entry box after the unit caption just before it in z-order.
    for box in (c for c in raw["controls"] if c["kind"] == "EntryBox"):
        if box["previous"] != layout.unit_label(box["name"]):
            found.append(f"{box['name']} follows {box['previous']} in z-order")
    if not raw["active"]:
        found.append("not the active window: keys would go elsewhere")
    box = raw["box"]
    if box and not box["owned"]:
        found.append("the message box is not owned by the window")
    if box and box["icon"]:
        found.append("the message box shows an icon")
    if box and [b["id"] for b in box["buttons"]] != [1]:
        found.append(f"the message box's buttons: {box['buttons']}")
    return tuple(found)


def close(rect, place):
    """Whether a rectangle lies in its place, give or take the pixel that rounding may move."""
    return all(abs(a - b) <= 1 for a, b in zip(rect, place))


def record(raw, layout):
    """The probe's reading as the state record every desktop returns."""
    if not raw.get("found") or not raw.get("visible"):
        return State(problems=("no window",))
    if raw.get("busy"):
        return State(problems=("the window is busy",))
    controls = {c["name"]: c for c in raw["controls"]}
    focus = next((c["name"] for c in raw["controls"] if c["id"] == raw["focus"]), None)
    box = raw["box"] and layout.message(raw["box"]["title"],
                                        raw["box"]["text"].replace("\r\n", "\n"))
    return State(boxes=tuple(controls[name]["text"] for name in layout.named("EntryBox")),
                 total=controls["Label4"]["text"], count=controls["Label5"]["text"],
                 panel=controls["Label5"]["visible"], focus=focus, message=box or None,
                 size=layout.width(raw["client"][2:], raw["layoutClient"]),
                 problems=problems(raw, layout))


class Wine(Desktop):
    """The desktop: a screen, a prefix, the probe and the program; a screen or a prefix given is
    used as it is."""

    def __init__(self, args, screen=None, prefix=None, exe=None):
        super().__init__()
        self.screen, self.prefix, self.args, self.work = screen, prefix, args, args.work
        # The installer's desktop has no program of its own: it passes the installed one.
        self.exe = exe or getattr(args, "program", None)
        self.probe_exe, self.probe = args.probe, None
        self.layout = None

    def start(self):
        if self.screen is None:
            self.screen = Screen()
            self.helpers.append(self.screen.process)
        if self.prefix is None:
            self.prefix = Prefix(self.args.wine64, os.path.join(self.work, "prefix"),
                                 self.screen.display)
            started = time.monotonic()
            self.prefix.prepare()
            print(f"prefix ready in {time.monotonic() - started:.1f} s: {self.prefix.path}")
        self.probe = Probe(self.prefix, self.probe_exe)
        self.layout = Layout(self.probe.ask("layout"))
        return self

    def launch(self, scenario=None):
        dpi = getattr(scenario, "dpi", 96)
        if dpi != self.prefix.dpi:
            self.probe.close()
            self.prefix.prepare(dpi)
            self.probe = Probe(self.prefix, self.probe_exe)
        self.program = self.prefix.popen([self.exe, *getattr(scenario, "arguments", ())],
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The test screen has no window manager: the program's X window is given the keyboard.
        window = poll(lambda: self.screen.windows(self.layout.caption),
                      "the program's X window")
        self.screen.xdotool("windowfocus", "--sync", window[-1])

    def raw(self):
        return self.probe.ask("state", timeout=deadline(3))

    def read(self):
        if self.program.poll() is not None:
            return ended(self.program.returncode)
        return record(self.raw(), self.layout)

    def keys(self, text):
        self.screen.keys(text)

    def click(self, control, button=1):
        """Clicks the middle of a control, by name, with the mouse."""
        self.hover(control, "click", str(button))

    def hover(self, control, *then):
        """Moves the mouse to the middle of a control, then runs the xdotool commands `then`."""
        raw = self.raw()
        x, y, w, h = next(c["rect"] for c in raw["controls"] if c["name"] == control)
        self.screen.point(raw["client"][0] + x + w // 2, raw["client"][1] + y + h // 2, *then)

    def close(self):
        stop(self.program, timeout=0)
        # Gone from the screen too, so that the next program's window is the only one.
        poll(lambda: not self.screen.windows(self.layout.caption), "the program's window closed")

    def stop(self):
        if self.probe:  # none when stopped while starting
            self.probe.close()
            self.prefix.kill()
        super().stop()
