"""The scenarios only the Windows program shows, played after the shared table: the mouse, the
total's menu and the clipboard, a paste of 100,000 characters, a ten-digit total read off the screen
by its glyphs, and the window at 144 DPI. Also the README's pictures (scripts/screenshots-windows).
"""
import os
import subprocess
import time

from harness import CLOSED, Scenario, check, deadline, message, poll
from scenarios import OVER_80, SHOWN, click


def copy_the_total(desktop):
    check(desktop.probe.ask("clip 1 x").get("done"), "the clipboard was not filled")
    desktop.click("Label4", button=3)
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
        desktop.probe.ask(f"paste {step} {desktop.layout.ids['Command1']} 0 0")
        done += step
        poll(lambda: desktop.read().count == f" {done}",
             f"{done} entries taken", timeout=deadline(6))
    print(f"    {ENTRIES} entries in {time.monotonic() - started:.1f} s")


def the_total_shows_whole(desktop):
    """Drawn whole, the total's last glyph is the final 0 at full height and ends inside the
    label; cut short, it is an ellipsis's dot, and then the tooltip must show it. Wrapped, it
    reaches down to the client's bottom edge, with ink on both lines and none at the right edge."""
    raw = desktop.raw()
    label = next(c for c in raw["controls"] if c["name"] == "Label4")
    (x, y, w, h), place = label["rect"], label["place"]
    wrapped = h != place[3]
    check([x, y, w] == place[:3] and (not wrapped or y + h == raw["client"][3]),
          f"Label4 at {label['rect']}, widened to {place}")
    pixels = ink(desktop.screen, (raw["client"][0] + x, raw["client"][1] + y, w, h))
    runs = glyphs(pixels)
    check(runs, f"nothing drawn in Label4: {label}")
    if wrapped:
        check(all(any(any(row) for row in half) for half in (pixels[:h // 2], pixels[h // 2:])),
              "a line left empty")
        check(not any(row[w - 1] for row in pixels), "the wrapped total runs to the edge")
    elif not (runs[-1][2] * 10 >= max(run[2] for run in runs) * 6 and runs[-1][1] < w - 1):
        desktop.hover("Label4")
        poll(lambda: desktop.raw()["tooltip"] == TEN_DIGITS, "the whole total in the tooltip")


class AtDpi(Scenario):
    def __init__(self, dpi, name, *steps):
        super().__init__(name, *steps)
        self.dpi = dpi


SCENARIOS = [
    Scenario("the_mouse_works_the_buttons_and_the_options",
             (click("Command3"), SHOWN), (click("Option2"), dict(focus="Option2")),
             (click("Text1"), dict(focus="Text1")),
             ("8 0 Tab 0 Tab 0 KP_Add", dict(boxes=("80", "0", "0+"), **message(OVER_80))),
             ("Return", dict(total=" 80: 0: 0", count=" 1", **CLOSED)),
             (click("Command3"), dict(panel=False, size="narrow"))),
    Scenario("the_totals_menu_copies_it_without_blanks",
             ("1 Tab 2 Tab 3 KP_Add", dict(total=" 1: 2: 3", count=" 1")), (copy_the_total, {})),
    # 100,001 characters: an odd number of toggles leaves the panel shown.
    Scenario("pasting_100000_characters_then_o_finishes",
             (paste_100000_characters, dict(boxes=("1" * 100_000, "", "")), 3),
             ("o", dict(boxes=("", "", ""), **SHOWN), 3)),
    Scenario("a_total_of_ten_digit_hours_is_shown_whole",
             (add_30519_entries, dict(total=TEN_DIGITS, count=f" {ENTRIES}")),
             (the_total_shows_whole, {}), (click("Command3"), SHOWN), (the_total_shows_whole, {})),
    # The client's sizes, narrow and wide, are the layout's at the window's DPI.
    AtDpi(144, "the_window_keeps_its_proportions_at_144_dpi",
          ("1 Tab 2 Tab 3 KP_Add o", dict(total=" 1: 2: 3", count=" 1", **SHOWN))),
]


# --- the README's pictures, as the Linux ones show the window -----------------------------------

def picture(name):
    def take(desktop):
        os.makedirs(desktop.args.out, exist_ok=True)
        desktop.screen.shoot_settled(os.path.join(desktop.args.out, f"win32-{name}.png"),
                                     desktop.raw()["client"])
    take.__name__ = f"picture_{name}"
    return take


def a_thousand_entries(desktop):
    check(desktop.probe.ask("clip 1 00").get("done"), "the clipboard was not filled")
    desktop.probe.ask(f"paste 1000 {desktop.layout.ids['Command1']} 0 0")


# As the Linux pictures: a thousand entries of nothing, then 12345 h 59 m 59 s.
PICTURES = Scenario("the_readmes_pictures", (a_thousand_entries, dict(count=" 1000")),
                    ("1 2 3 4 5 Tab 5 9 Tab 5 9 KP_Add", dict(total=" 12345: 59: 59",
                                                              count=" 1001")),
                    (picture("narrow"), {}), ("o", SHOWN), (picture("wide"), {}))
