"""The parts every desktop shares: the window's layout as the build states it, the state record
that a reader returns, the poller that waits for a whole expected state, the X server the X11 and
Wine desktops run on, and the loop that plays a table of scenarios on a desktop.

A desktop (see linux.py and wine.py) starts the program afresh for each scenario and has four
methods besides: keys(text) presses keys, given as xdotool names separated by blanks ("1 Tab
shift+equal"); read() returns a State; shoot(path) saves the screen; close() ends the program.
A desktop with a mouse has click(control, button) too; one without skips the scenarios that click.
No setting is read from the environment: run.py passes each one on.
"""
import dataclasses
import os
import select
import subprocess
import time
import traceback
from typing import Optional, Union

# How long a state may take to come; the wait starts again while the state keeps changing, as a
# busy machine slows every step alike. run.py's --deadline-scale stretches it for slow builds.
_deadline = 20.0


def stretch_deadlines(scale):
    global _deadline
    _deadline = 20.0 * scale


def deadline(times=1):
    """The time a step may take, in seconds; a long step may take several deadlines."""
    return _deadline * times


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Layout:
    """The window as the build lays it out, read from JSON (orindel_layout prints it, the probe
    answers it to 'layout'): the caption, the message boxes' title, the version shown, the client
    sizes at 96 DPI and each control's id, name, kind, sizing and caption, in the table's order."""

    def __init__(self, printed):
        self.caption, self.title = printed["caption"], printed["title"]
        self.version = printed["displayVersion"]
        self.sizes = {width: tuple(size) for width, size in printed["client"].items()}
        self.controls = printed["controls"]
        self.ids = {c["name"]: c["id"] for c in self.controls}
        self.captions = {c["name"]: c["caption"] for c in self.controls}

    def named(self, kind):
        """The names of the controls of one kind ("EntryBox", "Label" ...), in the table's order."""
        return [c["name"] for c in self.controls if c["kind"] == kind]

    @staticmethod
    def unit_label(box):
        """The label that gives an entry box its name: its unit's caption, Label1 for Text1."""
        return "Label" + box[-1]

    def width(self, size, sizes=None):
        """"narrow" or "wide" for a client area of either of the layout's sizes, else the size."""
        return next((name for name, fixed in (sizes or self.sizes).items()
                     if tuple(fixed) == tuple(size)), tuple(size))

    def message(self, title, text):
        """A message box's reading: its text, and its title too where that is not the program's."""
        return text if title == self.title else (title, text)


@dataclasses.dataclass(frozen=True)
class State:
    """The window as a reader sees it. problems lists what the desktop's own rules find wrong (a
    message box with an icon, a control out of place): expected empty, always."""
    boxes: Optional[tuple] = ("", "", "")
    total: Optional[str] = " 0: 0: 0"
    count: Optional[str] = "0"
    panel: Optional[bool] = False  # the count and its caption shown
    focus: Optional[str] = "Text1"  # the focused control's name; None when no control has it
    # The open message box's text (Layout.message: with its title, where that is not the program's).
    message: Union[str, tuple, None] = None
    size: Union[str, tuple, None] = "narrow"  # the client area: Layout.width
    exit: Optional[int] = None  # the exit code, once the program has ended
    problems: tuple = ()

    def __str__(self):
        def short(value):
            text = repr(value)
            return text if len(text) < 80 else f"{text[:40]}...({len(text)} chars)"
        return ", ".join(f"{f.name}={short(getattr(self, f.name))}"
                         for f in dataclasses.fields(self))


START = State()


def ended(code):
    return State(None, None, None, None, None, None, None, code)


def message(text):
    """The state's changes while a message box shows `text`."""
    return dict(message=text, focus=None)


CLOSED = dict(message=None, focus="Text1", boxes=("", "", ""))


def differences(expected, seen):
    return "; ".join(f"{f.name}: expected {getattr(expected, f.name)!r}, "
                     f"seen {getattr(seen, f.name)!r}" for f in dataclasses.fields(State)
                     if getattr(expected, f.name) != getattr(seen, f.name))


def wait_for(desktop, expected, what, timeout=None):
    """Polls the desktop's reader until it returns `expected`, whole; fails with what differs."""
    timeout = timeout or deadline()
    last, end, pause = None, time.monotonic() + timeout, 0.05
    while True:
        seen = desktop.read()
        if seen == expected:
            return seen
        if seen != last:
            last, end = seen, max(end, time.monotonic() + timeout / 2)
        if seen.exit is not None and expected.exit is None:
            raise Failure(f"{what}: the program ended with exit code {seen.exit}")
        if time.monotonic() > end:
            raise Failure(f"{what}: not within {timeout:.0f} s; {differences(expected, seen)}\n"
                          f"    seen: {seen}")
        pause = sleep(pause)


def sleep(pause):
    """Waits between two readings, longer each time up to half a second: a long wait reads the
    window less often, and so slows it less."""
    time.sleep(pause)
    return min(pause * 1.5, 0.5)


def poll(condition, what, timeout=None):
    """Polls condition() until it returns something true, and returns that."""
    timeout = timeout or deadline()
    end, pause = time.monotonic() + timeout, 0.05
    while not (result := condition()):
        check(time.monotonic() < end, f"{what}: not within {timeout:.0f} s")
        pause = sleep(pause)
    return result


