"""A Linux desktop with a Japanese input method running: ibus, fcitx5 or uim, each with Mozc, which
starts off, as a user's does, until the switch key (Zenkaku_Hankaku) turns it on. First a plain
line edit (the build's plain_box) in the same session must compose the digits typed after the
switch key full-width, so that Orindel's scenarios cannot pass with the method not running.
"""
import collections
import os
import subprocess

from harness import Failure, Scenario, poll, stop
from scenarios import EMPTY, SHOWN

FCITX5_PROFILE = """[Groups/0]
Name=Default
Default Layout=jp
DefaultIM=mozc
[Groups/0/Items/0]
Name=keyboard-jp
[Groups/0/Items/1]
Name=mozc
[GroupOrder]
0=Default
"""
# Each framework: what a Qt program is told (a value may start with the home, "~/"), the settings
# it reads (by their path in the home), the daemon it runs (uim runs inside the program), a shell
# command that succeeds once the daemon answers, and one that succeeds once an input context has
# the plain box's focus.
Framework = collections.namedtuple("Framework", "env files daemon ready focused",
                                   defaults=({}, None, None, None))
# fcitx5's state is 0 while no input context has the focus, 1 while the focused one is off. It is
# asked once it has its name on the bus: a call before that would have D-Bus start a second one.
CALL = "dbus-send --print-reply --dest="
FRAMEWORKS = {
    "ibus": Framework({"QT_IM_MODULE": "ibus"}, daemon=["ibus-daemon", "--panel=disable"],
                      ready='ibus engine mozc-jp; [ "$(ibus engine)" = mozc-jp ]'),
    "fcitx5": Framework({"QT_IM_MODULE": "fcitx"}, {".config/fcitx5/profile": FCITX5_PROFILE},
                        ["fcitx5", "--verbose=key_trace=5"],
                        CALL + "org.freedesktop.DBus / org.freedesktop.DBus.GetNameOwner "
                        "string:org.fcitx.Fcitx5",
                        CALL + "org.fcitx.Fcitx5 /controller org.fcitx.Fcitx.Controller1.State "
                        "| grep -q 'int32 1'"),
    # libuim reads the settings in the home that the user database gives, unless told another.
    "uim": Framework({"QT_IM_MODULE": "uim", "LIBUIM_USER_SCM_FILE": "~/.uim"},
                     {".uim": "(define default-im-name 'mozc)\n"}),
}

SCENARIOS = [
    Scenario("digits_typed_with_the_input_method_on_stay_half_width",
             ("1 2", dict(boxes=("12", "", ""))),
             ("Zenkaku_Hankaku 3 4", dict(boxes=("1234", "", ""))),
             ("Tab 5 Tab 6 KP_Add", dict(boxes=EMPTY, total=" 1234: 5: 6", count=" 1")),
             ("o", SHOWN)),
]


class InputMethod:
    """The desktop, with the framework started after it and told to the programs it starts.
    keyboard(desktop), if given, sets a keyboard that has the switch key: xdotool types a key the
    keyboard lacks on a spare key code, mapped for the press, and a program that reads the press
    once the mapping is undone gets a key with no name, which Orindel takes as an addition."""

    def __init__(self, desktop, framework, plain_box, keyboard=None):
        self.desktop, self.name, self.plain_box = desktop, framework, plain_box
        self.keyboard = keyboard

    def __getattr__(self, name):
        return getattr(self.desktop, name)

    def start(self):
        self.desktop.start()
        if self.keyboard:
            self.keyboard(self.desktop)
        framework = self.framework = FRAMEWORKS[self.name]
        # Mozc wants the folder of its settings, and refuses to run as root (see as_user.sh).
        os.makedirs(os.path.expanduser("~/.config"), exist_ok=True)
        for path, text in framework.files.items():
            os.makedirs(os.path.dirname(os.path.expanduser("~/" + path)), exist_ok=True)
            with open(os.path.expanduser("~/" + path), "w") as out:
                out.write(text)
        self.desktop.env.update({k: os.path.expanduser(v) for k, v in framework.env.items()})
        self.log = open(os.path.join(self.work, self.name + ".log"), "w")
        if framework.daemon:
            self.desktop.helper(framework.daemon, env=self.env, stdout=self.log,
                                stderr=subprocess.STDOUT)
        self.until(framework.ready, "answering")
        self.control()

    def until(self, command, what):
        """Polls the framework's shell command, if it has one, until it succeeds."""
        if command:
            poll(lambda: subprocess.run(command, shell=True, env=self.env, stdout=self.log,
                                        stderr=self.log).returncode == 0, f"{self.name} {what}")

    def control(self):
        """The plain box prints its text once it has the focus, then on every change."""
        with open(os.path.join(self.work, "plain_box.log"), "w+") as out:
            def lines():
                out.seek(0)
                return out.read().split("\n")[:-1]
            box = subprocess.Popen([self.plain_box], env=self.env, stdout=out)
            try:
                poll(lines, "the plain box focused")
                self.until(self.framework.focused, "taking the plain box's keys")
                # The switch key once the digits before it are in: a busy machine may take a
                # key that another follows closely out of its order.
                self.desktop.keys("1 2")
                poll(lambda: lines()[-1] == "12", "the plain box taking 12")
                self.desktop.keys("Zenkaku_Hankaku 3 4 Return")
                poll(lambda: lines()[-1] == "12３４", "the plain box composing")
            except Failure as failure:
                raise Failure(f"{self.name} is not running: {failure}; it shows {lines()}")
            finally:
                stop(box)
