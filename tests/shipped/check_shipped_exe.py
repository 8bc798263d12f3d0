#!/usr/bin/env python3
"""Checks the shipped vantrel.exe: an i686 GUI program that loads on Windows XP.

Reads the PE file itself and reports every fault it finds: not PE32 or not
i386, not the GUI subsystem, a subsystem version other than 5.01, an import
from a DLL that is not one of Windows' own, an import by ordinal, a function
that Windows XP's system DLLs do not export (the allowlist), delay-loaded
imports (they would escape the check), and a file over the size budget.

    check_shipped_exe.py <vantrel.exe> <xp_exports.txt>

Exit status: 0 when the program passes, 1 when it has faults, 2 when the
allowlist itself is unusable.
"""

import struct
import sys
from dataclasses import dataclass

# The stub travels inside every installer anyone ships.
MAX_BYTES = 80384

MACHINE_I386 = 0x014C
MAGIC_PE32 = 0x010B
MAGIC_PE32_PLUS = 0x020B
SUBSYSTEM_WINDOWS_GUI = 2
SUBSYSTEM_VERSION_XP = (5, 1)
SYSTEM_DLLS = ("ADVAPI32", "COMCTL32", "GDI32", "KERNEL32", "USER32", "msvcrt")

DIRECTORY_IMPORT = 1
DIRECTORY_DELAY_IMPORT = 13
ORDINAL_FLAG = 0x80000000


class PeFormatError(Exception):
    """The file is not a PE image this checker can read."""


@dataclass
class Import:
    dll: str
    name: str | None  # None for an import by ordinal
    ordinal: int | None
    name_offset: int | None  # file offset of the name's first byte
    lookup_offset: int  # file offset of the lookup-table entry
    dll_offset: int  # file offset of the DLL name's first byte


@dataclass
class PeImage:
    magic: int
    machine: int
    subsystem: int
    subsystem_version: tuple[int, int]
    delay_import_size: int
    imports: list[Import]


def _u16(data, offset):
    return struct.unpack_from("<H", data, offset)[0]


def _u32(data, offset):
    return struct.unpack_from("<I", data, offset)[0]


def _c_string(data, offset):
    end = data.find(b"\0", offset)
    if offset >= len(data) or end < 0:
        raise PeFormatError(f"unterminated string at offset {offset:#x}")
    return data[offset:end].decode("ascii", errors="replace")


def _section_mapper(data, pe_offset):
    """Returns a function from an RVA to its file offset, through the section table."""
    section_count = _u16(data, pe_offset + 6)
    optional_size = _u16(data, pe_offset + 20)
    table = pe_offset + 24 + optional_size
    sections = []
    for index in range(section_count):
        entry = table + 40 * index
        virtual_size, virtual_address, raw_size, raw_offset = struct.unpack_from(
            "<IIII", data, entry + 8)
        sections.append((virtual_address, max(virtual_size, raw_size), raw_size, raw_offset))

    def to_offset(rva):
        for virtual_address, span, raw_size, raw_offset in sections:
            if virtual_address <= rva < virtual_address + span:
                # Bytes past the raw data exist only in memory (zero-filled).
                if rva - virtual_address >= raw_size:
                    break
                return raw_offset + rva - virtual_address
        raise PeFormatError(f"RVA {rva:#x} lies in no section's file data")

    return to_offset


def _read_imports(data, to_offset, directory_rva):
    imports = []
    descriptor = to_offset(directory_rva)
    while True:
        original_thunk, _, _, name_rva, first_thunk = struct.unpack_from(
            "<IIIII", data, descriptor)
        if name_rva == 0 and first_thunk == 0:
            return imports
        dll_offset = to_offset(name_rva)
        dll = _c_string(data, dll_offset)
        # The lookup table survives binding; the address table is the fallback.
        lookup = to_offset(original_thunk or first_thunk)
        while (entry := _u32(data, lookup)) != 0:
            if entry & ORDINAL_FLAG:
                imports.append(Import(dll, None, entry & 0xFFFF, None, lookup, dll_offset))
            else:
                name_offset = to_offset(entry) + 2  # after the 16-bit hint
                imports.append(Import(dll, _c_string(data, name_offset), None,
                                      name_offset, lookup, dll_offset))
            lookup += 4
        descriptor += 20


