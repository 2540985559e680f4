"""GNOME on Wayland: headless mutter, typed on through its remote desktop and seen through a
screencast of that session; in a D-Bus session of its own with pipewire, as a user that is not
root (see as_user.sh)."""
import ctypes
import os
import pathlib
import re
import subprocess

from gi.repository import Gio, GLib

from harness import State, check, deadline, poll
from linux import Linux

MUTTER = "org.gnome.Mutter."
keysym = ctypes.CDLL("libxkbcommon.so.0").xkb_keysym_from_name


class Gnome(Linux):

    def start(self):
        log = open(os.path.join(self.work, "mutter.log"), "w")
        for tool in ("pipewire", "wireplumber"):
            self.helper([tool], stdout=log, stderr=subprocess.STDOUT)
        # Keys do not repeat, however long a busy machine takes between a press and its release.
        keyfile = pathlib.Path(os.environ["HOME"], ".config/glib-2.0/settings/keyfile")
        keyfile.parent.mkdir(parents=True, exist_ok=True)
        keyfile.write_text("[org/gnome/desktop/peripherals/keyboard]\nrepeat=false\n")
        self.helper(["mutter", "--headless", "--wayland", "--no-x11", "--wayland-display",
                     "orindel", "--virtual-monitor", "1024x768"], stdout=log,
                    stderr=subprocess.STDOUT, env=dict(os.environ, GSETTINGS_BACKEND="keyfile"))
        # As in a GNOME session; the program's Wayland requests go to its log, for read().
        self.env = dict(os.environ, WAYLAND_DISPLAY="orindel", QT_QPA_PLATFORM="wayland",
                        XDG_CURRENT_DESKTOP="GNOME", WAYLAND_DEBUG="client")
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        # Keys go to a remote-desktop session, which starts with a screencast of its own.
        self.session = poll(lambda: self.call("/org/gnome/Mutter/RemoteDesktop", "RemoteDesktop",
                                              "CreateSession"), "mutter's remote desktop")
        session_id = self.call(self.session, "org.freedesktop.DBus.Properties", "Get", "(ss)",
                               MUTTER + "RemoteDesktop.Session", "SessionId")
        cast = self.call("/org/gnome/Mutter/ScreenCast", "ScreenCast", "CreateSession", "(a{sv})",
                         {"remote-desktop-session-id": GLib.Variant("s", session_id)})
        stream = self.call(cast, "ScreenCast.Session", "RecordMonitor", "(sa{sv})", "Meta-0", {})
        self.bus.signal_subscribe(None, MUTTER + "ScreenCast.Stream", "PipeWireStreamAdded",
                                  stream, None, 0, lambda *s: setattr(self, "node", s[-1][0]))
        self.call(self.session, "RemoteDesktop.Session", "Start")
        poll(lambda: GLib.MainContext.default().iteration(False) or hasattr(self, "node"),
             "the screencast")
        self.keys("Shift_L")  # the first key after the start is lost

    def call(self, path, interface, method, signature="()", *values):
        """Calls a method of mutter's object at `path`; None while mutter is not there."""
        try:
            values = self.bus.call_sync(
                MUTTER + path.split("/")[4], path,
                interface if interface.startswith("org.") else MUTTER + interface, method,
                GLib.Variant(signature, values), None, 0, int(deadline() * 1000), None).unpack()
            return values[0] if values else None
        except GLib.Error as error:
            check("ServiceUnknown" in error.message, f"{method}: {error.message}")

    def keys(self, text):
        for chord in text.split():
            *modifiers, key = chord.split("+")
            chord = [{"ctrl": "Control_L"}.get(m, m.capitalize() + "_L") for m in modifiers] + [key]
            for name, pressed in [(k, True) for k in chord] + [(k, False) for k in chord[::-1]]:
                self.call(self.session, "RemoteDesktop.Session", "NotifyKeyboardKeysym", "(ub)",
                          keysym(name.encode(), 0), pressed)

    def read(self):
        state = super().read()
        said = state.message and pathlib.Path(self.log.name).read_text(errors="replace")
        # Where the program's Qt speaks the compositor's dialog protocol (Qt 6.8), the message
        # box tells it that it is a modal dialog of the window, which GNOME keeps over it.
        if not said or not re.search(r'bind\(\d+, "xdg_wm_dialog_v1"', said) or (
                "set_parent(xdg_toplevel" in said and ".set_modal()" in said):
            return state
        return State(**{**vars(state), "problems": state.problems + ("a modeless message box",)})

    def shoot(self, path):
        subprocess.run(["timeout", str(deadline()), "gst-launch-1.0", "-q", "pipewiresrc",
                        f"path={self.node}", "num-buffers=1", "!", "videoconvert", "!", "pngenc",
                        "!", "filesink", f"location={path}"], capture_output=True)
        return path