class Scenario:
    """Keys and the state each leaves, on a freshly started program. A step is (keys, changes)
    or (keys, changes, how many deadlines it may take): keys a string for desktop.keys or a
    function of the desktop; changes what differs from the state the step before left."""

    def __init__(self, name, *steps, start=START, arguments=()):
        self.name, self.steps, self.start, self.arguments = name, steps, start, arguments

    def play(self, desktop):
        expected = self.start and wait_for(desktop, self.start, "the program started")
        for number, (keys, changes, *deadlines) in enumerate(self.steps, 1):
            keys(desktop) if callable(keys) else desktop.keys(keys)
            if expected:
                expected = dataclasses.replace(expected, **changes)
                what = f"step {number} ({keys if isinstance(keys, str) else keys.__name__})"
                wait_for(desktop, expected, what, deadline(*deadlines))


def play_all(desktop, scenarios, failures):
    """Plays each scenario on a fresh program; a failure keeps a screenshot in `failures`."""
    os.makedirs(failures, exist_ok=True)
    for old in os.listdir(failures):
        os.remove(os.path.join(failures, old))
    failed, started = [], time.monotonic()
    for scenario in scenarios:
        if any(getattr(step[0], "mouse", False) for step in scenario.steps) and \
                not hasattr(desktop, "click"):
            print(f"[  SKIPPED ] {scenario.name}: this desktop has no mouse", flush=True)
            continue
        print(f"[ RUN      ] {scenario.name}", flush=True)
        begun = time.monotonic()
        try:
            desktop.launch(scenario)
            scenario.play(desktop)
            result = "[       OK ]"
        except Exception as error:  # a failure or a harness error: report it, go on
            shot = desktop.shoot(os.path.join(failures, scenario.name + ".png"))
            print(f"    {error if isinstance(error, Failure) else traceback.format_exc()}\n"
                  f"    screen: {shot}")
            desktop.close()
            print(f"    the program's output:\n{desktop.output()}")
            failed.append(scenario.name)
            result = "[  FAILED  ]"
        finally:
            desktop.close()
        print(f"{result} {scenario.name} ({time.monotonic() - begun:.1f} s)", flush=True)
    print(f"{len(scenarios) - len(failed)} passed, {len(failed)} failed "
          f"({time.monotonic() - started:.1f} s)")
    for name in failed:
        print(f"FAILED: {name}")
    return not failed


class Desktop:
    """What every desktop does alike: start() starts its helper processes, and stop() ends them,
    last first, those of a start that failed half way too."""

    def __init__(self):
        self.helpers, self.program = [], None

    def helper(self, arguments, **options):
        self.helpers.append(subprocess.Popen(arguments, **options))
        return self.helpers[-1]

    def stop(self):
        for process in reversed(self.helpers):
            stop(process)

    def shoot(self, path):
        return self.screen.shoot(path)

    def output(self):
        return ""


def stop(process, timeout=5):
    """Ends a process of the harness's own, politely first."""
    if process is not None and process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


class Screen:
    """An Xvfb server of the harness's own, on the first free display."""

    def __init__(self, size="1024x768x24"):
        self.process = subprocess.Popen(
            # -noreset: by default the server starts afresh whenever its last client leaves,
            # and turns away whoever comes meanwhile.
            ["Xvfb", "-displayfd", "1", "-screen", "0", size, "-nolisten", "tcp", "-noreset"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        check(select.select([self.process.stdout], [], [], deadline())[0], "Xvfb did not start")
        self.display = ":" + self.process.stdout.readline().decode().strip()

    def xdotool(self, *arguments):
        result = subprocess.run(["xdotool", *arguments], env=dict(os.environ, DISPLAY=self.display),
                                capture_output=True, text=True, timeout=deadline())
        check(result.returncode == 0, f"xdotool {' '.join(arguments)}: {result.stderr}")
        return result.stdout

    def windows(self, title, pid=None):
        """The visible windows titled `title` (of process pid)."""
        of_pid = ["--all", "--pid", str(pid)] if pid else []
        return subprocess.run(["xdotool", "search", "--onlyvisible", *of_pid, "--name",
                               "^" + title.replace(".", r"\.") + "$"], capture_output=True,
                              text=True, env=dict(os.environ, DISPLAY=self.display)).stdout.split()

    def keys(self, text, delay=30):
        """Presses keys through XTEST, as a keyboard would."""
        self.xdotool("key", "--delay", str(delay), *text.split())

    def point(self, x, y, *then):
        """Moves the mouse to (x, y), then runs the xdotool commands `then` ("click", "1"). Not
        --sync, which waits for a motion that never comes when the mouse is there already."""
        self.xdotool("mousemove", str(x), str(y), *then)

    def shoot(self, path, crop=None):
        """Saves the screen, or the rectangle crop = (x, y, w, h) of it."""
        cropping = ["-crop", "{2}x{3}+{0}+{1}".format(*crop), "+repage"] if crop else []
        subprocess.run(["import", "-display", self.display, "-window", "root", *cropping, path],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def shoot_settled(self, path, crop):
        """Saves a rectangle of the screen once two shots of it agree."""
        def settled():
            with open(self.shoot(path, crop), "rb") as first:
                time.sleep(0.1)
                with open(self.shoot(path, crop), "rb") as second:
                    return first.read() == second.read()
        poll(settled, f"{path} unchanged")

    def close(self):
        stop(self.process)