def read_pe(data):
    """Parses the headers and import table of a PE32 image.

    Raises PeFormatError for anything that is not a readable PE file. A PE32+
    image is returned with its magic and machine only: its optional header has
    another layout, and it fails the checks anyway.
    """
    try:
        if data[:2] != b"MZ":
            raise PeFormatError("no MZ header")
        pe_offset = _u32(data, 0x3C)
        if data[pe_offset:pe_offset + 4] != b"PE\0\0":
            raise PeFormatError("no PE signature")
        machine = _u16(data, pe_offset + 4)
        optional = pe_offset + 24
        magic = _u16(data, optional)
        if magic != MAGIC_PE32:
            return PeImage(magic, machine, 0, (0, 0), 0, [])
        subsystem_version = struct.unpack_from("<HH", data, optional + 48)
        subsystem = _u16(data, optional + 68)
        directory_count = _u32(data, optional + 92)
        directories = optional + 96

        def directory(index):
            if index >= directory_count:
                return 0, 0
            return struct.unpack_from("<II", data, directories + 8 * index)

        to_offset = _section_mapper(data, pe_offset)
        import_rva, import_size = directory(DIRECTORY_IMPORT)
        imports = _read_imports(data, to_offset, import_rva) if import_size else []
        _, delay_size = directory(DIRECTORY_DELAY_IMPORT)
        return PeImage(magic, machine, subsystem, subsystem_version, delay_size, imports)
    except (struct.error, IndexError) as error:
        raise PeFormatError(f"headers or tables run past the file ({error})") from error


def _dll_key(dll):
    """'KERNEL32.dll' -> 'KERNEL32': the allowlist's spelling, compared case-insensitively."""
    stem = dll[:-4] if dll.lower().endswith(".dll") else dll
    return stem.upper()


def load_allowlist(path):
    """Reads 'DLL!Name' lines (comments start with '#') into a set of (DLL key, name).

    Raises ValueError when a line is malformed, names a DLL that is not a
    system DLL, or the entries are not sorted and unique: a reviewer reads
    additions in a sorted file.
    """
    entries = []
    allowed = {dll.upper() for dll in SYSTEM_DLLS}
    with open(path, encoding="ascii") as file:
        for number, line in enumerate(file, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            dll, bang, name = line.partition("!")
            if not bang or not name or " " in line or dll.upper() not in allowed:
                raise ValueError(f"{path}:{number}: not a 'DLL!Name' line of a system DLL: {line}")
            entries.append(line)
    if entries != sorted(set(entries)):
        raise ValueError(f"{path}: entries are not sorted and unique")
    return {(_dll_key(dll), name) for dll, _, name in (entry.partition("!") for entry in entries)}


def find_faults(data, allowlist):
    """Returns one message per fault of the image in data; empty when it passes."""
    try:
        image = read_pe(data)
    except PeFormatError as error:
        return [f"not a readable PE file: {error}"]
    faults = []
    if image.machine != MACHINE_I386:
        faults.append(f"machine is {image.machine:#06x}, not i386 ({MACHINE_I386:#06x})")
    if image.magic != MAGIC_PE32:
        kind = "PE32+" if image.magic == MAGIC_PE32_PLUS else f"magic {image.magic:#06x}"
        return faults + [f"image is {kind}, not PE32"]
    if image.subsystem != SUBSYSTEM_WINDOWS_GUI:
        faults.append(f"subsystem is {image.subsystem}, not the Windows GUI "
                      f"({SUBSYSTEM_WINDOWS_GUI})")
    if tuple(image.subsystem_version) != SUBSYSTEM_VERSION_XP:
        faults.append("subsystem version is {}.{:02d}, not 5.01".format(*image.subsystem_version))
    if image.delay_import_size:
        faults.append("has delay-loaded imports, which this check cannot vouch for")
    system_dlls = {dll.upper() for dll in SYSTEM_DLLS}
    refused_dlls = set()
    for entry in image.imports:
        key = _dll_key(entry.dll)
        if key not in system_dlls:
            if key not in refused_dlls:
                refused_dlls.add(key)
                faults.append(f"imports {entry.dll}, not a Windows system DLL (static link?)")
        elif entry.name is None:
            faults.append(f"imports {entry.dll} ordinal {entry.ordinal}: "
                          "only imports by name can be checked")
        elif (key, entry.name) not in allowlist:
            faults.append(f"imports {entry.dll}!{entry.name}, not in the Windows XP allowlist")
    if len(data) > MAX_BYTES:
        faults.append(f"{len(data)} bytes, over the {MAX_BYTES}-byte budget")
    return faults


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    exe_path, allowlist_path = argv[1], argv[2]
    try:
        allowlist = load_allowlist(allowlist_path)
    except (OSError, ValueError) as error:
        print(f"unusable allowlist: {error}", file=sys.stderr)
        return 2
    with open(exe_path, "rb") as file:
        data = file.read()
    print(f"{exe_path}: {len(data)} bytes (budget {MAX_BYTES})")
    try:
        by_dll = {}
        for entry in read_pe(data).imports:
            by_dll.setdefault(entry.dll, []).append(entry.name or f"#{entry.ordinal}")
        for dll, names in by_dll.items():
            print(f"  {dll}: {' '.join(names)}")
    except PeFormatError:
        pass  # reported below as a fault
    faults = find_faults(data, allowlist)
    for fault in faults:
        print(f"FAULT: {fault}")
    print("FAILED" if faults else "PASSED")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
