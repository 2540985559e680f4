#!/usr/bin/python3
"""Orindel on a real Wayland compositor: sway, headless, runs the program on Qt's Wayland platform;
wtype types through sway's virtual keyboard, so the keys reach the program as a keyboard's would.
What the keys did is read back through the AT-SPI bus (the entry boxes, the total and any message
box) and from sway's window tree (the window's size and title).

Run it inside a D-Bus session of its own, as a user that sway accepts (not root), with
XDG_RUNTIME_DIR set to a private folder. Exits non-zero at the first step that fails, after taking
a screenshot of it into the work folder.
Usage: wayland_keys.py ORINDEL_BINARY WORK_FOLDER SHARED_FOLDER
"""
import glob
import json
import os
import re
import subprocess
import sys
import time
from dataclasses import dataclass
from typing import Optional

sys.path.insert(0, sys.argv[3])
import pyatspi  # noqa: E402
from read_total import walk  # noqa: E402  (the accessible tree walk the X11 test uses)

# The window's caption, from the build.
CAPTION = os.environ["ORINDEL_CAPTION"]

# How long any one condition may take on a busy machine; a passing run meets each within a second.
DEADLINE = 15.0

NARROW_WIDTH = 196  # client widths in pixels at scale 1: outer 3030 and 5490 twips less the border
WIDE_WIDTH = 360
EMPTY = ("", "", "")
TOTAL = re.compile(r"^ ?-?\d+: ?-?\d+: ?-?\d+$")


class Failure(Exception):
    pass


START = time.monotonic()


def report(text):
    print(f"{time.monotonic() - START:5.1f} s  {text}", flush=True)


@dataclass
class Step:
    name: str
    keys: list  # wtype arguments after the priming key
    total: Optional[str] = None
    boxes: Optional[tuple] = None
    width: Optional[int] = None
    # The message box expected after the keys: its title and text, or None for no box.
    message: Optional[tuple] = None


TAB = ["-k", "Tab"]
STEPS = [
    Step("keypad plus adds the entry", ["1", *TAB, "2", *TAB, "3", "-k", "KP_Add"],
         total=" 1: 2: 3", boxes=EMPTY),
    Step("keypad minus subtracts it", ["0", *TAB, "1", *TAB, "0", "-k", "KP_Subtract"],
         total=" 1: 1: 3", boxes=EMPTY),
    Step("main minus subtracts it", ["0", *TAB, "0", *TAB, "3", "-k", "minus"],
         total=" 1: 1: 0", boxes=EMPTY),
    Step("the plus key alone types = and runs nothing", ["0", *TAB, "0", *TAB, "5", "-k", "equal"],
         total=" 1: 1: 0", boxes=("0", "0", "5=")),
    # wtype puts every keysym on a key of its own, so Shift with the plus key is "plus" with Shift.
    Step("Shift with the plus key adds",
         ["-k", "BackSpace", "-M", "shift", "-k", "plus", "-m", "shift"],
         total=" 1: 1: 5", boxes=EMPTY),
    Step("O widens the window", ["o"], width=WIDE_WIDTH, boxes=EMPTY),
    Step("O again narrows it", ["o"], width=NARROW_WIDTH, boxes=EMPTY),
    Step("a rejected entry shows its message box", ["1", "-k", "KP_Add"],
         message=("Orindel", "入力値が不正です")),
    Step("Enter closes the message box", ["-k", "Return"], total=" 1: 1: 5", boxes=EMPTY,
         width=NARROW_WIDTH),
]


