"""Orindel's Windows program under Wine on an Xvfb screen of its own: xdotool types through XTEST,
so Wine sees real Windows key messages, and the probe, a console program in the same prefix,
reads the window back over WM_GETTEXT. The prefix is made once and re-used by later runs.
Also here: the scenarios only Windows shows, the installer's test and the README's pictures.
"""
import json
import os
import re
import select
import shutil
import subprocess
import time

from harness import (CAPTION, CLOSED, DEADLINE, NARROW, Desktop, Scenario, Screen, State, check,
                     ended, message, poll, stop)
from scenarios import INVALID, OVER_80, SHOWN

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PREFIX_SCRIPT = os.path.join(SOURCE, "cmake", "wine-prefix.sh")
WINE64 = os.environ.get("WINE64", "/usr/lib/wine/wine64")
DISPLAY_VERSION = os.environ["ORINDEL_DISPLAY_VERSION"]  # "1.06", as Apps & features shows it
WINESERVER = os.environ.get("WINESERVER", os.path.join(os.path.dirname(WINE64), "wineserver"))

# Control identifiers: 100 plus the control's index in the design table.
TEXT1, COMMAND1, COMMAND3, LABEL4, OPTION2, LABEL5 = 100, 103, 109, 108, 112, 113
KINDS = {"Text": "Edit", "Command": "Button", "Label": "Static", "Frame": "Button",
         "Option": "Button"}
# Captions that the window may widen beyond their designed width so that they show whole.
WIDENED = ("Label1", "Label2", "Label3", "Label6")


