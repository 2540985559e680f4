#!/usr/bin/python3
"""Orindel's Windows program under Wine, driven with real key events.

Starts an Xvfb screen of its own, prepares a Wine prefix (once; later runs re-use it), starts
orindel.exe afresh for each scenario, types with xdotool through XTEST (so Wine sees real Windows
key messages) and reads the window back with the probe, a console program run in the same prefix.

Usage:
  wine_suite.py keys --exe ORINDEL.EXE --probe PROBE.EXE --work DIR [--only|--skip NAME ...]
  wine_suite.py screenshots --exe ORINDEL.EXE --probe PROBE.EXE --work DIR --out FOLDER
  wine_suite.py installer (--installer SETUP.EXE | --cpack CPACK --cpack-config FILE)
                --locale NAME --probe PROBE.EXE --work DIR [--picture FILE.png]

On a failure the screen is kept as DIR/failures/NAME.png and its path printed.
"""
import argparse
import json
import os
import re
import select
import shutil
import subprocess
import sys
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
PREFIX_SCRIPT = os.path.join(SOURCE, "cmake", "wine-prefix.sh")
WINE64 = os.environ.get("WINE64", "/usr/lib/wine/wine64")
WINESERVER = os.environ.get("WINESERVER", os.path.join(os.path.dirname(WINE64), "wineserver"))

CAPTION = os.environ["ORINDEL_CAPTION"]  # from the build
INVALID = "入力値が不正です"
REFUSED = "計算値が不正です"
OVER_74 = "計算値が７４分を超えました"
OVER_80 = "計算値が８０分を超えました"
LONE_SIGN_IN_S = "ｓ に符号しか入力されていません。\n数字を入力してください。\n（実行時エラー 5）"
H_OUT_OF_RANGE = ("ｈ の値が範囲（-32768～32767）の外です。\n範囲内の数を入力してください。\n"
                  "（実行時エラー 6）")

# Control identifiers: 100 plus the control's index in the design table.
TEXT1, TEXT2, TEXT3, COMMAND1, COMMAND2 = 100, 101, 102, 103, 104
LABEL4, COMMAND3, FRAME1, OPTION1, OPTION2, LABEL5, LABEL6 = 108, 109, 110, 111, 112, 113, 114
BOXES = (TEXT1, TEXT2, TEXT3)

DEADLINE = float(os.environ.get("ORINDEL_WINE_DEADLINE", "20"))


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Screen:
    """An Xvfb server of the suite's own, on the first free display."""

    def __init__(self, size="1024x768x24"):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-br", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + DEADLINE
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
            check(ready, "Xvfb did not start")
            chunk = os.read(read_end, 16)
            check(chunk, "Xvfb did not start")
            number += chunk
        os.close(read_end)
        self.display = ":" + number.decode().strip()

    def shoot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-display", self.display, "-window", "root", path],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def close(self):
        self.process.terminate()
        self.process.wait()


