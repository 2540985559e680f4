#!/usr/bin/env python3
"""What Orindel's packages carry beside the program: the licence, the notices that the libraries
linked into orindel.exe ask for, the Windows texts as Notepad reads them, and the one version that
every changelog names.

Usage: check_artifacts.py SOURCE_DIR WINDOWS_BUILD_DIR VERSION
"""
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

source, build, version = sys.argv[1:4]


def read(*path, mode="r"):
    with open(os.path.join(*path), mode, **({} if "b" in mode else {"encoding": "utf-8"})) as f:
        return f.read()


def words(text):
    return " ".join(text.split())


def linked_files(link_map):
    """The static libraries and objects from outside the build that went into the program: the
    archives that gave members and the objects loaded whole, as the link map lists them."""
    members = re.findall(r"^(/\S+\.a)\(", link_map.split("\nDiscarded input sections")[0], re.M)
    objects = re.findall(r"^LOAD (/\S+\.o)$", link_map, re.M)
    return {os.path.normpath(path) for path in members + objects}


# The notice that LICENSE.txt must hold for each library linked in, by where the library comes
# from. A library that no row covers fails the check until its licence has been read.
NOTICES = [
    (r"/gcc/x86_64-w64-mingw32/", "GCC RUNTIME LIBRARY EXCEPTION"),
    (r"/x86_64-w64-mingw32/lib/", "MinGW-w64 runtime"),
    (r"/libmingwex\.a$", "Lucent Technologies"),  # its number formatting (gdtoa)
    (r"/lib(win)?pthread\.a$", "winpthreads"),
]


def licence_and_notices():
    mit = read(source, "LICENSE")
    if not mit.startswith("MIT License") or "Copyright (c) 2026 The Orindel developers" not in mit:
        yield "LICENSE is not the MIT licence of the Orindel developers"
    permission = words(mit[mit.index("Permission is hereby granted"):])
    # Debian's copyright file: every file under Expat, the same text as LICENSE.
    copyright = read(source, "app", "copyright")
    if not re.search(r"^Files: \*\n(?:\S.*\n)*License: Expat\n", copyright, re.M):
        yield "app/copyright does not put Files: * under Expat"
    text = re.search(r"^License: Expat\n((?: .*\n?)+)", copyright, re.M)
    if not text or words(re.sub(r"^ \.?", "", text.group(1), flags=re.M)) != permission:
        yield "app/copyright's Expat text is not LICENSE's"
    metainfo = ElementTree.fromstring(read(source, "app", "org.orindel.orindel.metainfo.xml.in"))
    if metainfo.findtext("project_license") != "MIT":
        yield "the metainfo's project_license is not MIT"
    windows = read(build, "app", "LICENSE.txt", mode="rb").decode("ascii", "replace")
    if not words(windows).startswith(words(mit)):
        yield "LICENSE.txt does not begin with LICENSE"
    linked = linked_files(read(build, "app", "orindel.map"))
    if not linked:
        yield "the link map names no library"
    for path in sorted(linked):
        needed = [notice for where, notice in NOTICES if re.search(where, path)]
        if not needed:
            yield f"no row of NOTICES says what {path} asks for"
        yield from (f"LICENSE.txt has no {n!r} for {path}" for n in needed if n not in windows)


def windows_texts():
    readme = read(build, "app", "README.txt", mode="rb")
    if not readme.startswith(b"\xef\xbb\xbf"):
        yield "README.txt has no UTF-8 byte-order mark"
    try:
        text = readme.decode("utf-8-sig")
    except UnicodeDecodeError as error:
        yield f"README.txt is not UTF-8: {error}"
        return
    japanese = re.search("[\u3040-\u30ff\u4e00-\u9fff]", text)
    english = re.search(r"[A-Z][a-z]+(?: [a-z]+,?){5}", text)
    if not japanese or not english or japanese.start() > english.start():
        yield "README.txt is not in Japanese first, then in English"
    licence = read(build, "app", "LICENSE.txt", mode="rb")
    if not licence.isascii():
        yield "LICENSE.txt is not plain ASCII, which the installer's licence page shows as it is"
    for name, data in (("README.txt", readme), ("LICENSE.txt", licence)):
        if re.search(rb"(?<!\r)\n", data) or re.search(rb"\r(?!\n)", data):
            yield f"{name} has line ends other than CRLF"


def versions_agree():
    named = {
        "CHANGELOG.md": re.search(r"^## .*?\((\S+)\)", read(source, "CHANGELOG.md"), re.M),
        "app/changelog": re.match(r"orindel \((\S+)\)", read(source, "app", "changelog")),
        "the metainfo": re.search(r'<release version="([^"]+)"',
                                  read(source, "app", "org.orindel.orindel.metainfo.xml.in")),
    }
    for where, match in named.items():
        newest = match.group(1) if match else None
        if newest != version:
            yield f"the newest version in {where} is {newest}, not {version}"


CHECKS = [licence_and_notices, windows_texts, versions_agree]

failures = 0
for check in CHECKS:
    problems = list(check())
    print(f"{'FAILED' if problems else 'ok':6} {check.__name__}")
    for problem in problems:
        print(f"       {problem}")
    failures += len(problems)
sys.exit(1 if failures else 0)
