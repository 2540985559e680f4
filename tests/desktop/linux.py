"""The Qt program on Linux desktops, read through the AT-SPI accessibility bus as a screen reader
reads it: Xvfb with openbox or with KWin, typed and clicked on with xdotool; headless sway, typed
on with one held wtype keyboard; and GNOME (gnome.py). Each runs in a D-Bus session of its own
(dbus-run-session), the Wayland ones as a user that is not root (see as_user.sh).
"""
import glob
import json
import os
import subprocess

import pyatspi
from gi.repository import Gio, GLib

from harness import (CLOSED, Desktop, Scenario, Screen, State, check, deadline, ended, message,
                     poll, stop)
from scenarios import INVALID

# The accessible names a screen reader gives the buttons (an entry box takes its unit's caption).
BUTTON_NAMES = ("加算", "減算", "拡張メニューの表示切替")
# The accessible role of each kind of control the focus may be in. Roles are compared by their
# constants: their names differ between releases of AT-SPI ("push button", later "button").
ROLES = {"EntryBox": pyatspi.ROLE_TEXT, "Button": pyatspi.ROLE_PUSH_BUTTON,
         "Option": pyatspi.ROLE_RADIO_BUTTON}


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def accessible_window(pid, layout):
    """The program's top-level accessible objects, and its window's controls in the layout's order
    by role (the window holds the frame's options first); None for them while it is not there."""
    desktop = pyatspi.Registry.getDesktop(0)
    tops = [top for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
            if app is not None and app.get_process_id() == pid
            for top in (app.getChildAtIndex(j) for j in range(app.childCount)) if top is not None]
    window = next((t for t in tops if t.name == layout.caption), None)
    kinds = {}
    for node in walk(window) if window else ():
        kinds.setdefault(node.getRole(), []).append(node)
    return tops, window, kinds


def accessible_state(pid, layout):
    """The program's window as its accessible objects tell it, or None while it is not there."""
    tops, window, kinds = accessible_window(pid, layout)
    if window is None:
        return None
    boxes, labels = kinds.get(pyatspi.ROLE_TEXT, []), kinds.get(pyatspi.ROLE_LABEL, [])
    names = {role: layout.named(kind) for kind, role in ROLES.items()}
    focus = next((names[role][i] for role, nodes in kinds.items() if role in names
                  for i, node in enumerate(nodes)
                  if node.getState().contains(pyatspi.STATE_FOCUSED)), None)
    problems = []
    box_names = [layout.captions[layout.unit_label(box)] for box in layout.named("EntryBox")]
    if [b.name for b in boxes] != box_names:
        problems.append(f"the boxes are named {[b.name for b in boxes]}")
    buttons = [b.name for b in kinds.get(pyatspi.ROLE_PUSH_BUTTON, [])]
    if tuple(buttons) != BUTTON_NAMES:
        problems.append(f"the buttons are named {buttons}")
    box = None
    for dialog in (t for t in tops if t.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)):
        parts = list(walk(dialog))[1:]
        box = layout.message(dialog.name,
                             "\n".join(p.name for p in parts if p.getRole() == pyatspi.ROLE_LABEL))
        shown = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_ICON, pyatspi.ROLE_IMAGE)
        if [p.getRole() for p in parts if p.getRole() in shown or p.getRole() == pyatspi.ROLE_LABEL
                and not p.name] != [pyatspi.ROLE_PUSH_BUTTON]:
            problems.append("the message box holds more than its text and one button")
    extents = window.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    label = dict(zip(layout.named("Label"), labels))
    return State(boxes=tuple(b.queryText().getText(0, -1) for b in boxes),
                 total=label["Label4"].name, count=label["Label5"].name,
                 panel=showing(label["Label5"]), focus=focus, message=box,
                 size=layout.width((extents.width, extents.height)), problems=tuple(problems))


