"""The Windows installer, packed by CPack from the build, in a fresh prefix in one Unix locale: its
pages in that system's language; installing over it asks first, and Cancel keeps what is there;
silently it installs over it; Apps & features' entry, the files and the Start menu shortcut; the
installed program runs; and uninstalling leaves nothing behind.
"""
import os
import re
import shutil
import subprocess
import time

from harness import (CLOSED, Layout, Scenario, Screen, check, deadline, ended, message,
                     poll)
from scenarios import INVALID
from wine import Prefix, Probe, Wine

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
            screen.shoot_settled(picture, page["client"])
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
    check(process.wait(timeout=deadline()) == 0, "the installer's exit code")
    return headings


INSTALLED = Scenario("the_installed_program_runs",
                     ("1 KP_Add", dict(boxes=("1+", "", ""), **message(INVALID))),
                     ("Return", CLOSED), ("Escape", vars(ended(0))))


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

    def close(self):
        pass  # what the scenario starts, it ends


def installer_test(installer):
    """Installs page by page, over that twice (cancelled, then silently), runs the installed
    program and uninstalls it."""
    args, screen = installer.args, installer.screen
    setup = args.installer or make_installer(args)
    expected = INSTALLER_LANGUAGES[args.locale]
    print(f"    installer {setup}, in {args.locale}: expected in {expected}")
    prefix = fresh_prefix(args, screen)
    probe = Probe(prefix, args.probe)
    try:
        version = Layout(probe.ask("layout")).version
        headings = install_by_pages(screen, prefix, probe, setup, expected, args.picture)
        check(len(headings) >= 5, f"the installer showed only {headings}")
        cancel_installing_over_it(prefix, probe, setup, expected)
        probe.close()  # below, each step waits until no program runs in the prefix
        entry, folder = install_silently_over_it(prefix, setup, version)
        run_installed(args, screen, prefix, os.path.join(folder, "orindel.exe"))
        uninstall(prefix, entry)
    finally:
        probe.close()
        prefix.kill()  # also writes the registry out to its files
    check_nothing_left(prefix.path)
    shutil.rmtree(prefix.path, ignore_errors=True)


def fresh_prefix(args, screen):
    """A new prefix in the test's locale, booted."""
    path = os.path.join(args.work, "install-prefix")
    shutil.rmtree(path, ignore_errors=True)
    shutil.rmtree(path + ".lock", ignore_errors=True)
    prefix = Prefix(args.wine64, path, screen.display, args.locale,
                    unix_locale(args.locale, args.work))
    started = time.monotonic()
    prefix.prepare()
    print(f"    fresh prefix in {time.monotonic() - started:.1f} s")
    return prefix


def cancel_installing_over_it(prefix, probe, setup, expected):
    """Installing over it asks first whether to uninstall it; Cancel leaves it as it is."""
    process = prefix.popen([setup])
    question = wait_dialog(probe, process, lambda d: {YES, NO} <= controls(d).keys(),
                           "the question whether to uninstall first")
    check_language(question, expected)
    press(probe, question, CANCEL)
    process.wait(timeout=deadline())
    check(len(uninstall_entries(prefix)) == 1, "cancelling changed the installed version")
    check(not probe.ask("state")["found"], "the installer started the program, unasked")


def install_silently_over_it(prefix, setup, version):
    """Silently, it answers yes: the installed version is uninstalled, then this one installed.
    Returns Apps & features' entry and the folder installed in, once both are checked."""
    result = prefix.run([setup, "/S"])
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
    check(values["DisplayVersion"] == version,
          f"DisplayVersion {values['DisplayVersion']!r}, not {version!r}")
    folder = prefix.unix_path(uninstaller(values).rsplit("\\", 1)[0])
    installed = sorted(os.listdir(folder))
    check(installed == ["LICENSE.txt", "README.txt", "Uninstall.exe", "orindel.exe"],
          f"installed in {folder}: {installed}")
    icon = values["DisplayIcon"].strip('"').split(",")[0]
    check(os.path.exists(prefix.unix_path(icon)), f"DisplayIcon {icon} does not exist")
    check_start_menu(prefix.path)
    return values, folder


def uninstaller(entry):
    return entry["UninstallString"].strip('"')


def check_start_menu(path):
    links = start_menu_links(path)
    print(f"    Start menu: {[os.path.relpath(link, path) for link in links]}")
    program_links = [link for link in links if os.path.basename(link).lower() == "orindel.lnk"]
    check(program_links, "no Start menu shortcut to Orindel")
    with open(program_links[0], "rb") as link:
        target = link.read().lower()
    # The target's path is kept in the shell link as ANSI and as UTF-16 text.
    check(b"orindel.exe" in target or "orindel.exe".encode("utf-16-le") in target,
          f"{program_links[0]} does not point at orindel.exe")


def run_installed(args, screen, prefix, exe):
    """The installed program runs, on the Windows desktop of this prefix."""
    desktop = Wine(args, screen, prefix, exe).start()
    try:
        desktop.launch()
        INSTALLED.play(desktop)
    finally:
        desktop.close()
        desktop.probe.close()


def uninstall(prefix, entry):
    result = prefix.run([prefix.unix_path(uninstaller(entry)), "/S"])
    prefix.wait()  # the uninstaller goes on in a copy of itself
    check(result.returncode == 0, f"the uninstaller exited with {result.returncode}")
    check(not uninstall_entries(prefix), "the uninstall registry entry is left")


def check_nothing_left(path):
    """No file, folder or registry key of Orindel's is left in the prefix."""
    left = [os.path.relpath(os.path.join(root, name), path)
            for root, dirs, files in os.walk(os.path.join(path, "drive_c"))
            for name in dirs + files if "orindel" in name.lower()]
    check(not left, f"left after uninstalling: {left}")
    for hive in ("system.reg", "user.reg"):
        with open(os.path.join(path, hive), encoding="utf-8", errors="replace") as registry:
            keys = [line.strip() for line in registry
                    if line.startswith("[") and "orindel" in line.lower()]
        check(not keys, f"registry keys left in {hive}: {keys}")
