#!/usr/bin/env python3
"""Writes the demo's three Palm OS databases into a folder.

  make_sample_databases.py <folder>

- VantrelDemoLib.prc: "Vantrel Demo Library", a resource database (a shared
  library: type 'libr') with a version and a text resource.
- VantrelDemoNotes.pdb: "Vantrel Demo: Notes/2", a record database in the
  PalmDOC e-book layout (type 'TEXt', creator 'REAd'), readable with any Doc
  reader. Its name holds a colon, a slash and blanks, which the installer
  must turn into underscores for the installed file's name.
- VantrelDemoSettings.pdb: "Vantrel Demo Settings", a record database with
  an app-info block; the demo installs it always.

Every number is big-endian, as on the handheld. The output is the same
byte for byte on every run: the dates are fixed.
"""

import datetime
import os
import struct
import sys

HEADER = struct.Struct(">32sHHIIIIII4s4sIIH")  # 78 bytes
RECORD_ENTRY = struct.Struct(">IB3s")          # offset, attributes, unique id
RESOURCE_ENTRY = struct.Struct(">4sHI")        # type, id, offset
PLACEHOLDER = b"\0\0"                          # two bytes after the entry list

RESOURCE_DATABASE = 0x0001
BACKUP = 0x0008
RECORD_DIRTY = 0x40

PALM_EPOCH = datetime.datetime(1904, 1, 1, tzinfo=datetime.timezone.utc)
CREATED = datetime.datetime(2024, 3, 1, 9, 0, 0, tzinfo=datetime.timezone.utc)
MODIFIED = datetime.datetime(2024, 3, 2, 17, 30, 0, tzinfo=datetime.timezone.utc)
CREATOR = b"VnDm"


def palm_seconds(moment):
    """Seconds since 1904-01-01, the handheld's clock."""
    return int((moment - PALM_EPOCH).total_seconds())


def header(name, attributes, version, app_info_offset, kind, creator, seed, entry_count):
    encoded = name.encode("ascii")
    assert len(encoded) <= 31, "a database name has at most 31 characters and a NUL"
    return HEADER.pack(encoded, attributes, version,
                       palm_seconds(CREATED), palm_seconds(MODIFIED), 0,  # never backed up
                       1,  # modification number
                       app_info_offset, 0,  # no sort-info block
                       kind, creator, seed,
                       0,  # next record list: none, all entries are in this one
                       entry_count)


def record_database(name, kind, creator, records, first_unique_id, app_info=b""):
    """A .pdb: header, record list, placeholder, app-info block, records."""
    data_start = HEADER.size + RECORD_ENTRY.size * len(records) + len(PLACEHOLDER)
    app_info_offset = data_start if app_info else 0
    offset = data_start + len(app_info)
    entries = b""
    for number, record in enumerate(records):
        unique_id = (first_unique_id + number).to_bytes(3, "big")
        entries += RECORD_ENTRY.pack(offset, RECORD_DIRTY, unique_id)
        offset += len(record)
    seed = first_unique_id + len(records)
    return (header(name, BACKUP, 0, app_info_offset, kind, creator, seed, len(records))
            + entries + PLACEHOLDER + app_info + b"".join(records))


def resource_database(name, kind, creator, resources):
    """A .prc: header, resource list, placeholder, resources."""
    offset = HEADER.size + RESOURCE_ENTRY.size * len(resources) + len(PLACEHOLDER)
    entries = b""
    for resource_type, resource_id, data in resources:
        entries += RESOURCE_ENTRY.pack(resource_type, resource_id, offset)
        offset += len(data)
    # Without the backup bit: Debian's file(1) then names a library as such.
    return (header(name, RESOURCE_DATABASE, 1, 0, kind, creator, 0, len(resources))
            + entries + PLACEHOLDER + b"".join(data for _, _, data in resources))


def demo_library():
    return resource_database("Vantrel Demo Library", b"libr", CREATOR, [
        (b"tver", 1, b"1.0\0"),
        (b"tSTR", 1000, b"Installed by the Vantrel demo installer.\0"),
    ])


NOTES = """Vantrel demo notes

This e-book came to your handheld with a Vantrel installer.

Its name, "Vantrel Demo: Notes/2", holds a colon, a slash and blanks. A
PC's file name cannot hold the first two, and HotSync dislikes blanks, so
the installer wrote it as Vantrel_Demo__Notes_2.pdb into your HotSync
install folder and your backup folder.

The name comes from inside the database, not from the file that carried
it: this file travelled as VantrelDemoNotes.pdb.
"""

DOC_RECORD_SIZE = 4096
DOC_UNCOMPRESSED = 1


def demo_notes():
    text = NOTES.replace("\n", "\r\n").encode("ascii")
    chunks = [text[i:i + DOC_RECORD_SIZE] for i in range(0, len(text), DOC_RECORD_SIZE)]
    # Record 0 of a Doc e-book: compression, unused, text length, text
    # record count, text record size, reading position.
    doc_header = struct.pack(">HHIHHI", DOC_UNCOMPRESSED, 0, len(text), len(chunks), DOC_RECORD_SIZE, 0)
    return record_database("Vantrel Demo: Notes/2", b"TEXt", b"REAd", [doc_header] + chunks, 0x564E01)


def demo_settings():
    # App-info block: a layout version and the number of settings.
    settings = [b"greeting=Hello from Vantrel\0", b"sound=on\0", b"theme=classic\0"]
    app_info = struct.pack(">HH", 1, len(settings))
    return record_database("Vantrel Demo Settings", b"DATA", CREATOR, settings, 0x565301, app_info)


DATABASES = {
    "VantrelDemoLib.prc": demo_library,
    "VantrelDemoNotes.pdb": demo_notes,
    "VantrelDemoSettings.pdb": demo_settings,
}


def main(arguments):
    if len(arguments) != 2:
        sys.stderr.write("usage: make_sample_databases.py <folder>\n")
        return 2
    folder = arguments[1]
    os.makedirs(folder, exist_ok=True)
    for file_name, make in DATABASES.items():
        with open(os.path.join(folder, file_name), "wb") as output:
            output.write(make())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