class Linux(Desktop):
    """What the Linux desktops share: the program, its reader and its log."""

    def __init__(self, binary, work, layout):
        super().__init__()
        self.binary, self.work, self.layout = binary, work, layout

    def launch(self, scenario):
        self.log = open(os.path.join(self.work, "orindel.log"), "w")
        self.program = subprocess.Popen([self.binary, *scenario.arguments], env=dict(
            self.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"), stdout=self.log,
            stderr=subprocess.STDOUT)

    def read(self):
        if self.program.poll() is not None:
            return ended(self.program.returncode)
        try:
            state = accessible_state(self.program.pid, self.layout)
        except Exception as error:  # an object that went away while it was read: read again
            return State(problems=(f"reading: {error!r}",))
        return state or State(problems=("not on the accessibility bus",))

    def middle(self, control):
        """The middle of a control, by name, where its accessible object puts it on the screen."""
        kind = next(c["kind"] for c in self.layout.controls if c["name"] == control)
        node = accessible_window(self.program.pid, self.layout)[2][ROLES[kind]][
            self.layout.named(kind).index(control)]
        extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return extents.x + extents.width // 2, extents.y + extents.height // 2

    def close(self):
        stop(self.program)
        self.log.close()

    def output(self):
        with open(self.log.name, errors="replace") as log:  # without Wayland's debug lines
            return "".join(line for line in log if not line.startswith("["))[-3000:]


# The window managers of the X11 desktops: openbox, and KDE's KWin (with Breeze, its decoration).
WINDOW_MANAGERS = {"x11": ["openbox"], "kde": ["kwin_x11", "--replace"]}


class X11(Linux):
    """Xvfb with a desktop's window manager (WINDOW_MANAGERS), and the accessibility bus."""

    def __init__(self, binary, work, layout, desktop_entry, bus_launcher, window_manager):
        super().__init__(binary, work, layout)
        self.desktop_entry, self.bus_launcher = desktop_entry, bus_launcher
        self.window_manager = window_manager

    def start(self):
        self.screen = Screen()
        self.helpers.append(self.screen.process)
        self.env = dict(os.environ, DISPLAY=self.screen.display, QT_QPA_PLATFORM="xcb")
        # The services that the session's bus starts (KWin's shortcuts) open this display too.
        display = GLib.Variant("(a{ss})", ({"DISPLAY": self.screen.display},))
        Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
            "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
            "UpdateActivationEnvironment", display, None, Gio.DBusCallFlags.NONE, -1)
        # Its settings are kept in WORK, away from those of the user who runs the tests.
        self.helper(self.window_manager, stderr=open(os.path.join(self.work, "wm.log"), "w"),
                    env=dict(self.env, XDG_CONFIG_HOME=os.path.join(self.work, "wm-config")))
        self.helper([self.bus_launcher, "--launch-immediately"], env=self.env)
        # The window manager first, so that it manages the program's window from its start.
        poll(lambda: "window id" in self.xprop("-root", "_NET_SUPPORTING_WM_CHECK"),
             f"{self.window_manager[0]} running")
        with open(self.desktop_entry) as entry:
            self.wm_class = next(line.split("=", 1)[1].strip() for line in entry
                                 if line.startswith("StartupWMClass="))

    def xprop(self, *arguments):
        return subprocess.run(["xprop", *arguments], env=self.env, capture_output=True,
                              text=True).stdout

    def launch(self, scenario):
        super().launch(scenario)
        self.window = poll(lambda: self.screen.windows(self.layout.caption, self.program.pid),
                           "the program's window")[0]
        # The window's class matches the desktop entry, for the dock to group it under its icon.
        wm_class = self.xprop("-id", self.window, "WM_CLASS").rsplit('"', 2)[-2]
        check(wm_class == self.wm_class, f"WM_CLASS {wm_class!r}, the desktop entry's "
              f"StartupWMClass {self.wm_class!r}")
        # A window of fixed size offers no maximising, as the Win32 window has no maximize box.
        check(not self.functions(self.window) & 0x10, "the window may be maximised")

    def functions(self, window):
        """What its Motif hints let a window be: 0x8 minimised, 0x10 maximised (all if unsaid)."""
        hints = self.xprop("-id", window, "_MOTIF_WM_HINTS").partition("= ")[2].split(", ")
        return int(hints[1], 0) if len(hints) > 1 and int(hints[0], 0) & 1 else 0x3f

    def read(self):
        state = super().read()
        if state.message is None:
            return state
        # A message box is a modal dialog of the window, which the window manager keeps over it;
        # it offers neither minimising nor maximising, and its title shows whole.
        problems = []
        for box in self.screen.windows(self.layout.title, self.program.pid):
            if self.functions(box) & 0x18:
                problems.append("the message box may be minimised or maximised")
            said = self.xprop("-id", box, "WM_TRANSIENT_FOR", "_NET_WM_STATE")
            if f"# {int(self.window):#x}\n" not in said or "_NET_WM_STATE_MODAL" not in said:
                problems.append("the message box is no modal dialog of the window")
            width = int(self.screen.xdotool("getwindowgeometry", box).split("Geometry: ")[1]
                        .split("x")[0])
            if width < 200:
                problems.append(f"the message box is {width} pixels wide, too narrow for its title")
        return State(**{**vars(state), "problems": state.problems + tuple(problems)})

    def keys(self, text):
        self.screen.keys(text)

    def click(self, control, button=1):
        self.screen.point(*self.middle(control), "click", str(button))


