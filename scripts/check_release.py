#!/usr/bin/env python3
"""Checks the release zip, or an exe on its own, as a Windows user would need it.

    scripts/check_release.py build/release/Tintmesh-1.0-win32.zip
    scripts/check_release.py --exe build/win32/Tintmesh.exe

The zip must open and hold Tintmesh.exe and ReadMe.txt. The exe must be a PE32 i386
GUI program for system and subsystem version 4.0 that imports only from Windows system
libraries, and none of the functions that Windows 98 or Windows NT 4.0 lack (the list in
scripts/win98-nt4-missing.txt). Prints the imports and ends with "N passed, M failed".
Only the Python standard library is used: the headers are read here, not by objdump.
"""

import struct
import sys
import zipfile
from pathlib import Path

MISSING_LIST = Path(__file__).resolve().parent / "win98-nt4-missing.txt"
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll", "shell32.dll",
               "advapi32.dll", "msvcrt.dll"}
IMAGE_FILE_MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2


class PeError(Exception):
    pass


def read_pe(data):
    """The header fields and the imports ({dll: [function or '#ordinal']}) of a PE image."""
    if data[:2] != b"MZ":
        raise PeError("no MZ header")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise PeError("no PE signature")
    machine, sections, _, _, _, opt_size, characteristics = struct.unpack_from("<HHIIIHH", data, pe + 4)
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    if magic != PE32_MAGIC:
        return {"machine": machine, "magic": magic}, {}
    os_major, os_minor = struct.unpack_from("<HH", data, opt + 40)
    sub_major, sub_minor = struct.unpack_from("<HH", data, opt + 48)
    subsystem = struct.unpack_from("<H", data, opt + 68)[0]
    import_rva = struct.unpack_from("<I", data, opt + 96 + 8)[0]
    table = opt + opt_size
    spans = []
    for i in range(sections):
        _, vsize, vaddr, rawsize, rawptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
        spans.append((vaddr, max(vsize, rawsize), rawptr))

    def offset(rva):
        for vaddr, size, rawptr in spans:
            if vaddr <= rva < vaddr + size:
                return rawptr + rva - vaddr
        raise PeError("address 0x%x lies in no section" % rva)

    def c_string(rva):
        at = offset(rva)
        return data[at:data.index(b"\0", at)].decode("ascii")

    imports = {}
    at = offset(import_rva) if import_rva else None
    while at is not None:
        lookup, _, _, name_rva, thunks = struct.unpack_from("<IIIII", data, at)
        if name_rva == 0:
            break
        names = []
        entry = offset(lookup or thunks)
        while True:
            thunk = struct.unpack_from("<I", data, entry)[0]
            if thunk == 0:
                break
            if thunk & 0x80000000:
                names.append("#%d" % (thunk & 0xFFFF))
            else:
                names.append(c_string(thunk + 2))
            entry += 4
        imports.setdefault(c_string(name_rva).lower(), []).extend(names)
        at += 20
    header = {"machine": machine, "magic": magic, "characteristics": characteristics,
              "os": (os_major, os_minor), "subsystem_version": (sub_major, sub_minor),
              "subsystem": subsystem}
    return header, imports


def missing_functions():
    """{function: the systems that lack it}, from the committed list."""
    missing = {}
    for line in MISSING_LIST.read_text().splitlines():
        line = line.split("#", 1)[0].strip()
        if line:
            name, _, systems = line.partition(" ")
            missing[name] = systems.strip()
    return missing


# The whole program, its pictures included, stays small enough to mail or put on a floppy.
SIZE_LIMIT = 512 * 1024


def check_exe(data, report):
    report("at most %d KiB" % (SIZE_LIMIT // 1024), len(data) <= SIZE_LIMIT,
           "%d bytes (%d KiB)" % (len(data), (len(data) + 1023) // 1024))
    header, imports = read_pe(data)
    report("PE32 i386 image", header["machine"] == IMAGE_FILE_MACHINE_I386 and header["magic"] == PE32_MAGIC,
           "machine 0x%x, optional header 0x%x" % (header["machine"], header["magic"]))
    if header["magic"] != PE32_MAGIC:
        return
    report("Windows GUI subsystem", header["subsystem"] == IMAGE_SUBSYSTEM_WINDOWS_GUI,
           "subsystem %d" % header["subsystem"])
    report("system and subsystem version 4.0", header["os"] == (4, 0) and header["subsystem_version"] == (4, 0),
           "system %d.%d, subsystem %d.%d" % (header["os"] + header["subsystem_version"]))
    for dll in sorted(imports):
        print("  %s: %s" % (dll, " ".join(sorted(imports[dll]))))
    others = sorted(set(imports) - SYSTEM_DLLS)
    report("imports only Windows system libraries", not others, "also imports " + ", ".join(others))
    missing = missing_functions()
    lacking = ["%s!%s (%s)" % (dll, name, missing[name])
               for dll in sorted(imports) for name in imports[dll] if name in missing]
    report("imports nothing that Windows 98 or NT 4.0 lacks", not lacking, "; ".join(lacking))


def main(argv):
    results = []

    def report(what, ok, detail=""):
        results.append(ok)
        print("%s: %s%s" % ("ok" if ok else "FAILED", what, "" if ok else " - " + detail))

    try:
        if len(argv) == 3 and argv[1] == "--exe":
            check_exe(Path(argv[2]).read_bytes(), report)
        elif len(argv) == 2:
            try:
                with zipfile.ZipFile(argv[1]) as z:
                    bad = z.testzip()
                    names = set(z.namelist())
                    report("the zip opens and its files are intact", bad is None, "damaged member %s" % bad)
                    report("the zip holds Tintmesh.exe and ReadMe.txt",
                           names == {"Tintmesh.exe", "ReadMe.txt"}, "it holds " + ", ".join(sorted(names)))
                    if "Tintmesh.exe" in names:
                        check_exe(z.read("Tintmesh.exe"), report)
            except (OSError, zipfile.BadZipFile) as err:
                report("the zip opens", False, str(err))
        else:
            print(__doc__.strip().splitlines()[2], file=sys.stderr)
            return 2
    except (PeError, struct.error, ValueError) as err:
        report("the exe's headers can be read", False, str(err))
    print("release: %d passed, %d failed" % (results.count(True), results.count(False)))
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