class Prefix:
    """One Wine prefix and the environment of every program run in it."""

    def __init__(self, path, display, locale="C.UTF-8", locale_path=None):
        self.path = path
        # Wine's programs take their language from the Unix locale (LOCPATH: one made here).
        self.env = dict(os.environ, WINEPREFIX=path, WINEDEBUG="-all", DISPLAY=display,
                        WINE64=WINE64, LC_ALL=locale,
                        # No Mono or Gecko installer dialogs.
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        if locale_path:
            self.env["LOCPATH"] = locale_path

    def prepare(self, dpi=96):
        """Boots the prefix once, with the project's fonts, then sets the screen's DPI."""
        self.kill()
        subprocess.run([PREFIX_SCRIPT, self.path, str(dpi)], env=self.env, check=True,
                       stdout=subprocess.DEVNULL)
        stamp = os.path.join(self.path, ".orindel-harness")
        if not os.path.exists(stamp):
            # Wine draws the windows' frames and captions itself (there is no window manager on
            # the test screen), and a crash ends the program instead of opening a debugger.
            self.reg("add", r"HKCU\Software\Wine\X11 Driver", "/v", "Decorated", "/d", "N", "/f")
            self.reg("add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                     "/t", "REG_DWORD", "/d", "0", "/f")
            subprocess.run([WINESERVER, "-w"], env=self.env)
            open(stamp, "w").close()
        self.dpi = dpi

    def reg(self, *arguments):
        return subprocess.run([WINE64, "reg", *arguments], env=self.env, capture_output=True,
                              text=True, encoding="utf-8", errors="replace")

    def popen(self, arguments, **options):
        return subprocess.Popen([WINE64, *arguments], env=self.env, **options)

    def run(self, arguments, timeout=120):
        return subprocess.run([WINE64, *arguments], env=self.env, capture_output=True,
                              timeout=timeout)

    def wait(self):
        """Waits until every program in the prefix has ended."""
        subprocess.run([WINESERVER, "-w"], env=self.env, timeout=120)

    def kill(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.env, stderr=subprocess.DEVNULL)

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

    def ask(self, command, timeout=DEADLINE):
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


def problems(raw):
    """What the window breaks of its design: the caption, the fixed border, each control's kind,
    its place in z-order and its rectangle at the window's DPI; the message box's owner, icon and
    buttons. Also whether the window, or its message box, is the active one that takes the keys."""
    found = []
    if raw["caption"] != CAPTION:
        found.append(f"caption {raw['caption']!r}")
    if raw["sizable"] or raw["maximize"]:
        found.append("the border is not fixed single")
    for c in raw["controls"]:
        kind = KINDS[c["name"].rstrip("0123456789")]
        if not c["exists"] or c["class"].lower() != kind.lower():
            found.append(f"{c['name']} is no {kind}: {c.get('class')}")
            continue
        got, want = list(c["rect"]), c["design"]
        if c["name"] in WIDENED and got[2] > want[2]:
            got[2] = want[2]
        # The total may take a second line, down to the client's bottom edge.
        if c["name"] == "Label4" and got[1] + got[3] == raw["client"][3]:
            got[3] = want[3]
        if any(abs(a - b) > 1 for a, b in zip(got, want)):
            found.append(f"{c['name']} at {c['rect']}, designed {want} (dpi {raw['dpi']})")
    # A screen reader names each entry box after the unit caption just before it in z-order.
    for box in raw["controls"][:3]:
        if box["previous"] != "Label" + box["name"][-1]:
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


def record(raw):
    """The probe's reading as the state record every desktop returns."""
    if not raw.get("found") or not raw.get("visible"):
        return State(problems=("no window",))
    if raw.get("busy"):
        return State(problems=("the window is busy",))
    controls = {c["id"]: c for c in raw["controls"]}
    focus = controls.get(raw["focus"], {}).get("name")
    box = raw["box"] and (raw["box"]["title"], raw["box"]["text"].replace("\r\n", "\n"))
    width, height = raw["client"][2:]
    return State(boxes=tuple(controls[i]["text"] for i in (100, 101, 102)),
                 total=controls[LABEL4]["text"], count=controls[LABEL5]["text"],
                 panel=controls[LABEL5]["visible"], focus=focus, message=box or None,
                 size=(width * 96 // raw["dpi"], height * 96 // raw["dpi"]),
                 problems=problems(raw))


class Wine(Desktop):
    """The desktop: a screen, a prefix, the probe and the program; a screen or a prefix given is
    used as it is."""

    def __init__(self, args, screen=None, prefix=None, exe=None):
        super().__init__()
        self.screen, self.prefix, self.args, self.work = screen, prefix, args, args.work
        self.exe, self.probe_exe, self.probe = exe or args.program, args.probe, None

    def start(self):
        if self.screen is None:
            self.screen = Screen()
            self.helpers.append(self.screen.process)
        if self.prefix is None:
            self.prefix = Prefix(os.path.join(self.work, "prefix"), self.screen.display)
            started = time.monotonic()
            self.prefix.prepare()
            print(f"prefix ready in {time.monotonic() - started:.1f} s: {self.prefix.path}")
        self.probe = Probe(self.prefix, self.probe_exe)
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
        window = poll(lambda: self.screen.windows(CAPTION), "the program's X window")
        self.screen.xdotool("windowfocus", "--sync", window[-1])

    def raw(self):
        return self.probe.ask("state", timeout=3 * DEADLINE)

    def read(self):
        if self.program.poll() is not None:
            return ended(self.program.returncode)
        return record(self.raw())

    def keys(self, text):
        self.screen.keys(text)

    def click(self, control, button=1):
        """Clicks the middle of a control with the mouse."""
        self.hover(control, "click", str(button))

    def hover(self, control, *then):
        """Moves the mouse to the middle of a control, then runs the xdotool commands `then`."""
        raw = self.raw()
        x, y, w, h = next(c["rect"] for c in raw["controls"] if c["id"] == control)
        self.screen.xdotool("mousemove", "--sync", str(raw["client"][0] + x + w // 2),
                            str(raw["client"][1] + y + h // 2), *then)

    def close(self):
        stop(self.program, timeout=0)
        # Gone from the screen too, so that the next program's window is the only one.
        poll(lambda: not self.screen.windows(CAPTION), "the program's window closed")

    def stop(self):
        if self.probe:  # none when stopped while starting
            self.probe.close()
            self.prefix.kill()
        super().stop()


# --- the scenarios only Windows shows -----------------------------------------------------------

def click(control, button=1):
    return lambda desktop: desktop.click(control, button)


def copy_the_total(desktop):
    check(desktop.probe.ask("clip 1 x").get("done"), "the clipboard was not filled")
    desktop.click(LABEL4, button=3)
    # Wine gives no other process a menu's items: an empty list means that it could not read them.
    poll(lambda: desktop.raw()["menu"] in ([], ["コピー"]), "the total's menu")
    desktop.keys("Down Return")
    poll(lambda: desktop.probe.ask("clipread")["clipboard"] == "1:2:3", "1:2:3 on the clipboard")


def paste_100000_characters(desktop):
    check(desktop.probe.ask("clip 100000 1").get("done"), "the clipboard was not filled")
    desktop.keys("ctrl+v")


def ink(screen, rect):
    """The dark pixels of a screen rectangle: a list of rows of booleans."""
    x, y, w, h = rect
    data = subprocess.run(["import", "-display", screen.display, "-window", "root", "-crop",
                           f"{w}x{h}+{x}+{y}", "-depth", "8", "rgb:-"],
                          capture_output=True, check=True).stdout
    check(len(data) == w * h * 3, f"screen read {len(data)} bytes for {rect}")
    return [[sum(data[(r * w + c) * 3:(r * w + c) * 3 + 3]) < 3 * 128 for c in range(w)]
            for r in range(h)]


def glyphs(rows):
    """The runs of inked columns, left to right, each as (first column, last column, height)."""
    width = len(rows[0]) if rows else 0
    runs, start = [], None
    for column in range(width + 1):
        inked = column < width and any(row[column] for row in rows)
        if inked and start is None:
            start = column
        elif not inked and start is not None:
            lit = [r for r, row in enumerate(rows) if any(row[start:column])]
            runs.append((start, column - 1, lit[-1] - lit[0] + 1))
            start = None
    return runs


# 30,519 entries of 32,767 hours make 1,000,015,473 hours, the first ten-digit total; each is
# pasted into Text1, with 0 typed into the other two boxes.
ENTRIES, HOURS = 30519, 32767
TEN_DIGITS = f" {HOURS * ENTRIES}: 0: 0"


def add_30519_entries(desktop):
    check(desktop.probe.ask(f"clip 1 {HOURS}").get("done"), "the clipboard was not filled")
    done, started = 0, time.monotonic()
    while done < ENTRIES:
        step = min(1000, ENTRIES - done)
        desktop.probe.ask(f"paste {step} {COMMAND1} 0 0")
        done += step
        poll(lambda: desktop.read().count == f" {done}",
             f"{done} entries taken", timeout=6 * DEADLINE)
    print(f"    {ENTRIES} entries in {time.monotonic() - started:.1f} s")


def the_total_shows_whole(desktop):
    """Drawn whole, the total's last glyph is the final 0 at full height and ends inside the
    label; cut short, it is an ellipsis's dot, and then the tooltip must show it. Wrapped, it
    reaches down to the client's bottom edge, with ink on both lines and none at the right edge."""
    raw = desktop.raw()
    label = next(c for c in raw["controls"] if c["id"] == LABEL4)
    (x, y, w, h), design = label["rect"], label["design"]
    wrapped = h != design[3]
    check([x, y, w] == design[:3] and (not wrapped or y + h == raw["client"][3]),
          f"Label4 at {label['rect']}, widened to {design}")
    pixels = ink(desktop.screen, (raw["client"][0] + x, raw["client"][1] + y, w, h))
    runs = glyphs(pixels)
    check(runs, f"nothing drawn in Label4: {label}")
    if wrapped:
        check(all(any(any(row) for row in half) for half in (pixels[:h // 2], pixels[h // 2:])),
              "a line left empty")
        check(not any(row[w - 1] for row in pixels), "the wrapped total runs to the edge")
    elif not (runs[-1][2] * 10 >= max(run[2] for run in runs) * 6 and runs[-1][1] < w - 1):
        desktop.hover(LABEL4)
        poll(lambda: desktop.raw()["tooltip"] == TEN_DIGITS, "the whole total in the tooltip")


def client_is(width, height):
    def client(desktop):
        check(desktop.raw()["client"][2:] == [width, height],
              f"client {desktop.raw()['client'][2:]}, not {width} x {height}")
    client.__name__ = f"client_{width}x{height}"
    return client


class AtDpi(Scenario):
    def __init__(self, dpi, name, *steps):
        super().__init__(name, *steps)
        self.dpi = dpi


SCENARIOS = [
    Scenario("the_mouse_works_the_buttons_and_the_options",
             (click(COMMAND3), SHOWN), (click(OPTION2), dict(focus="Option2")),
             (click(TEXT1), dict(focus="Text1")),
             ("8 0 Tab 0 Tab 0 KP_Add", dict(boxes=("80", "0", "0+"), **message(OVER_80))),
             ("Return", dict(total=" 80: 0: 0", count=" 1", **CLOSED)),
             (click(COMMAND3), dict(panel=False, size=NARROW))),
    Scenario("the_totals_menu_copies_it_without_blanks",
             ("1 Tab 2 Tab 3 KP_Add", dict(total=" 1: 2: 3", count=" 1")), (copy_the_total, {})),
    # 100,001 characters: an odd number of toggles leaves the panel shown.
    Scenario("pasting_100000_characters_then_o_finishes",
             (paste_100000_characters, dict(boxes=("1" * 100_000, "", "")), 3),
             ("o", dict(boxes=("", "", ""), **SHOWN), 3)),
    Scenario("a_total_of_ten_digit_hours_is_shown_whole",
             (add_30519_entries, dict(total=TEN_DIGITS, count=f" {ENTRIES}")),
             (the_total_shows_whole, {}), (click(COMMAND3), SHOWN), (the_total_shows_whole, {})),
    AtDpi(144, "the_window_keeps_its_proportions_at_144_dpi", (client_is(294, 120), {}),
          ("1 Tab 2 Tab 3 KP_Add o", dict(total=" 1: 2: 3", count=" 1", **SHOWN)),
          (client_is(540, 120), {})),
    Scenario("the_installed_program_runs",
             ("1 KP_Add", dict(boxes=("1+", "", ""), **message(INVALID))), ("Return", CLOSED),
             ("Escape", vars(ended(0)))),
]
INSTALLED = SCENARIOS.pop()


# --- the installer ------------------------------------------------------------------------------

UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"


def uninstall_entries(prefix):
    """The Uninstall registry key's subkeys that name Orindel, with their values."""
    result = prefix.reg("query", UNINSTALL_KEY, "/s")
    entries, current = {}, None
    for line in result.stdout.splitlines():
        if line.startswith("HKEY_"):
            current = line.strip()
            entries[current] = {}
        elif current and line.startswith("    "):
            parts = line.strip().split(None, 2)
            if len(parts) == 3:
                entries[current][parts[0]] = parts[2]
    return {k: v for k, v in entries.items() if "orindel" in v.get("DisplayName", "").lower()}


def start_menu_links(prefix):
    found = []
    for root, _, files in os.walk(os.path.join(prefix, "drive_c")):
        if "Start Menu" in root:
            found += [os.path.join(root, f) for f in files
                      if f.lower().endswith(".lnk") and "orindel" in (root + f).lower()]
    return found


def make_installer(args):
    """Packs the build's NSIS installer with CPack and returns its path."""
    out = os.path.join(args.work, "package")
    shutil.rmtree(out, ignore_errors=True)
    result = subprocess.run([args.cpack, "-G", "NSIS", "--config", args.cpack_config, "-B", out],
                            capture_output=True, text=True)
    check(result.returncode == 0, f"cpack failed:\n{result.stdout}\n{result.stderr}")
    made = [os.path.join(out, f) for f in os.listdir(out) if f.lower().endswith(".exe")]
    check(len(made) == 1, f"cpack made {made}")
    return made[0]


# The installer's language in each Unix locale that Wine starts in. It holds only these two, so
# any other system gets English.
INSTALLER_LANGUAGES = {"ja_JP.UTF-8": "ja", "en_US.UTF-8": "en"}
NEXT, CANCEL, YES, NO, RUN_PROGRAM, HEADINGS = 1, 2, 6, 7, 1203, (1201, 1037)


def check_language(dialog, expected):
    """Every text shown is in `expected` (Japanese, or English words besides the program's name
    and units), but for the folder and the licence: legal text, in English everywhere."""
    def language(text):
        if re.search("[\u3040-\u30ff\u3400-\u9fff\uff00-\uffef]", text):
            return "ja"
        return "en" if set(re.findall("[A-Za-z]{2,}", text)) - {"Orindel", "KB", "GB"} else None

    found = [language(dialog["title"])] + [language(c["text"]) for c in dialog["controls"]
                                           if c["class"] in ("Static", "Button")]
    check(expected in found and set(found) <= {expected, None},
          f"{dialog['title']!r} not all in {expected}: {dialog['controls']}")


def unix_locale(name, work):
    """A folder for LOCPATH with the locale `name`, made here: none need be installed."""
    folder = os.path.join(work, "locale")
    os.makedirs(folder, exist_ok=True)
    language, _, charset = name.partition(".")
    subprocess.run(["localedef", "-i", language, "-f", charset, os.path.join(folder, name)],
                   capture_output=True)
    check(os.path.exists(os.path.join(folder, name, "LC_CTYPE")), f"localedef made no {name}")
    return folder


def wait_dialog(probe, process, condition, what):
    """The first dialog window on the screen for which condition(dialog) holds."""
    def found():
        check(process.poll() is None, f"the installer ended while waiting for {what}")
        return [d for d in probe.ask("dialogs")["dialogs"] if condition(d)]
    return poll(found, what)[0]


def controls(dialog):
    return {c["id"]: c for c in dialog["controls"]}


def heading(dialog):
    return next((c["text"] for c in dialog["controls"] if c["id"] in HEADINGS and c["text"]), None)


def press(probe, dialog, control):
    check(probe.ask(f"press {dialog['hwnd']} {control}")["pressed"], f"no {control} to press")


def install_by_pages(screen, prefix, probe, path, expected, picture):
    """Clicks Next through the installer's pages, each in `expected`, and leaves the program
    unstarted at the end. Returns the pages' headings."""
    process = prefix.popen([path])
    headings = []
    while True:
        # A page is read once it has settled: twice alike, with Next enabled.
        page, last = None, {}
        while page != last:
            last, page = page, wait_dialog(
                probe, process, lambda d: heading(d) not in (None, *headings) and
                controls(d).get(NEXT, {}).get("enabled"), f"the page after {headings[-1:]}")
            time.sleep(0.2)
        headings.append(heading(page))
        check_language(page, expected)
        if picture and len(headings) == 1:
            shoot_client(screen, page["client"], picture)
        if any(c["class"] == "msctls_progress32" for c in page["controls"]):
            continue  # installed: the last page follows by itself
        if RUN_PROGRAM in controls(page):
            if controls(page)[RUN_PROGRAM]["checked"]:  # unticked: the program stays closed
                press(probe, page, RUN_PROGRAM)
                page = wait_dialog(probe, process, lambda d: controls(d).get(RUN_PROGRAM, {}).get(
                    "checked") is False, "the program's box unticked")
            press(probe, page, NEXT)
            break
        press(probe, page, NEXT)
    check(process.wait(timeout=DEADLINE) == 0, "the installer's exit code")
    return headings


class Installer(Wine):
    """No program of its own: the installer's scenario starts what it needs."""

    def __init__(self, args):
        super().__init__(args)
        self.scenarios = [Scenario(f"installs_runs_and_uninstalls_in_{args.locale}",
                                   (installer_test, {}), start=None)]

    def start(self):
        self.screen = Screen()
        self.helpers.append(self.screen.process)

    def launch(self, scenario):
        pass


def installer_test(installer):
    args, screen = installer.args, installer.screen
    if not args.installer:
        args.installer = make_installer(args)
    expected = INSTALLER_LANGUAGES[args.locale]
    print(f"    installer {args.installer}, in {args.locale}: expected in {expected}")
    path = os.path.join(args.work, "install-prefix")
    shutil.rmtree(path, ignore_errors=True)
    shutil.rmtree(path + ".lock", ignore_errors=True)
    prefix = Prefix(path, screen.display, args.locale, unix_locale(args.locale, args.work))
    started = time.monotonic()
    prefix.prepare()
    print(f"    fresh prefix in {time.monotonic() - started:.1f} s")
    probe = Probe(prefix, args.probe)
    try:
        headings = install_by_pages(screen, prefix, probe, args.installer, expected, args.picture)
        check(len(headings) >= 5, f"the installer showed only {headings}")
        # Installing over it asks first whether to uninstall it; Cancel leaves it as it is.
        process = prefix.popen([args.installer])
        question = wait_dialog(probe, process, lambda d: {YES, NO} <= controls(d).keys(),
                               "the question whether to uninstall first")
        check_language(question, expected)
        press(probe, question, CANCEL)
        process.wait(timeout=DEADLINE)
        check(len(uninstall_entries(prefix)) == 1, "cancelling changed the installed version")
        check(not probe.ask("state")["found"], "the installer started the program, unasked")
        probe.close()  # below, each step waits until no program runs in the prefix

        # Silently, it answers yes: the installed version is uninstalled, then this one installed.
        result = prefix.run([args.installer, "/S"])
        prefix.wait()
        check(result.returncode == 0, f"the installer exited with {result.returncode}")
        entries = uninstall_entries(prefix)
        check(len(entries) == 1, f"uninstall entries: {entries}")
        (key, values), = entries.items()
        for name in ("DisplayName", "DisplayVersion", "DisplayIcon", "UninstallString",
                     "Publisher", "EstimatedSize"):
            check(values.get(name), f"{key} has no {name}: {values}")
        check("Contact" not in values, f"{key} names a contact: {values.get('Contact')}")
        check(int(values["EstimatedSize"], 16) > 0, f"EstimatedSize {values['EstimatedSize']}")
        check(values["DisplayVersion"] == DISPLAY_VERSION,
              f"DisplayVersion {values['DisplayVersion']!r}, not {DISPLAY_VERSION!r}")
        uninstaller = values["UninstallString"].strip('"')
        folder = prefix.unix_path(uninstaller.rsplit("\\", 1)[0])
        installed = sorted(os.listdir(folder))
        check(installed == ["LICENSE.txt", "README.txt", "Uninstall.exe", "orindel.exe"],
              f"installed in {folder}: {installed}")
        exe = "orindel.exe"
        icon = values["DisplayIcon"].strip('"').split(",")[0]
        check(os.path.exists(prefix.unix_path(icon)), f"DisplayIcon {icon} does not exist")
        links = start_menu_links(path)
        print(f"    Start menu: {[os.path.relpath(l, path) for l in links]}")
        program_links = [l for l in links if os.path.basename(l).lower() == "orindel.lnk"]
        check(program_links, "no Start menu shortcut to Orindel")
        with open(program_links[0], "rb") as link:
            target = link.read().lower()
        # The target's path is kept in the shell link as ANSI and as UTF-16 text.
        check(b"orindel.exe" in target or "orindel.exe".encode("utf-16-le") in target,
              f"{program_links[0]} does not point at orindel.exe")

        # The installed program runs.
        desktop = Wine(args, screen, prefix, os.path.join(folder, exe)).start()
        try:
            desktop.launch()
            INSTALLED.play(desktop)
        finally:
            desktop.close()
            desktop.probe.close()

        result = prefix.run([prefix.unix_path(uninstaller), "/S"])
        prefix.wait()  # the uninstaller goes on in a copy of itself
        check(result.returncode == 0, f"the uninstaller exited with {result.returncode}")
        check(not uninstall_entries(prefix), "the uninstall registry entry is left")
    finally:
        probe.close()
        prefix.kill()  # also writes the registry out to its files
    left = [os.path.relpath(os.path.join(root, name), path)
            for root, dirs, files in os.walk(os.path.join(path, "drive_c"))
            for name in dirs + files if "orindel" in name.lower()]
    check(not left, f"left after uninstalling: {left}")
    for hive in ("system.reg", "user.reg"):
        with open(os.path.join(path, hive), encoding="utf-8", errors="replace") as registry:
            keys = [line.strip() for line in registry
                    if line.startswith("[") and "orindel" in line.lower()]
        check(not keys, f"registry keys left in {hive}: {keys}")
    shutil.rmtree(path, ignore_errors=True)


# --- the README's pictures ---------------------------------------------------------------------

def shoot_client(screen, client, path):
    """Saves a window's client area, as the Linux pictures show it, once two shots agree."""
    def settled():
        with open(screen.shoot(path, client), "rb") as first:
            time.sleep(0.1)
            with open(screen.shoot(path, client), "rb") as second:
                return first.read() == second.read()
    poll(settled, f"{path} unchanged")


def picture(name):
    def take(desktop):
        os.makedirs(desktop.args.out, exist_ok=True)
        shoot_client(desktop.screen, desktop.raw()["client"],
                     os.path.join(desktop.args.out, f"win32-{name}.png"))
    take.__name__ = f"picture_{name}"
    return take


def a_thousand_entries(desktop):
    check(desktop.probe.ask("clip 1 00").get("done"), "the clipboard was not filled")
    desktop.probe.ask(f"paste 1000 {COMMAND1} 0 0")


# As the Linux pictures: a thousand entries of nothing, then 12345 h 59 m 59 s.
PICTURES = Scenario("the_readmes_pictures", (a_thousand_entries, dict(count=" 1000")),
                    ("1 2 3 4 5 Tab 5 9 Tab 5 9 KP_Add", dict(total=" 12345: 59: 59",
                                                              count=" 1001")),
                    (picture("narrow"), {}), ("o", SHOWN), (picture("wide"), {}))
