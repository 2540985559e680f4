#!/usr/bin/env python3
"""What Orindel's packages carry: orindel.exe as Windows loads it, the licence, the notices that the
libraries linked into orindel.exe ask for, the Windows texts as Notepad reads them, and the one
version that every changelog names. One row per check; a failure names its file.

Usage: check_artifacts.py SOURCE_DIR WINDOWS_BUILD_DIR VERSION
"""
import os
import re
import struct
import sys

source, build, version = sys.argv[1:4]


def read(*path):
    with open(os.path.join(*path), "rb") as f:
        return f.read()


def words(data):
    return " ".join(data.decode("utf-8-sig").split())


# The notice that LICENSE.txt must hold for each library linked in, by where it comes from. A
# library that no row covers fails the check until its licence has been read.
NOTICES = [
    (r"/gcc/x86_64-w64-mingw32/", "GCC RUNTIME LIBRARY EXCEPTION"),
    (r"/x86_64-w64-mingw32/lib/", "MinGW-w64 runtime"),
    (r"/libmingwex\.a$", "Lucent Technologies"),  # its number formatting (gdtoa)
    (r"/lib(win)?pthread\.a$", "winpthreads"),
]


def licence_and_notices():
    mit, windows = words(read(source, "LICENSE")), words(read(build, "app", "LICENSE.txt"))
    if not mit.startswith("MIT License Copyright (c) 2026 The Orindel developers"):
        yield "LICENSE is not the MIT licence of the Orindel developers"
    if not windows.startswith(mit):
        yield "LICENSE.txt does not begin with LICENSE"
    # Debian's copyright file: every file under Expat, whose text is LICENSE's.
    debian = read(source, "app", "copyright").decode()
    expat = re.search(r"^Files: \*\n(?:\S.*\n)*License: Expat\n((?: .*\n?)+)", debian, re.M)
    if not expat or not mit.endswith(words(re.sub(r"^ \.?", "", expat[1], flags=re.M).encode())):
        yield "app/copyright does not put every file under Expat with LICENSE's text"
    if b"<project_license>MIT</project_license>" not in read(source, "app", METAINFO):
        yield "the metainfo's project licence is not MIT"
    # The archives that gave members to the link, and the objects it loaded whole.
    found = re.findall(r"^(/\S+\.a)\(|^LOAD (/\S+\.o)$", read(build, "app", "orindel.map").decode(),
                       re.M)
    linked = {os.path.normpath(path) for pair in found for path in pair if path}
    if not linked:
        yield "the link map names no library"
    for path in sorted(linked):
        needed = [notice for where, notice in NOTICES if re.search(where, path)]
        if not needed:
            yield f"no row of NOTICES says what {path} asks for"
        yield from (f"LICENSE.txt has no {n!r} for {path}" for n in needed if n not in windows)


# The DLLs that come with every Windows 10 and 11.
SYSTEM_DLLS = {"kernel32", "user32", "gdi32", "comctl32", "imm32", "shell32", "ole32", "oleaut32",
               "advapi32", "uxtheme", "msvcrt", "shlwapi", "comdlg32", "version", "oleacc"}
DYNAMIC_BASE, HIGH_ENTROPY_VA, NX_COMPAT = 0x0040, 0x0020, 0x0100


def pe_header():
    """orindel.exe's PE header: a 64-bit GUI program that Windows loads at a random address (ASLR
    with high entropy) with data never executed (DEP), with no link time, and that imports only
    DLLs that come with Windows: nothing beside it to ship."""
    exe = read(build, "app", "orindel.exe")
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    if exe[:2] != b"MZ" or exe[pe:pe + 4] != b"PE\0\0":
        yield "orindel.exe is not a Windows program"
        return
    sections, stamp = struct.unpack_from("<HI", exe, pe + 6)
    optional = pe + 24
    magic, = struct.unpack_from("<H", exe, optional)
    subsystem, flags = struct.unpack_from("<HH", exe, optional + 68)
    if magic != 0x20B:
        yield "orindel.exe is not a 64-bit (PE32+) program"
        return
    if subsystem != 2:
        yield f"orindel.exe is not a GUI program (subsystem {subsystem})"
    for flag, name in ((DYNAMIC_BASE, "dynamic base"), (HIGH_ENTROPY_VA, "high entropy VA"),
                       (NX_COMPAT, "NX compatible")):
        if not flags & flag:
            yield f"orindel.exe is not {name}"
    if stamp:
        yield f"orindel.exe carries its link time ({stamp}): two builds differ"
    table = optional + struct.unpack_from("<H", exe, pe + 20)[0]
    places = [struct.unpack_from("<8xIIII", exe, table + 40 * i) for i in range(sections)]

    def at(rva):  # the file offset of a relative virtual address
        return next(raw + rva - va for size, va, raw_size, raw in places
                    if va <= rva < va + max(size, raw_size))

    imports, = struct.unpack_from("<I", exe, optional + 112 + 8)
    dlls = []
    for descriptor in range(at(imports), len(exe), 20):
        name = struct.unpack_from("<12xI", exe, descriptor)[0]
        if not name:
            break
        dlls.append(exe[at(name):exe.index(b"\0", at(name))].decode().lower())
    if not dlls:
        yield "orindel.exe imports nothing: its import table was not read"
    for dll in dlls:
        if dll.removesuffix(".dll") not in SYSTEM_DLLS:
            yield f"orindel.exe imports {dll}, which does not come with Windows"


def windows_texts():
    readme, licence = read(build, "app", "README.txt"), read(build, "app", "LICENSE.txt")
    if not readme.startswith(b"\xef\xbb\xbf"):
        yield "README.txt has no UTF-8 byte-order mark"
    text = words(readme)  # and is UTF-8
    japanese = re.search("[\u3040-\u30ff\u4e00-\u9fff]", text)
    english = re.search(r"[A-Z][a-z]+(?: [a-z]+,?){5}", text)
    if not japanese or not english or japanese.start() > english.start():
        yield "README.txt is not in Japanese first, then in English"
    if not licence.isascii():
        yield "LICENSE.txt is not plain ASCII, which the installer's licence page shows as it is"
    for name, data in (("README.txt", readme), ("LICENSE.txt", licence)):
        if re.search(rb"(?<!\r)\n|\r(?!\n)", data):
            yield f"{name} has line ends other than CRLF"


METAINFO = "org.orindel.orindel.metainfo.xml.in"


def versions_agree():
    for where, pattern in ((("CHANGELOG.md",), rb"^## .*?\((\S+)\)"),
                           (("app", "changelog"), rb"^orindel \((\S+)\)"),
                           (("app", METAINFO), rb'<release version="([^"]+)"')):
        newest = re.search(pattern, read(source, *where), re.M)
        if not newest or newest[1].decode() != version:
            yield f"the newest version in {'/'.join(where)} is not {version}"


CHECKS = [pe_header, licence_and_notices, windows_texts, versions_agree]
failures = 0
for check in CHECKS:
    problems = list(check())
    print(f"{'FAILED' if problems else 'ok':6} {check.__name__}")
    for problem in problems:
        print(f"       {problem}")
    failures += len(problems)
sys.exit(1 if failures else 0)