class Wine:
    """One Wine prefix and the environment of every program run in it."""

    def __init__(self, prefix, display, locale="C.UTF-8", locale_path=None):
        self.prefix = prefix
        # Wine's programs take their language from the Unix locale (LOCPATH: one made by the suite).
        self.env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", DISPLAY=display,
                        WINE64=WINE64, LC_ALL=locale,
                        # No Mono or Gecko installer dialogs.
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        if locale_path:
            self.env["LOCPATH"] = locale_path

    def prepare(self, dpi=96):
        """Boots the prefix once, with the project's fonts, then sets the screen's DPI."""
        self.kill()
        subprocess.run([PREFIX_SCRIPT, self.prefix, str(dpi)], env=self.env, check=True,
                       stdout=subprocess.DEVNULL)
        stamp = os.path.join(self.prefix, ".orindel-harness")
        if not os.path.exists(stamp):
            # Wine draws the windows' frames and captions itself (there is no window manager on
            # the test screen), and a crash ends the program instead of opening a debugger.
            self.reg("add", r"HKCU\Software\Wine\X11 Driver", "/v", "Decorated", "/d", "N", "/f")
            self.reg("add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                     "/t", "REG_DWORD", "/d", "0", "/f")
            subprocess.run([WINESERVER, "-w"], env=self.env)
            open(stamp, "w").close()

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
        return os.path.join(self.prefix, "drive_c", *[p for p in rest.split("\\") if p])


class Probe:
    """The probe in serve mode: one command per line, one JSON line back."""

    def __init__(self, wine, probe_exe):
        self.process = wine.popen([probe_exe, "serve"], stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.buffer = b""

    def ask(self, command, timeout=DEADLINE):
        self.process.stdin.write(command.encode("utf-8") + b"\n")
        self.process.stdin.flush()
        deadline = time.monotonic() + timeout
        while b"\n" not in self.buffer:
            left = deadline - time.monotonic()
            ready, _, _ = select.select([self.process.stdout], [], [], max(0.0, left))
            check(ready, f"the probe did not answer {command!r} in {timeout} s")
            chunk = os.read(self.process.stdout.fileno(), 1 << 20)
            check(chunk, f"the probe ended while answering {command!r}")
            self.buffer += chunk
        line, _, self.buffer = self.buffer.partition(b"\n")
        return json.loads(line.decode("utf-8"))

    def close(self):
        if self.process.poll() is not None:
            return
        try:
            self.process.stdin.write(b"quit\n")
            self.process.stdin.close()
            self.process.wait(timeout=10)
        except (OSError, subprocess.TimeoutExpired):
            self.process.kill()


class State:
    """One reading of the window through the probe."""

    def __init__(self, raw):
        self.raw = raw
        self.controls = {c["id"]: c for c in raw.get("controls", [])}

    def __getitem__(self, key):
        return self.raw[key]

    def text(self, control):
        return self.controls[control].get("text")

    def visible(self, control):
        return self.controls[control].get("visible")

    def checked(self, control):
        return self.controls[control].get("checked")

    def rect(self, control):
        return self.controls[control]["rect"]

    @property
    def box(self):
        return self.raw.get("box")

    @property
    def total(self):
        return self.text(LABEL4)

    @property
    def boxes(self):
        return tuple(self.text(b) for b in BOXES)

    @property
    def client_size(self):
        return tuple(self.raw["client"][2:])

    @property
    def wide(self):
        return self.visible(LABEL5)

    def __repr__(self):
        if not self.raw.get("found"):
            return "<no window>"
        summary = {
            "boxes": [t if t is None or len(t) < 40 else f"{t[:20]}...({len(t)} chars)"
                      for t in self.boxes],
            "total": self.total, "count": self.text(LABEL5), "wide": self.wide,
            "client": self.raw["client"], "focus": self.raw["focus"], "box": self.box,
            "options": [self.checked(OPTION1), self.checked(OPTION2)],
        }
        return json.dumps(summary, ensure_ascii=False)


class App:
    """orindel.exe running in the prefix, watched through the probe."""

    def __init__(self, suite, arguments=()):
        self.suite = suite
        self.process = suite.wine.popen([suite.exe, *arguments], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        state = self.wait_for(lambda s: s["found"] and s["visible"] and s["focus"] == TEXT1,
                              "the window shown with the focus in Text1")
        self.pid = state["pid"]
        self.focus_x_window()

    def state(self):
        return State(self.suite.probe.ask("state"))

    def wait_for(self, condition, what, timeout=DEADLINE):
        """Polls the window until `condition(state)` holds; fails with the last state if not."""
        deadline = time.monotonic() + timeout
        while True:
            state = self.state()
            try:
                if condition(state):
                    return state
            except (KeyError, TypeError):
                pass
            if self.process.poll() is not None:
                raise Failure(f"the program ended (exit code {self.process.returncode}) "
                              f"while waiting for {what}")
            if time.monotonic() > deadline:
                raise Failure(f"waited {timeout} s for {what}; the window: {state}")
            time.sleep(0.05)

    def focus_x_window(self):
        """Gives the program's X window the keyboard: the test screen has no window manager."""
        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name",
                                "^" + CAPTION.replace(".", r"\.") + "$"],
                               env=self.suite.wine.env, capture_output=True, text=True,
                               timeout=DEADLINE)
        windows = found.stdout.split()
        check(windows, f"no X window named {CAPTION!r}")
        subprocess.run(["xdotool", "windowfocus", "--sync", windows[-1]], env=self.suite.wine.env,
                       capture_output=True, timeout=DEADLINE)

    def keys(self, *names, delay=30):
        """Presses keys through XTEST, as a keyboard would."""
        result = subprocess.run(["xdotool", "key", "--delay", str(delay), *names],
                                env=self.suite.wine.env, capture_output=True, text=True,
                                timeout=DEADLINE + len(names))
        check(result.returncode == 0, f"xdotool key {names}: {result.stderr}")

    def enter(self, hours, minutes, seconds, *then):
        """Types an entry into the three boxes from Text1 on, Tab between them, then `then`."""
        self.keys(*hours, "Tab", *minutes, "Tab", *seconds, *then)

    def click(self, control, button=1):
        """Clicks the middle of a control with the mouse."""
        self.hover(control, "click", str(button))

    def hover(self, control, *then):
        """Moves the mouse to the middle of a control, then runs the xdotool commands `then`."""
        state = self.state()
        left, top = state["client"][:2]
        x, y, w, h = state.rect(control)
        subprocess.run(["xdotool", "mousemove", "--sync", str(left + x + w // 2),
                        str(top + y + h // 2), *then],
                       env=self.suite.wine.env, capture_output=True, timeout=DEADLINE)

    def message(self, text, keys=("Return",)):
        """Waits for the program's message box with `text`, checks it, then closes it by keys."""
        state = self.wait_for(lambda s: s.box is not None, f"the message {text!r}")
        box = state.box
        check(box["text"] == text, f"message {box['text']!r}, expected {text!r}")
        check_message_box(box)
        self.keys(*keys)
        return state

    def wait_exit(self, timeout=DEADLINE):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end within {timeout} s")

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def check_message_box(box):
    """Every message: title "Orindel", owned by the window, one OK button, no icon."""
    check(box["title"] == "Orindel", f"message box title {box['title']!r}")
    check(box["owned"], "the message box is not owned by the main window")
    check(not box["icon"], "the message box shows an icon")
    check([b["id"] for b in box["buttons"]] == [1], f"message box buttons {box['buttons']}")


def quiet(state):
    """No message open and the focus back in Text1 with the three boxes empty."""
    return state.box is None and state["focus"] == TEXT1 and state.boxes == ("", "", "")


SCENARIOS = []


def scenario(function):
    """A scenario on a freshly started program: function(app)."""
    SCENARIOS.append(function)
    return function


# --- the scenarios, each on a freshly started program -------------------------------------------

@scenario
def starts_narrow_with_the_designed_controls(app):
    s = app.state()
    check(s["caption"] == CAPTION, f"caption {s['caption']!r}")
    check(s.client_size == (196, 80), f"narrow client {s.client_size}, not 196 x 80 at 96 DPI")
    check(not s["sizable"] and not s["maximize"], "the border is not fixed single")
    check(s.total == " 0: 0: 0", f"total {s.total!r}")
    check(not s.visible(LABEL5) and not s.visible(LABEL6), "the count is shown at start")
    check(s.checked(OPTION1) == 1 and s.checked(OPTION2) == 0, "Option1 is not the one selected")
    check_geometry(s)
    kinds = {TEXT1: "Edit", COMMAND1: "Button", LABEL4: "Static", FRAME1: "Button",
             OPTION1: "Button"}
    for control, kind in kinds.items():
        check(s.controls[control]["class"].lower() == kind.lower(),
              f"control {control} is a {s.controls[control]['class']}, expected {kind}")
    # A screen reader names each entry box after the unit caption just before it in z-order.
    for box, label in ((TEXT1, 105), (TEXT2, 106), (TEXT3, 107)):
        check(s.controls[box]["previous"] == label,
              f"control {box} follows {s.controls[box]['previous']} in z-order, not {label}")


# Captions that the window may widen beyond their designed width so that they show whole.
WIDENED = ("Label1", "Label2", "Label3", "Label6")


def check_geometry(s):
    """Each control where the design table puts it, at the window's DPI, give or take a pixel."""
    for control in s.controls.values():
        check(control["exists"], f"control {control['name']} is missing")
        got, want = list(control["rect"]), control["design"]
        if control["name"] in WIDENED and got[2] > want[2]:
            got[2] = want[2]
        check(all(abs(a - b) <= 1 for a, b in zip(got, want)),
              f"{control['name']} at {control['rect']}, designed {want} (dpi {s['dpi']})")


@scenario
def keypad_plus_adds_the_entry(app):
    app.enter("0", "3", "0", "KP_Add")
    app.wait_for(lambda s: s.total == " 0: 3: 0" and quiet(s), "0:3:0, the boxes cleared")


@scenario
def both_minus_keys_subtract(app):
    app.enter("1", "0", "0", "KP_Add")
    app.wait_for(lambda s: s.total == " 1: 0: 0" and quiet(s), "the total 1:0:0")
    app.enter("0", "1", "0", "minus")
    app.wait_for(lambda s: s.total == " 0: 59: 0" and quiet(s), "0:59:0 after the main minus")
    app.enter("0", "0", "1", "KP_Subtract")
    app.wait_for(lambda s: s.total == " 0: 58: 59" and quiet(s), "0:58:59 after the keypad minus")


@scenario
def shift_plus_adds_and_plain_equals_does_nothing(app):
    app.enter("1", "0", "5", "shift+equal")
    app.wait_for(lambda s: s.total == " 1: 0: 5" and quiet(s), "1:0:5 after Shift and =")
    app.enter("1", "0", "5", "equal")
    s = app.wait_for(lambda s: s.text(TEXT3) == "5=", "the = typed into Text3")
    check(s.total == " 1: 0: 5" and s.box is None, f"plain = ran something: {s}")


@scenario
def refused_subtraction_keeps_the_total(app):
    app.enter("0", "0", "7", "KP_Add")
    app.wait_for(lambda s: s.total == " 0: 0: 7" and quiet(s), "the total 0:0:7")
    app.enter("0", "0", "8", "KP_Subtract")
    s = app.message(REFUSED)
    check(s.boxes == ("0", "0", "8-"), f"the boxes are cleared before the message: {s}")
    s = app.wait_for(quiet, "the message closed and the boxes cleared")
    check(s.total == " 0: 0: 7", f"the refused subtraction changed the total: {s}")


@scenario
def invalid_entry_is_reported_and_cleared(app):
    app.keys("1", "Tab", "Tab", "2", "KP_Add")
    app.message(INVALID)
    s = app.wait_for(quiet, "the message closed and the boxes cleared")
    check(s.total == " 0: 0: 0", f"the invalid entry changed the total: {s}")


@scenario
def limit_warnings_with_the_panel_open(app):
    app.click(COMMAND3)
    app.wait_for(lambda s: s.wide and s["focus"] == TEXT1, "the panel shown")
    app.enter("73", "59", "59", "KP_Add")
    s = app.wait_for(lambda s: s.total == " 73: 59: 59" and quiet(s), "73:59:59, no warning")
    app.enter("0", "0", "1", "KP_Add")
    s = app.message(OVER_74)
    check(s.total == " 73: 59: 59" and s.text(LABEL5) == " 1",
          f"the labels changed while the warning shows: {s}")
    s = app.wait_for(lambda s: s.total == " 74: 0: 0" and quiet(s), "74:0:0 once it is closed")
    check(s.text(LABEL5) == " 2", f"count {s.text(LABEL5)!r}")
    # The 80 limit: Option2 chosen with the mouse, then 79 hours pass and 80 warn.
    app.click(OPTION2)
    app.wait_for(lambda s: s.checked(OPTION2) == 1 and s.checked(OPTION1) == 0, "Option2 chosen")
    app.click(TEXT1)
    app.enter("5", "0", "0", "KP_Add")
    app.wait_for(lambda s: s.total == " 79: 0: 0" and quiet(s), "79:0:0, no warning")
    app.enter("1", "0", "0", "KP_Add")
    s = app.message(OVER_80)
    check(s.total == " 79: 0: 0", f"the total changed while the warning shows: {s}")
    app.wait_for(lambda s: s.total == " 80: 0: 0" and quiet(s), "80:0:0 once it is closed")


@scenario
def o_after_12_toggles_the_panel_and_empties_the_box(app):
    app.keys("5", "Tab", "1", "2", "o")
    # Three toggles leave the panel shown, with the count and its caption.
    s = app.wait_for(lambda s: s.boxes == ("5", "", "") and s.wide and s["focus"] == TEXT1 and
                     s.client_size == (360, 80) and s.visible(LABEL6), "Text2 emptied, the panel")
    check(s.box is None and s.text(LABEL5) == "0", f"after the O: {s}")
    app.keys("End", "1", "o")  # "51o": three more toggles, Text1 emptied
    app.wait_for(lambda s: s.text(TEXT1) == "" and not s.wide and s["focus"] == TEXT1 and
                 s.client_size == (196, 80) and not s.visible(LABEL6), "the panel hidden again")


@scenario
def runtime_errors_are_reported_and_the_program_goes_on(app):
    # "1", "2", "+": the lone sign leaves nothing to read (the invalid-argument error).
    app.keys("1", "Tab", "2", "Tab", "KP_Add")
    s = app.wait_for(lambda s: s.box is not None, "the runtime error's report")
    check(s.box["text"].replace("\r\n", "\n") == LONE_SIGN_IN_S, f"report {s.box['text']!r}")
    check_message_box(s.box)
    first = s.box["text"]
    app.keys("Return")
    s = app.wait_for(lambda s: s.box is None, "the report closed")
    check(s.boxes == ("1", "2", "+") and s.total == " 0: 0: 0", f"after the report: {s}")
    # Hours out of the whole-number range: the overflow error, reported differently.
    app.keys("shift+Tab", "shift+Tab", "ctrl+a", "3", "2", "7", "6", "8", "KP_Add")
    s = app.wait_for(lambda s: s.box is not None, "the overflow's report")
    check(s.box["text"].replace("\r\n", "\n") == H_OUT_OF_RANGE,
          f"overflow report {s.box['text']!r} (the first was {first!r})")
    app.keys("Return")
    # The focus goes back to Text1, whose caret went to the start when the report took it.
    s = app.wait_for(lambda s: s.box is None and s["focus"] == TEXT1, "the report closed")
    check(s.boxes == ("32768+", "2", "+"), f"the boxes are not kept: {s}")
    # The program goes on: a valid entry is added as usual.
    app.keys("End", "BackSpace", "BackSpace", "Tab", "Tab", "End", "BackSpace", "3", "KP_Add")
    s = app.wait_for(lambda s: s.total == " 3276: 2: 3" and quiet(s), "3276:2:3 added after")


@scenario
def enter_types_nothing_and_presses_a_focused_button(app):
    app.keys("1", "2", "Return", "5")
    s = app.wait_for(lambda s: s.text(TEXT1) == "125", "Text1 reading 125")
    check(s.box is None and s.total == " 0: 0: 0", f"Enter ran something: {s}")
    app.keys("Tab", "0", "Tab", "0", "Tab", "Return")  # Enter on the focused ＋
    app.wait_for(lambda s: s.total == " 125: 0: 0" and quiet(s), "125:0:0 from Enter on ＋")


@scenario
def escape_in_a_box_ends_the_program_with_exit_code_0(app):
    app.keys("Tab", "Tab", "Tab")  # on ＋: Esc does nothing there
    app.wait_for(lambda s: s["focus"] == COMMAND1, "the focus on ＋")
    app.keys("Escape", "shift+Tab", "9")
    app.wait_for(lambda s: s.text(TEXT3) == "9", "Text3 reading 9, the program still running")
    app.keys("Escape")
    check(app.wait_exit() == 0, f"exit code {app.process.returncode}")


@scenario
def op_widens_and_narrows_the_window(app):
    app.keys("Tab", "Tab", "Tab", "Tab", "Tab", "space")  # Op by the keyboard
    s = app.wait_for(lambda s: s.wide and s["focus"] == TEXT1 and s.client_size == (360, 80),
                     "the wide window, client 360 x 80")
    check(s.visible(FRAME1) and s.visible(OPTION1) and s.visible(OPTION2), f"panel: {s}")
    check(s.text(LABEL5) == "0", f"count {s.text(LABEL5)!r}")
    check_geometry(s)
    app.click(COMMAND3)
    app.wait_for(lambda s: not s.wide and s["focus"] == TEXT1 and s.client_size == (196, 80),
                 "the narrow window, client 196 x 80")


@scenario
def the_totals_menu_copies_it_without_blanks(app):
    app.enter("1", "2", "3", "KP_Add")
    app.wait_for(lambda s: s.total == " 1: 2: 3" and quiet(s), "the total 1:2:3")
    check(app.suite.probe.ask("clip 1 x").get("done"), "the clipboard was not filled")
    app.click(LABEL4, button=3)
    # Wine gives no other process a menu's items: an empty list means that it could not read them.
    app.wait_for(lambda s: s["menu"] in ([], ["コピー"]), "the total's menu")
    app.keys("Down", "Return")
    deadline = time.monotonic() + DEADLINE
    while app.suite.probe.ask("clipread")["clipboard"] != "1:2:3":
        check(time.monotonic() < deadline,
              f"the clipboard holds {app.suite.probe.ask('clipread')['clipboard']!r}")
        time.sleep(0.05)


def tab_cycle(app, keys="Tab", limit=12):
    """The controls that the focus visits from Text1 until it comes back to Text1."""
    visited = []
    for _ in range(limit):
        app.keys(keys)
        previous = visited[-1] if visited else TEXT1
        s = app.wait_for(lambda s: s["focus"] not in (previous, 0), f"the focus to leave "
                         f"{previous}")
        if s["focus"] == TEXT1:
            return visited
        visited.append(s["focus"])
    raise Failure(f"Tab never came back to Text1: {visited}")


@scenario
def tab_order_follows_the_design(app):
    narrow = tab_cycle(app)
    check(narrow == [TEXT2, TEXT3, COMMAND1, COMMAND2, COMMAND3],
          f"Tab in the narrow window: {narrow}")
    back = tab_cycle(app, "shift+Tab")
    check(back == narrow[::-1], f"Shift+Tab in the narrow window: {back}")
    app.keys("o")
    app.wait_for(lambda s: s.wide, "the panel shown")
    wide = tab_cycle(app)
    check(wide[:5] == narrow, f"Tab in the wide window: {wide}")
    # The option group is one stop at the selected option, or the two options in order.
    check(wide[5:] in ([OPTION1], [OPTION1, OPTION2]), f"Tab to the options: {wide}")


@scenario
def pasting_100000_characters_then_o_finishes(app):
    length = 100_000
    reply = app.suite.probe.ask(f"clip {length} 1")
    check(reply.get("done"), f"the clipboard was not filled: {reply}")
    app.keys("ctrl+v")
    s = app.wait_for(lambda s: len(s.text(TEXT1)) == length, f"{length} characters in Text1")
    started = time.monotonic()
    app.keys("o")
    # 100,001 characters: an odd number of toggles leaves the panel shown.
    app.wait_for(lambda s: s.text(TEXT1) == "" and s.wide and s["focus"] == TEXT1 and
                 s.box is None, "Text1 emptied, the panel shown", timeout=60)
    print(f"    the O on {length + 1} characters took {time.monotonic() - started:.2f} s")


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


@scenario
def a_total_of_ten_digit_hours_is_shown_whole(app):
    # 30,519 entries of 32,767 hours make 1,000,015,473 hours, one more than the count's limit
    # allows less than 10 ** 9; each is pasted into Text1, with 0 typed into the other two boxes.
    entries, hours = 30519, 32767
    check(hours * entries >= 10 ** 9 > hours * (entries - 1), "not the first ten-digit total")
    check(app.suite.probe.ask(f"clip 1 {hours}").get("done"), "the clipboard was not filled")
    batch, done = 1000, 0
    started = time.monotonic()
    while done < entries:
        step = min(batch, entries - done)
        app.suite.probe.ask(f"paste {step} {COMMAND1} 0 0")
        done += step
        deadline = time.monotonic() + 120
        while app.suite.probe.ask(f"text {LABEL5}")["text"] != f" {done}":
            check(time.monotonic() < deadline, f"{done} entries not taken: {app.state()}")
            check(app.process.poll() is None, "the program ended")
            time.sleep(0.25)
    print(f"    {entries} entries in {time.monotonic() - started:.1f} s")
    total = f" {hours * entries}: 0: 0"
    for wide in (False, True):
        if wide:
            app.click(COMMAND3)
        s = app.wait_for(lambda s: s.total == total and quiet(s) and s.wide == wide,
                         f"the total {total!r}, {'wide' if wide else 'narrow'}")
        label = s.controls[LABEL4]
        x, y, w, h = label["rect"]
        design = label["design"]
        # One line keeps the designed height; wrapped, the total reaches down to the client's
        # bottom edge for its second line.
        wrapped = h != design[3]
        check([x, y, w] == design[:3] and (not wrapped or y + h == s.client_size[1]),
              f"Label4 at {label['rect']}, widened to {design}")
        left, top = s["client"][:2]
        runs = glyphs(ink(app.suite.screen, (left + x, top + y, w, h)))
        check(runs, f"nothing drawn in Label4: {label}")
        if wrapped:
            # Two lines, each with ink, and nothing running into the label's right edge.
            pixels = ink(app.suite.screen, (left + x, top + y, w, h))
            halves = (pixels[: h // 2], pixels[h // 2:])
            check(all(any(any(row) for row in half) for half in halves), "a line left empty")
            check(not any(row[w - 1] for row in pixels), "the wrapped total runs to the edge")
            whole = True
        else:
            # Drawn whole, the last glyph is the final 0 at full height and ends inside the
            # label; cut short, it is an ellipsis's dot, and then the tooltip must show it.
            whole = runs[-1][2] * 10 >= max(run[2] for run in runs) * 6 and runs[-1][1] < w - 1
        if not whole:
            app.hover(LABEL4)
            app.wait_for(lambda s: s["tooltip"] == total, "the whole total in the tooltip")
        print(f"    {'wide' if wide else 'narrow'}: the total is "
              f"{'drawn whole' if whole else 'cut short, whole in its tooltip'}"
              f"{' on two lines' if wrapped else ''}")


@scenario
def the_window_keeps_its_proportions_at_144_dpi(app):
    s = app.state()
    check(s["dpi"] == 144, f"the window's DPI is {s['dpi']}")
    check(s.client_size == (294, 120), f"narrow client {s.client_size} at 144 DPI")
    check_geometry(s)
    app.keys("1", "Tab", "2", "Tab", "3", "KP_Add", "o")
    s = app.wait_for(lambda s: s.total == " 1: 2: 3" and s.wide and s["focus"] == TEXT1 and
                     s.client_size == (540, 120), "the entry added, the panel shown at 540 x 120")
    check_geometry(s)


# --- the installer ------------------------------------------------------------------------------

UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"


def uninstall_entries(wine):
    """The Uninstall registry key's subkeys that name Orindel, with their values."""
    result = wine.reg("query", UNINSTALL_KEY, "/s")
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
    deadline = time.monotonic() + DEADLINE
    while not (found := [d for d in probe.ask("dialogs")["dialogs"] if condition(d)]):
        check(process.poll() is None, f"the installer ended while waiting for {what}")
        check(time.monotonic() < deadline, f"waited {DEADLINE} s for {what}")
        time.sleep(0.1)
    return found[0]


def controls(dialog):
    return {c["id"]: c for c in dialog["controls"]}


def heading(dialog):
    return next((c["text"] for c in dialog["controls"] if c["id"] in HEADINGS and c["text"]), None)


def press(probe, dialog, control):
    check(probe.ask(f"press {dialog['hwnd']} {control}")["pressed"], f"no {control} to press")


def install_by_pages(wine, probe, path, expected, picture):
    """Clicks Next through the installer's pages, each in `expected`, and leaves the program
    unstarted at the end. Returns the pages' headings."""
    process = wine.popen([path])
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
            shoot_client(wine.env["DISPLAY"], page["client"], picture)
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


def installer_test(args, screen):
    if not args.installer:
        args.installer = make_installer(args)
    expected = INSTALLER_LANGUAGES[args.locale]
    print(f"    installer {args.installer}, in {args.locale}: expected in {expected}")
    prefix = os.path.join(args.work, "install-prefix")
    shutil.rmtree(prefix, ignore_errors=True)
    shutil.rmtree(prefix + ".lock", ignore_errors=True)
    wine = Wine(prefix, screen.display, args.locale, unix_locale(args.locale, args.work))
    started = time.monotonic()
    wine.prepare()
    print(f"    fresh prefix in {time.monotonic() - started:.1f} s")
    probe = Probe(wine, args.probe)
    try:
        headings = install_by_pages(wine, probe, args.installer, expected, args.picture)
        check(len(headings) >= 5, f"the installer showed only {headings}")
        # Installing over it asks first whether to uninstall it; Cancel leaves it as it is.
        process = wine.popen([args.installer])
        question = wait_dialog(probe, process, lambda d: {YES, NO} <= controls(d).keys(),
                               "the question whether to uninstall first")
        check_language(question, expected)
        press(probe, question, CANCEL)
        process.wait(timeout=DEADLINE)
        check(len(uninstall_entries(wine)) == 1, "cancelling changed the installed version")
        check(not probe.ask("state")["found"], "the installer started the program, unasked")
        probe.close()  # below, each step waits until no program runs in the prefix

        # Silently, it answers yes: the installed version is uninstalled, then this one installed.
        result = wine.run([args.installer, "/S"])
        wine.wait()
        check(result.returncode == 0, f"the installer exited with {result.returncode}")
        entries = uninstall_entries(wine)
        check(len(entries) == 1, f"uninstall entries: {entries}")
        (key, values), = entries.items()
        for name in ("DisplayName", "DisplayVersion", "DisplayIcon", "UninstallString",
                     "Publisher", "EstimatedSize"):
            check(values.get(name), f"{key} has no {name}: {values}")
        check("Contact" not in values, f"{key} names a contact: {values.get('Contact')}")
        check(int(values["EstimatedSize"], 16) > 0, f"EstimatedSize {values['EstimatedSize']}")
        check(values["DisplayVersion"].startswith("1.6") or values["DisplayVersion"] == "1.06",
              f"DisplayVersion {values['DisplayVersion']!r}")
        uninstaller = values["UninstallString"].strip('"')
        folder = wine.unix_path(uninstaller.rsplit("\\", 1)[0])
        installed = sorted(os.listdir(folder))
        check(installed == ["LICENSE.txt", "README.txt", "Uninstall.exe", "orindel.exe"],
              f"installed in {folder}: {installed}")
        exe = "orindel.exe"
        icon = values["DisplayIcon"].strip('"').split(",")[0]
        check(os.path.exists(wine.unix_path(icon)), f"DisplayIcon {icon} does not exist")
        links = start_menu_links(prefix)
        print(f"    Start menu: {[os.path.relpath(l, prefix) for l in links]}")
        program_links = [l for l in links if os.path.basename(l).lower() == "orindel.lnk"]
        check(program_links, "no Start menu shortcut to Orindel")
        with open(program_links[0], "rb") as link:
            target = link.read().lower()
        # The target's path is kept in the shell link as ANSI and as UTF-16 text.
        check(b"orindel.exe" in target or "orindel.exe".encode("utf-16-le") in target,
              f"{program_links[0]} does not point at orindel.exe")

        # The installed program runs.
        suite = Suite(args, screen, wine, os.path.join(folder, exe))
        try:
            app = App(suite)
            try:
                app.keys("1", "KP_Add")
                app.message(INVALID)
                app.wait_for(quiet, "the message closed")
                app.keys("Escape")
                check(app.wait_exit() == 0, "the installed program's exit code")
            finally:
                app.close()
        finally:
            suite.probe.close()

        result = wine.run([wine.unix_path(uninstaller), "/S"])
        wine.wait()  # the uninstaller goes on in a copy of itself
        check(result.returncode == 0, f"the uninstaller exited with {result.returncode}")
        check(not uninstall_entries(wine), "the uninstall registry entry is left")
    finally:
        probe.close()
        wine.kill()  # also writes the registry out to its files
    left = [os.path.relpath(os.path.join(root, name), prefix)
            for root, dirs, files in os.walk(os.path.join(prefix, "drive_c"))
            for name in dirs + files if "orindel" in name.lower()]
    check(not left, f"left after uninstalling: {left}")
    for hive in ("system.reg", "user.reg"):
        with open(os.path.join(prefix, hive), encoding="utf-8", errors="replace") as registry:
            keys = [line.strip() for line in registry
                    if line.startswith("[") and "orindel" in line.lower()]
        check(not keys, f"registry keys left in {hive}: {keys}")
    shutil.rmtree(prefix, ignore_errors=True)


# --- the README's pictures ---------------------------------------------------------------------

def shoot_client(display, client, path):
    """Saves a window's client area, as the Linux pictures show it, once two shots agree."""
    x, y, w, h = client
    previous = None
    for _ in range(40):
        subprocess.run(["import", "-display", display, "-window", "root",
                        "-crop", f"{w}x{h}+{x}+{y}", "+repage", path], check=True)
        with open(path, "rb") as picture:
            current = picture.read()
        if current == previous:
            return
        previous = current
        time.sleep(0.1)
    raise Failure(f"the window kept changing: {path}")


def screenshots(args, screen):
    wine = Wine(os.path.join(args.work, "prefix"), screen.display)
    wine.prepare(dpi=96)
    suite = Suite(args, screen, wine, args.exe)
    app = App(suite)
    try:
        # As the Linux pictures: a thousand entries of nothing, then 12345 h 59 m 59 s.
        check(suite.probe.ask("clip 1 00").get("done"), "the clipboard was not filled")
        suite.probe.ask(f"paste 1000 {COMMAND1} 0 0")
        app.wait_for(lambda s: s.text(LABEL5) == " 1000", "a thousand entries")
        app.keys("1", "2", "3", "4", "5", "Tab", "5", "9", "Tab", "5", "9", "KP_Add")
        app.wait_for(lambda s: s.total == " 12345: 59: 59" and quiet(s), "the total 12345:59:59")
        os.makedirs(args.out, exist_ok=True)
        shoot_client(screen.display, app.state()["client"],
                     os.path.join(args.out, "win32-narrow.png"))
        app.keys("o")
        app.wait_for(lambda s: s.wide and s.box is None, "the panel shown")
        shoot_client(screen.display, app.state()["client"],
                     os.path.join(args.out, "win32-wide.png"))
        print(f"wrote {args.out}/win32-narrow.png and {args.out}/win32-wide.png")
    finally:
        app.close()
        suite.probe.close()
        wine.kill()
    return 0


# --- running ------------------------------------------------------------------------------------

class Suite:
    def __init__(self, args, screen, wine, exe):
        self.args, self.screen, self.wine, self.exe = args, screen, wine, exe
        self.probe = Probe(wine, args.probe)

    def restart_probe(self):
        self.probe.close()
        self.probe = Probe(self.wine, self.args.probe)


def run_one(name, body, screen, failures_dir):
    print(f"[ RUN      ] {name}", flush=True)
    started = time.monotonic()
    try:
        body()
    except Exception as error:  # a failure or a harness error: report it, go on with the next
        shot = os.path.join(failures_dir, name + ".png")
        if not os.path.exists(shot):
            screen.shoot(shot)
        detail = str(error) if isinstance(error, Failure) else traceback.format_exc()
        print(f"    {detail}\n    screen: {shot}")
        print(f"[  FAILED  ] {name} ({time.monotonic() - started:.1f} s)", flush=True)
        return False
    print(f"[       OK ] {name} ({time.monotonic() - started:.1f} s)", flush=True)
    return True


def keys_suite(args, screen):
    wine = Wine(os.path.join(args.work, "prefix"), screen.display)
    started = time.monotonic()
    wine.prepare(dpi=96)
    print(f"prefix ready in {time.monotonic() - started:.1f} s: {wine.prefix}")
    failures_dir = os.path.join(args.work, "failures")
    shutil.rmtree(failures_dir, ignore_errors=True)
    suite = Suite(args, screen, wine, args.exe)
    wanted = [f for f in SCENARIOS
              if (not args.only or f.__name__ in args.only) and f.__name__ not in args.skip]
    failed = []
    try:
        for function in wanted:
            high_dpi = "144_dpi" in function.__name__
            if high_dpi:
                suite.probe.close()
                wine.prepare(dpi=144)
                suite.restart_probe()

            def body():
                app = App(suite)
                try:
                    function(app)
                except Exception:
                    screen.shoot(os.path.join(failures_dir, function.__name__ + ".png"))
                    raise
                finally:
                    app.close()

            if not run_one(function.__name__, body, screen, failures_dir):
                failed.append(function.__name__)
            if high_dpi:
                suite.probe.close()
                wine.prepare(dpi=96)
                suite.restart_probe()
    finally:
        suite.probe.close()
        wine.kill()
    return failed, len(wanted)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("suite", choices=["keys", "installer", "screenshots"])
    parser.add_argument("--out")
    parser.add_argument("--exe")
    parser.add_argument("--installer")
    parser.add_argument("--cpack")
    parser.add_argument("--cpack-config")
    parser.add_argument("--locale", default="en_US.UTF-8", choices=INSTALLER_LANGUAGES,
                        help="the installer's Unix locale")
    parser.add_argument("--picture", help="where to save the installer's first page")
    parser.add_argument("--probe", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--only", nargs="*", help="run only these scenarios")
    parser.add_argument("--skip", nargs="*", default=[], help="leave these scenarios out")
    args = parser.parse_args()
    args.work = os.path.abspath(args.work)
    os.makedirs(args.work, exist_ok=True)

    started = time.monotonic()
    screen = Screen()
    try:
        if args.suite == "keys":
            failed, count = keys_suite(args, screen)
        elif args.suite == "screenshots":
            return screenshots(args, screen)
        else:
            count = 1
            name = f"installs_runs_and_uninstalls_in_{args.locale}"
            ok = run_one(name, lambda: installer_test(args, screen), screen,
                         os.path.join(args.work, "failures"))
            failed = [] if ok else [name]
    finally:
        screen.close()
    print(f"{count - len(failed)} of {count} scenarios passed in "
          f"{time.monotonic() - started:.1f} s")
    for name in failed:
        print(f"FAILED: {name}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
