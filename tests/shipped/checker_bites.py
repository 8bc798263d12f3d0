#!/usr/bin/env python3
"""Proves that check_shipped_exe.py bites.

Breaks one property at a time in an in-memory copy of the real vantrel.exe
and requires the checker to report exactly that fault; also checks that the
allowlist admits no function Windows XP lacks.

    checker_bites.py <vantrel.exe> <xp_exports.txt>
"""

import struct
import sys

import check_shipped_exe as check

# Each was added after Windows XP; the allowlist must admit none of them.
LATER_FUNCTIONS = [
    ("KERNEL32", "GetTickCount64"),  # Vista
    ("KERNEL32", "InitializeCriticalSectionEx"),  # Vista
    ("KERNEL32", "FlsAlloc"),  # Server 2003
    ("KERNEL32", "CreateSymbolicLinkA"),  # Vista
    ("ADVAPI32", "RegGetValueA"),  # Server 2003 SP1
    ("ADVAPI32", "RegDeleteTreeA"),  # Vista
    ("USER32", "SetProcessDPIAware"),  # Vista
    ("COMCTL32", "TaskDialog"),  # Vista
    ("MSVCRT", "vsnprintf"),  # Vista's msvcrt
    ("MSVCRT", "___lc_collate_cp_func"),  # Server 2003's msvcrt
    ("MSVCRT", "__acrt_iob_func"),  # the Universal CRT only
]


def _headers(data):
    """File offsets of the fields the cases change, found independently of the checker."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    optional = pe + 24
    return {
        "machine": pe + 4,
        "magic": optional,
        "subsystem_version": optional + 48,
        "subsystem": optional + 68,
        "delay_import_size": optional + 96 + 8 * check.DIRECTORY_DELAY_IMPORT + 4,
    }


def _overwrite_string(data, offset, old, new):
    assert len(new) <= len(old), f"{new} does not fit over {old}"
    data[offset:offset + len(new) + 1] = new.encode("ascii") + b"\0"


def _cases(original):
    """Yields (what is broken, changed image, text its one fault must contain)."""
    fields = _headers(original)
    imports = check.read_pe(bytes(original)).imports
    by_name = [entry for entry in imports if entry.name is not None]

    def patched(field, fmt, *values):
        data = bytearray(original)
        struct.pack_into(fmt, data, fields[field], *values)
        return data

    yield "subsystem version 4.00 (ld's default)", patched("subsystem_version", "<HH", 4, 0), \
        "subsystem version is 4.00"
    yield "subsystem version 5.02 (Server 2003)", patched("subsystem_version", "<HH", 5, 2), \
        "subsystem version is 5.02"
    yield "console subsystem", patched("subsystem", "<H", 3), "subsystem is 3"
    yield "x86_64 machine", patched("machine", "<H", 0x8664), "machine is 0x8664"
    yield "PE32+ image", patched("magic", "<H", check.MAGIC_PE32_PLUS), "image is PE32+"
    yield "delay-loaded imports", patched("delay_import_size", "<I", 64), "delay-loaded"

    for dll, new_name in (("kernel32.dll", "GetTickCount64"), ("msvcrt.dll", "strcpy_s")):
        victim = next(entry for entry in by_name
                      if entry.dll.lower() == dll and len(entry.name) >= len(new_name))
        data = bytearray(original)
        _overwrite_string(data, victim.name_offset, victim.name, new_name)
        yield f"{victim.name} imported as {new_name}", data, f"!{new_name}, not in the"

    data = bytearray(original)
    struct.pack_into("<I", data, by_name[0].lookup_offset, check.ORDINAL_FLAG | 17)
    yield "import by ordinal", data, "ordinal 17"

    victim = next(entry for entry in imports if len(entry.dll) >= len("libgcc_s.dll"))
    data = bytearray(original)
    _overwrite_string(data, victim.dll_offset, victim.dll, "libgcc_s.dll")
    yield "dynamic runtime DLL", data, "imports libgcc_s.dll, not a Windows system DLL"

    over = check.MAX_BYTES + 1
    yield "one byte over budget", original + bytes(over - len(original)), f"{over} bytes, over"
    yield "truncated file", original[:0x100], "not a readable PE file"


def _passing_variants(original):
    """Yields (what differs, image) that must still pass."""
    yield "exactly at budget", original + bytes(check.MAX_BYTES - len(original))
    victim = check.read_pe(bytes(original)).imports[0]
    data = bytearray(original)
    _overwrite_string(data, victim.dll_offset, victim.dll, victim.dll.swapcase())
    yield f"DLL spelled {victim.dll.swapcase()}", data


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    allowlist = check.load_allowlist(argv[2])
    with open(argv[1], "rb") as file:
        original = bytearray(file.read())
    if check.find_faults(bytes(original), allowlist):
        print("the real program must pass the check before its copies can prove anything")
        return 1
    wrong = 0
    for what, data, expected in _cases(original):
        faults = check.find_faults(bytes(data), allowlist)
        bites = len(faults) == 1 and expected in faults[0]
        wrong += not bites
        print(f"{'ok   ' if bites else 'WRONG'} {what}: {faults}")
    for what, data in _passing_variants(original):
        faults = check.find_faults(bytes(data), allowlist)
        wrong += bool(faults)
        print(f"{'WRONG' if faults else 'ok   '} {what} passes: {faults}")
    for dll, name in LATER_FUNCTIONS:
        if (dll, name) in allowlist:
            wrong += 1
            print(f"WRONG allowlist admits {dll}!{name}, added after Windows XP")
    secure = sorted(name for dll, name in allowlist if dll == "MSVCRT" and name.endswith("_s"))
    if secure:
        wrong += 1
        print(f"WRONG allowlist admits msvcrt's later *_s functions: {secure}")
    print("FAILED" if wrong else "PASSED")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
