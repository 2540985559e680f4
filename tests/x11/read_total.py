#!/usr/bin/python3
"""Reads, through the AT-SPI accessibility bus, what a screen reader hears of Orindel's window.

Prints the names of the labels and entry boxes; exits non-zero unless the total label's name
equals the expected text given as the first argument.
"""
import sys
import time

import pyatspi


def walk(node, depth=0):
    if node is None or depth > 12:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def main() -> int:
    expected = sys.argv[1]
    deadline = time.time() + 10
    names = []
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        app = next((a for a in apps if a is not None and a.name.lower() == "orindel"), None)
        if app is not None:
            names = [(n.getRoleName(), n.name) for n in walk(app)]
            if ("label", expected) in names:
                print("heard:", names)
                return 0
        time.sleep(0.3)
    print("the total was not heard as", repr(expected), "; heard:", names)
    return 1


if __name__ == "__main__":
    sys.exit(main())