class Session:
    def __init__(self, binary, work):
        self.binary = binary
        self.work = work
        self.runtime = os.environ["XDG_RUNTIME_DIR"]
        self.env = dict(os.environ)
        self.processes = []
        self.program = None
        self.stage = "start"  # names the screenshot of a failure

    def start_sway(self):
        config = os.path.join(self.work, "sway.conf")
        with open(config, "w") as out:
            # No bar and no X server: the window and the keys are all there is.
            out.write("xwayland disable\n"
                      "output HEADLESS-1 resolution 1024x768 position 0 0 scale 1\n")
        env = dict(self.env, WLR_BACKENDS="headless", WLR_LIBINPUT_NO_DEVICES="1",
                   WLR_RENDERER="pixman")
        with open(os.path.join(self.work, "sway.log"), "w") as log:
            self.processes.append(subprocess.Popen(["sway", "-c", config], env=env, stdout=log,
                                                   stderr=subprocess.STDOUT))

        def sockets():
            wayland = [s for s in glob.glob(os.path.join(self.runtime, "wayland-*"))
                       if not s.endswith(".lock")]
            ipc = glob.glob(os.path.join(self.runtime, "sway-ipc.*.sock"))
            return (wayland and ipc), (wayland, ipc)

        wayland, ipc = wait_for("sway's sockets", sockets)
        self.env["WAYLAND_DISPLAY"] = os.path.basename(wayland[0])
        self.env["SWAYSOCK"] = ipc[0]
        wait_for("sway's IPC", lambda: (self.tree() is not None, None))

        # A headless seat has no keyboard: each wtype call would plug one in and pull it out again,
        # and the program, which binds its keyboard only once the seat has one, would miss the keys
        # sent in between. A virtual keyboard kept for the whole session stands for the real one.
        self.processes.append(subprocess.Popen(["wtype", "-s", "86400000"], env=self.env))

        def keyboard():
            seats = self.ipc("get_seats") or []
            return any(seat.get("capabilities", 0) & 2 for seat in seats), seats

        wait_for("a keyboard on sway's seat", keyboard)

    def start_program(self):
        env = dict(self.env, QT_QPA_PLATFORM="wayland", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.program_log = os.path.join(self.work, "orindel.log")
        with open(self.program_log, "w") as log:
            self.program = subprocess.Popen([self.binary], env=env, stdout=log,
                                            stderr=subprocess.STDOUT)
        self.processes.append(self.program)

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()

    def ipc(self, request):
        result = subprocess.run(["swaymsg", "-r", "-t", request], env=self.env,
                                capture_output=True, text=True, timeout=10)
        return json.loads(result.stdout) if result.returncode == 0 else None

    def tree(self):
        return self.ipc("get_tree")

    def windows(self):
        """The program's windows in sway's tree, by title."""
        found = {}

        def visit(node):
            if node.get("pid") == self.program.pid:
                found[node.get("name")] = node
            for child in node.get("nodes", []) + node.get("floating_nodes", []):
                visit(child)

        tree = self.tree()
        if tree is not None:
            visit(tree)
        return found

    def accessible(self):
        """What a screen reader finds: the total, the three boxes and any message box."""
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is None or app.name.lower() != "orindel":
                continue
            seen = {"total": None, "boxes": [], "messages": []}
            for node in walk(app):
                role = node.getRoleName()
                if role == "label" and TOTAL.match(node.name):
                    seen["total"] = node.name
                elif role == "text":
                    seen["boxes"].append(node.queryText().getText(0, -1))
            for j in range(app.childCount):
                top = app.getChildAtIndex(j)
                if top is not None and top.getRoleName() in ("dialog", "alert"):
                    texts = [n.name for n in walk(top) if n.getRoleName() == "label"]
                    seen["messages"].append((top.name, texts))
            seen["boxes"] = tuple(seen["boxes"])
            return seen
        return None

    def state(self):
        """The program as seen from outside: accessible view plus sway's view of its windows."""
        try:
            seen = self.accessible() or {"error": "not on the accessibility bus"}
        except Exception as error:  # an object that went away while it was read: read again
            seen = {"error": repr(error)}
        windows = self.windows()
        seen["windows"] = {name: {"type": node.get("type"), "shell": node.get("shell"),
                                  "focused": node.get("focused"),
                                  "width": node["window_rect"]["width"],
                                  "height": node["window_rect"]["height"]}
                           for name, node in windows.items()}
        return seen

    def alive(self):
        if self.program.poll() is not None:
            raise Failure(f"the program ended with exit code {self.program.returncode}")

    def keys(self, arguments):
        # Each wtype call uploads a keymap of its own, and the key after the upload can be lost:
        # lead with Shift, which lands on the same key in every call's keymap and types nothing,
        # and give the program a moment to take the new keymap.
        subprocess.run(["wtype", "-k", "Shift_L", "-s", "50", *arguments], env=self.env,
                       check=True, timeout=10)

    def screenshot(self, name):
        path = os.path.join(self.work, re.sub(r"[^a-z0-9]+", "-", name.lower()).strip("-") + ".png")
        subprocess.run(["grim", path], env=self.env, timeout=10)
        return path


def wait_for(what, probe, deadline=DEADLINE):
    """Polls probe, which returns (done, seen), until done; then returns seen."""
    end = time.monotonic() + deadline
    while True:
        done, seen = probe()
        if done:
            return seen
        if time.monotonic() > end:
            raise Failure(f"{what}: not met within {deadline:.0f} s; seen: {seen}")
        time.sleep(0.1)


def main_window(state):
    return state["windows"].get(CAPTION)


def meets(step, state):
    window = main_window(state)
    if "error" in state or window is None:
        return False
    if step.total is not None and state.get("total") != step.total:
        return False
    if step.boxes is not None and state.get("boxes") != step.boxes:
        return False
    if step.width is not None and window["width"] != step.width:
        return False
    if step.message is None:
        return (window["focused"] and not state["messages"]
                and list(state["windows"]) == [CAPTION])
    title, text = step.message
    box = state["windows"].get(title)
    return (box is not None and box["focused"]
            and any(name == title and text in texts for name, texts in state["messages"]))


def run(session):
    session.start_sway()
    session.start_program()

    def started():
        session.alive()
        state = session.state()
        window = main_window(state)
        done = (window is not None and window["focused"] and window["width"] == NARROW_WIDTH
                and state.get("total") == " 0: 0: 0" and state.get("boxes") == EMPTY)
        return done, state

    state = wait_for("the narrow window, focused, with the total heard", started)
    window = main_window(state)
    # A tiling compositor floats only a window of fixed size; a tiled one would take the output's
    # width and its O key could not change it.
    if window["type"] != "floating_con" or window["shell"] != "xdg_shell":
        raise Failure(f"the window is not a floating Wayland window: {window}")
    report(f"started: {window}")

    for step in STEPS:
        def probe():
            session.alive()
            state = session.state()
            return meets(step, state), state

        session.stage = step.name
        session.keys(step.keys)
        wait_for(step.name, probe)
        report(f"ok: {step.name}")

    session.stage = "escape"
    session.keys(["-k", "Escape"])
    try:
        code = session.program.wait(DEADLINE)
    except subprocess.TimeoutExpired:
        raise Failure("Esc did not end the program")
    if code != 0:
        raise Failure(f"Esc ended the program with exit code {code}")
    report("ok: Esc ends the program with exit code 0")


def main():
    session = Session(os.path.abspath(sys.argv[1]), sys.argv[2])
    try:
        run(session)
    except Failure as failure:
        report(f"FAILED: {failure}")
        if session.env.get("WAYLAND_DISPLAY"):
            report(f"screenshot: {os.path.basename(session.screenshot(session.stage))}")
        for log in ("orindel.log", "sway.log"):
            path = os.path.join(session.work, log)
            if os.path.exists(path):
                with open(path, errors="replace") as text:
                    print(f"--- last lines of {log}:\n" + "".join(text.readlines()[-15:]))
        return 1
    finally:
        session.stop()
    report("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
