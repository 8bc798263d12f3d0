#!/usr/bin/env python3
# Checks the shipped vantrel.exe: a PE32 i386 GUI program for subsystem 5.01
# that imports, by name, only what Windows XP's own DLLs export (the
# allowlist), asks for ASLR and DEP with the relocations ASLR needs, and fits
# the size budget. With "console", the same for vantrel-pack.exe, a console
# program that no installer carries, so without the budget. Prints the size
# and every fault; exit status 1 on any.
#   check_shipped_exe.py <program.exe> <xp_exports.txt> [console]
import struct
import sys

MAX_BYTES = 48640  # the stub travels inside every installer anyone ships
SYSTEM_DLLS = {"ADVAPI32", "COMCTL32", "GDI32", "KERNEL32", "MSVCRT", "USER32"}


def faults_of(data, allowed, console):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0":
        return ["not a PE file"]
    machine, sections, optional_size = struct.unpack_from("<HH12xH", data, pe + 4)
    optional = pe + 24
    if machine != 0x14C or struct.unpack_from("<H", data, optional)[0] != 0x10B:
        return [f"not PE32 for i386 (machine {machine:#x})"]
    faults = []
    version = struct.unpack_from("<HH", data, optional + 48)
    subsystem = struct.unpack_from("<H", data, optional + 68)[0]
    if subsystem != (3 if console else 2) or version != (5, 1):
        faults.append(f"subsystem {subsystem} version {version[0]}.{version[1]:02d}, not 5.01 of its kind")
    dll_flags = struct.unpack_from("<H", data, optional + 70)[0]
    if dll_flags & 0x140 != 0x140:
        faults.append(f"DllCharacteristics {dll_flags:#x} lack DYNAMIC_BASE 0x40 or NX_COMPAT 0x100")
    if not struct.unpack_from("<I", data, optional + 96 + 5 * 8 + 4)[0]:
        faults.append("no base relocations: the loader cannot move it")
    # Data directories: 1 the imports, 13 the delay-loaded imports.
    import_rva = struct.unpack_from("<I", data, optional + 96 + 8)[0]
    if struct.unpack_from("<I", data, optional + 96 + 13 * 8 + 4)[0]:
        faults.append("delay-loaded imports escape this check")
    table = optional + optional_size
    spans = [struct.unpack_from("<8x4I", data, table + 40 * i) for i in range(sections)]

    def at(rva):  # file offset of an RVA, through the section table
        for virtual_size, address, raw_size, raw_offset in spans:
            if address <= rva < address + min(virtual_size, raw_size):
                return raw_offset + rva - address
        raise ValueError(f"RVA {rva:#x} is in no section's file data")

    def text(offset):
        return data[offset:data.index(b"\0", offset)].decode("ascii")

    descriptor = at(import_rva)
    while (entry := struct.unpack_from("<I8xII", data, descriptor)) != (0, 0, 0):
        lookup, name_rva, address_table = entry
        dll = text(at(name_rva))
        key = dll.upper().removesuffix(".DLL")
        if key not in SYSTEM_DLLS:
            faults.append(f"imports {dll}, not a Windows system DLL")
        thunk = at(lookup or address_table)
        while (value := struct.unpack_from("<I", data, thunk)[0]) != 0:
            if value & 0x80000000:
                faults.append(f"imports {dll} ordinal {value & 0xFFFF}, not by name")
            elif key in SYSTEM_DLLS and (key, name := text(at(value) + 2)) not in allowed:
                faults.append(f"imports {dll}!{name}, not in the Windows XP allowlist")
            thunk += 4
        descriptor += 20
    if len(data) > MAX_BYTES and not console:
        faults.append(f"over the {MAX_BYTES}-byte budget")
    return faults


def main(exe_path, allowlist_path, kind="gui"):
    with open(allowlist_path, encoding="ascii") as lines:
        allowed = {(dll.upper(), name) for dll, _, name in
                   (line.strip().partition("!") for line in lines if "!" in line and not line.startswith("#"))}
    with open(exe_path, "rb") as file:
        data = file.read()
    console = kind == "console"
    print(f"{exe_path}: {len(data)} bytes" + ("" if console else f" (at most {MAX_BYTES})"))
    try:
        faults = faults_of(data, allowed, console)
    except (struct.error, ValueError) as error:
        faults = [f"unreadable headers or tables: {error}"]
    for fault in faults:
        print(f"FAULT: {fault}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