class Wayland(Linux):
    """sway, headless: Qt's Wayland platform, keys from one wtype keyboard held for the session,
    and the window's size and focus as sway's window tree has them."""

    def start(self):
        runtime = os.environ["XDG_RUNTIME_DIR"]
        config = os.path.join(self.work, "sway.conf")
        with open(config, "w") as out:
            # No bar and no X server: the window and the keys are all there is.
            out.write("xwayland disable\n"
                      "output HEADLESS-1 resolution 1024x768 position 0 0 scale 1\n")
        self.helper(["sway", "-c", config], stdout=open(os.path.join(self.work, "sway.log"), "w"),
                    stderr=subprocess.STDOUT, env=dict(os.environ, WLR_BACKENDS="headless",
                                                       WLR_LIBINPUT_NO_DEVICES="1",
                                                       WLR_RENDERER="pixman"))
        wayland = poll(lambda: [s for s in glob.glob(os.path.join(runtime, "wayland-*"))
                                if not s.endswith(".lock")], "sway's Wayland socket")
        ipc = poll(lambda: glob.glob(os.path.join(runtime, "sway-ipc.*.sock")), "sway's IPC")
        self.env = dict(os.environ, WAYLAND_DISPLAY=os.path.basename(wayland[0]),
                        SWAYSOCK=ipc[0], QT_QPA_PLATFORM="wayland")
        poll(lambda: self.ipc("get_tree"), "sway's IPC answering")
        # A headless seat has no keyboard: each wtype call would plug one in and pull it out
        # again, and the program, which binds its keyboard only once the seat has one, would miss
        # the keys sent in between. A virtual keyboard kept for the session stands for a real one.
        self.helper(["wtype", "-s", "86400000"], env=self.env)
        poll(lambda: any(s.get("capabilities", 0) & 2 for s in self.ipc("get_seats") or []),
             "a keyboard on sway's seat")

    def ipc(self, request):
        result = subprocess.run(["swaymsg", "-r", "-t", request], env=self.env,
                                capture_output=True, text=True, timeout=deadline())
        return json.loads(result.stdout) if result.returncode == 0 else None

    def windows(self):
        """The program's windows in sway's tree, by title."""
        found, nodes = {}, [self.ipc("get_tree") or {}]
        while nodes:
            node = nodes.pop()
            if node.get("pid") == self.program.pid:
                found[node.get("name")] = node
            nodes += node.get("nodes", []) + node.get("floating_nodes", [])
        return found

    def read(self):
        state = super().read()
        if state.exit is not None:
            return state
        windows = self.windows()
        window = windows.pop(self.layout.caption, None)
        if window is None:
            return State(problems=("no window in sway's tree",))
        focused = [name for name, node in windows.items() if node.get("focused")]
        problems = list(state.problems)
        # A tiling compositor floats only a window of fixed size; a tiled one would take the
        # output's width and the O key could not change it.
        if window["type"] != "floating_con" or window["shell"] != "xdg_shell":
            problems.append(f"not a floating Wayland window: {window['type']}, {window['shell']}")
        if list(windows) != ([self.layout.title] if state.message else []):
            problems.append(f"other windows: {list(windows)}")
        if not window["focused"] and focused != ([self.layout.title] if state.message else []):
            problems.append(f"sway gives the keyboard to {focused or 'no window'}")
        rect = window["window_rect"]
        return State(**{**vars(state), "size": self.layout.width((rect["width"], rect["height"])),
                        "problems": tuple(problems)})

    def keys(self, text):
        # Each wtype call uploads a keymap of its own, and the key after the upload can be lost:
        # lead with Shift, which lands on the same key in every call's keymap and types nothing.
        arguments = ["-k", "Shift_L", "-s", "50"]
        for chord in text.split():
            *modifiers, key = chord.split("+")
            # wtype gives each keysym a key of its own with no shift level: a US keyboard's
            # Shift and = is the keysym plus, with Shift held.
            key = {("shift", "equal"): "plus"}.get((*modifiers, key), key)
            for modifier in modifiers:
                arguments += ["-M", modifier]
            arguments += ["-k", key]
            for modifier in modifiers:
                arguments += ["-m", modifier]
        subprocess.run(["wtype", *arguments], env=self.env, check=True, timeout=deadline())

    def shoot(self, path):
        subprocess.run(["grim", path], env=self.env, timeout=deadline())
        return path


def keyboard_layout(name):
    def set_layout(x11):
        check(subprocess.run(["setxkbmap", "-layout", name], env=x11.env).returncode == 0,
              f"setxkbmap -layout {name}")
    set_layout.__name__ = f"layout_{name}"
    return set_layout


X11_SCENARIOS = [
    # A Japanese keyboard's plus key is ";+": Shift with it adds. Shift with its minus key types
    # "=" and still subtracts, which the entry check then refuses for the "=".
    Scenario("a_japanese_keyboards_plus_and_minus_keys", (keyboard_layout("jp"), {}),
             ("0 Tab 2 Tab 0 shift+semicolon", dict(total=" 0: 2: 0", count=" 1")),
             ("0 Tab 1 Tab 0 minus", dict(total=" 0: 1: 0", count=" 0")),
             ("0 Tab 1 Tab 0 shift+minus", dict(boxes=("0", "1", "0="), **message(INVALID))),
             ("Return", CLOSED), (keyboard_layout("us"), {})),
    # A dead key composes nothing in a box: "^" then "1" types "1", not "¹", which is no digit.
    Scenario("dead_keys_compose_nothing_in_the_boxes", (keyboard_layout("us(intl)"), {}),
             ("dead_circumflex 1 Tab dead_circumflex 2 Tab 3 KP_Add",
              dict(total=" 1: 2: 3", count=" 1")), (keyboard_layout("us"), {})),
]
