#!/usr/bin/env python3
"""Writes Palm OS databases that resemble real ones into a folder, for
measuring compression: what a person ships with an installer.

  make_bench_databases.py <folder>

- BenchTools.prc: an application: 68k code resources (compiled functions
  with their debugger names, system traps, switch tables), its data
  resource, forms, menus, alerts, strings and icon bitmaps.
- BenchGuide.pdb: an e-text in the Doc layout, plain text.
- BenchLicenses.pdb: an e-text in the Doc layout, PalmDoc-compressed.
- BenchAddress.pdb, BenchMemos.pdb: PIM databases in the layouts of the
  handheld's address book and memo pad.
- BenchPictures.prc: bitmaps: drawn pictures at 1, 2, 4 and 8 bits per
  pixel, and photographs (8 bits, noisy, as a scanner gives them).

The texts come from /usr/share/common-licenses (every Debian system has
it); everything else is made from a fixed random seed, so the output is the
same byte for byte on every run of the same Debian release.
"""

import os
import random
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_sample_databases import record_database, resource_database  # noqa: E402

LICENSES = "/usr/share/common-licenses"
CREATOR = b"VnBn"

# -- 68k code ---------------------------------------------------------------

# System traps a typical application calls, by how often they appear.
TRAPS = [0xA173, 0xA183, 0xA180, 0xA19E, 0xA220, 0xA0C5, 0xA021, 0xA035, 0xA02B, 0xA016,
         0xA0C7, 0xA0C9, 0xA1A0, 0xA1A7, 0xA192, 0xA19F, 0xA13E, 0xA049, 0xA04A, 0xA075,
         0xA0F7, 0xA1B7, 0xA195, 0xA1C0, 0xA2DA, 0xA0AC, 0xA0BA]
NAME_WORDS = ["Main", "Form", "Handle", "Event", "Draw", "List", "Item", "Record", "Field", "Init",
              "Update", "Get", "Set", "Pref", "Load", "Save", "Menu", "Table", "Scroll", "Select",
              "Category", "Detail", "Note", "Edit", "View", "Find", "Goto", "Open", "Close", "Sort"]


def code_resource(rng, functions):
    """Compiled functions as a 68k compiler lays them out: prologue, body
    from common instruction shapes, epilogue, then the function's name."""
    out = bytearray()
    for _ in range(functions):
        frame = rng.choice([0, 4, 8, 12, 16, 20, 32, 64])
        out += struct.pack(">HH", 0x4E56, (-frame) & 0xFFFF)                   # LINK A6,#-frame
        saved = rng.choice([0x1F30, 0x1C30, 0x1800, 0x1F38, 0x0300, 0x1E20])
        out += struct.pack(">HH", 0x48E7, saved)                               # MOVEM.L regs,-(SP)
        for _ in range(rng.randint(8, 60)):
            out += instruction(rng, frame)
        if rng.random() < 0.15:
            out += switch_table(rng)
        out += struct.pack(">HH", 0x4CDF, ((saved & 0xFF) << 8 | saved >> 8) & 0xFFFF)
        out += struct.pack(">HH", 0x4E5E, 0x4E75)                              # UNLK A6; RTS
        name = "".join(rng.choice(NAME_WORDS) for _ in range(rng.randint(2, 4))).encode()
        out += bytes([0x80 + len(name)]) + name + (b"" if len(name) % 2 else b"\0") + b"\0\0"
    return bytes(out)


def instruction(rng, frame):
    local = -rng.choice(range(2, frame + 2, 2)) & 0xFFFF if frame else 8
    argument = rng.choice([8, 10, 12, 14, 16])
    shapes = [
        (8, lambda: struct.pack(">HH", 0x4E4F, rng.choice(TRAPS))),          # TRAP #15; system trap
        (6, lambda: struct.pack(">HH", 0x2F2E, rng.choice([local, argument]))),  # MOVE.L d(A6),-(SP)
        (4, lambda: struct.pack(">HH", 0x3F3C, rng.choice([0, 1, 2, 1000, 1001, rng.randint(0, 2000)]))),
        (4, lambda: struct.pack(">HH", 0x4FEF, rng.choice([2, 4, 6, 8, 10, 12]))),  # LEA n(SP),SP
        (3, lambda: struct.pack(">HH", 0x4EBA, rng.randint(0, 0xFFFF) & 0xFFFE)),   # JSR d(PC)
        (4, lambda: struct.pack(">HH", 0x206E, rng.choice([local, argument]))),  # MOVEA.L d(A6),A0
        (4, lambda: struct.pack(">HH", 0x2D40, local)),                        # MOVE.L D0,d(A6)
        (3, lambda: struct.pack(">H", rng.choice([0x4A40, 0x4A80, 0x4A00, 0x4A28]))),  # TST
        (4, lambda: struct.pack(">H", rng.choice([0x6700, 0x6600, 0x6000, 0x6C00, 0x6F00])
                                | rng.randint(2, 0x7F) & 0xFE)),               # Bcc.S
        (2, lambda: struct.pack(">HH", rng.choice([0x6700, 0x6600, 0x6000]), rng.randint(0x80, 0x600) & 0xFFFE)),
        (4, lambda: struct.pack(">H", 0x7000 | rng.randint(0, 7) << 9 | rng.choice([0, 1, 2, 0xFF, rng.randint(0, 255)]))),
        (3, lambda: struct.pack(">HH", 0x3028, rng.choice([0, 2, 4, 6, 8, 10, 12, 20]))),  # MOVE.W d(A0),D0
        (2, lambda: struct.pack(">HH", 0x41FA, rng.randint(0, 0x4000) & 0xFFFE)),  # LEA d(PC),A0
        (3, lambda: struct.pack(">HH", 0x486E, local)),                        # PEA d(A6)
        (3, lambda: struct.pack(">H", 0x2F00 | rng.randint(0, 7))),            # MOVE.L Dn,-(SP)
        (3, lambda: struct.pack(">HH", 0x202D, (-rng.randint(1, 40) * 4) & 0xFFFF)),  # MOVE.L d(A5),D0
        (2, lambda: struct.pack(">HH", 0x0C40, rng.choice([0, 1, 2, 3, 4, 1000, 1001, 1002, 1500]))),
        (2, lambda: struct.pack(">H", rng.choice([0xD081, 0x5280, 0x5340, 0x5288, 0x2600, 0x2440, 0x3600]))),
    ]
    total = sum(weight for weight, _ in shapes)
    pick = rng.uniform(0, total)
    for weight, make in shapes:
        pick -= weight
        if pick <= 0:
            return make()
    return shapes[-1][1]()


def switch_table(rng):
    cases = rng.randint(3, 12)
    table = b"".join(struct.pack(">h", rng.randint(1, 0x200) * 2) for _ in range(cases))
    return struct.pack(">HHHH", 0x303B, 0x0006, 0x4EFB, 0x0002) + table


def data_resource(rng):
    """Initialised globals: mostly zeros, some pointers and strings."""
    out = bytearray(struct.pack(">I", 0))
    for _ in range(120):
        kind = rng.random()
        if kind < 0.5:
            out += bytes(rng.choice([2, 4, 4, 8, 16]))
        elif kind < 0.8:
            out += struct.pack(">I", rng.randint(0, 0x4000) & ~1)
        else:
            out += rng.choice(NAME_WORDS).encode() + b"\0"
    return bytes(out)


# -- forms, menus, strings --------------------------------------------------

LABELS = ["Done", "Cancel", "OK", "New", "Details...", "Note", "Delete", "Show", "Name:", "Date:",
          "Time:", "Category", "Unfiled", "Priority", "Repeat:", "Alarm", "Private", "Beam", "Edit"]


def form(rng, form_id):
    objects = rng.randint(4, 14)
    title = " ".join(rng.choice(NAME_WORDS) for _ in range(2)).encode() + b"\0"
    out = bytearray(struct.pack(">HHHHHHHHHHH", 0, 0, 160, 160, 0, form_id, 0x0200, 0, 0, 0, objects))
    for index in range(objects):
        kind = rng.choice([0, 1, 3, 8, 8, 9])  # field, control, list, label, ...
        out += struct.pack(">BBH", kind, 0, index)
    for index in range(objects):
        x, y = rng.randint(0, 15) * 10, rng.randint(1, 15) * 10
        out += struct.pack(">HHHHHBB", form_id + index + 1, x, y, rng.choice([36, 40, 50, 80]), 12, 0, 0)
        out += rng.choice(LABELS).encode() + b"\0"
    return bytes(out + title)


def menu_bar(rng):
    out = bytearray(struct.pack(">HH", 0, 3))
    for name in ["Record", "Edit", "Options"]:
        out += name.encode() + b"\0"
        for item in range(rng.randint(3, 8)):
            out += struct.pack(">HB", 1000 + item, ord(rng.choice("ABCDEFGHNPRSTUVWXZ")))
            out += rng.choice(LABELS + ["Undo", "Cut", "Copy", "Paste", "Select All", "Keyboard",
                                        "Graffiti Help", "Preferences...", "About Bench Tools"]).encode() + b"\0"
    return bytes(out)


SENTENCES = ["Delete the selected record?", "The record could not be saved: memory is full.",
             "Beam this record to another handheld.", "Tap a record to view it.",
             "Enter the name of the new category.", "This category already exists.",
             "Your handheld is low on memory. Delete some records and try again.",
             "The alarm sounds at the time you set.", "Are you sure you want to purge?"]


# -- bitmaps ----------------------------------------------------------------

def bitmap(width, height, depth, pixels):
    """A Tbmp of version 1 (version 2 for 8 bits): header, rows padded to words."""
    row_bytes = (width * depth + 15) // 16 * 2
    rows = bytearray()
    for y in range(height):
        row = 0
        bits = 0
        line = bytearray()
        for x in range(width):
            row = (row << depth) | pixels(x, y)
            bits += depth
            if bits == 8:
                line.append(row)
                row = bits = 0
        if bits:
            line.append(row << (8 - bits))
        rows += line.ljust(row_bytes, b"\0")
    version = 2 if depth == 8 else 1
    return struct.pack(">hhhHBBHBBH", width, height, row_bytes, 0, depth, version, 0, 0, 0, 0) + bytes(rows)


def drawn_picture(rng, width, height, depth):
    """Shapes on a plain background, as an icon or a game's artwork."""
    top = (1 << depth) - 1
    shapes = [(rng.randint(0, width), rng.randint(0, height), rng.randint(3, width // 2), rng.randint(1, top))
              for _ in range(rng.randint(2, 6))]

    def pixel(x, y):
        for cx, cy, r, colour in shapes:
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                return colour
        return 0
    return bitmap(width, height, depth, pixel)


def photograph(rng, width, height):
    """A palette image of a scene: soft gradients with sensor noise."""
    light = [(rng.uniform(0, width), rng.uniform(0, height), rng.uniform(30, 90)) for _ in range(3)]

    def pixel(x, y):
        value = sum(255 * strength / (strength + abs(x - lx) + abs(y - ly)) for lx, ly, strength in light)
        return max(0, min(255, int(value / 2 + rng.gauss(0, 6))))
    return bitmap(width, height, 8, pixel)


# -- the databases ------------------------------------------------------------

def tools_application(rng):
    resources = [(b"code", 0, struct.pack(">IIII", 0x200, 0x400, 0x20, 0x2000)),
                 (b"code", 1, code_resource(rng, 260)),
                 (b"data", 0, data_resource(rng)),
                 (b"pref", 0, struct.pack(">HII", 30, 0x1000, 0x1000)),
                 (b"tAIN", 1000, b"Bench Tools\0"), (b"tver", 1, b"2.1.3\0"),
                 (b"MBAR", 1000, menu_bar(rng))]
    resources += [(b"tFRM", 1000 + 100 * n, form(rng, 1000 + 100 * n)) for n in range(12)]
    resources += [(b"Talt", 2000 + n, struct.pack(">HHHH", rng.randint(0, 3), 0, 0, 1)
                   + b"Bench Tools\0" + rng.choice(SENTENCES).encode() + b"\0OK\0") for n in range(10)]
    resources += [(b"tSTR", 3000 + n, " ".join(rng.choice(SENTENCES) for _ in range(rng.randint(1, 4))).encode()
                   + b"\0") for n in range(25)]
    resources += [(b"tAIB", 1000, drawn_picture(rng, 22, 22, 1) + drawn_picture(rng, 22, 22, 8)),
                  (b"tAIB", 1001, drawn_picture(rng, 15, 9, 1))]
    resources += [(b"Tbmp", 4000 + n, drawn_picture(rng, 32, 32, rng.choice([1, 2, 4, 8]))) for n in range(14)]
    return resource_database("Bench Tools", b"appl", CREATOR, resources)


def license_text(names):
    text = ""
    for name in names:
        with open(os.path.join(LICENSES, name), encoding="utf-8", errors="replace") as f:
            text += f.read() + "\n\n"
    return text.replace("\n", "\r\n").encode("latin-1", errors="replace")


DOC_RECORD_SIZE = 4096


def palmdoc_compress(block):
    """PalmDoc's LZ77: literal bytes, space + letter pairs, and two-byte
    back references of 3 to 10 bytes up to 2047 bytes back."""
    out = bytearray()
    i = 0
    while i < len(block):
        best_length, best_distance = 0, 0
        for distance in range(1, min(i, 2047) + 1):
            length = 0
            while length < 10 and i + length < len(block) and block[i + length] == block[i - distance + length]:
                length += 1
            if length > best_length:
                best_length, best_distance = length, distance
                if length == 10:
                    break
        if best_length >= 3:
            word = 0x8000 | best_distance << 3 | (best_length - 3)
            out += struct.pack(">H", word)
            i += best_length
        elif block[i] == 0x20 and i + 1 < len(block) and 0x40 <= block[i + 1] < 0x80:
            out.append(block[i + 1] ^ 0x80)
            i += 2
        elif block[i] == 0 or 0x09 <= block[i] < 0x80:
            out.append(block[i])
            i += 1
        else:
            out += bytes([1, block[i]])
            i += 1
    return bytes(out)


def doc_etext(name, text, compressed):
    chunks = [text[i:i + DOC_RECORD_SIZE] for i in range(0, len(text), DOC_RECORD_SIZE)]
    if compressed:
        chunks = [palmdoc_compress(chunk) for chunk in chunks]
    header = struct.pack(">HHIHHI", 2 if compressed else 1, 0, len(text), len(chunks), DOC_RECORD_SIZE, 0)
    return record_database(name, b"TEXt", b"REAd", [header] + chunks, 0x420001)


FIRST = ["Anna", "Ben", "Carla", "David", "Eva", "Frank", "Greta", "Hugo", "Ines", "Jonas", "Karin", "Lukas",
         "Maria", "Nils", "Olga", "Paul", "Rita", "Stefan", "Tanja", "Uwe", "Vera", "Walter", "Yvonne", "Zora"]
LAST = ["Adams", "Baker", "Clarke", "Dorsey", "Evans", "Fischer", "Garcia", "Huber", "Ito", "Jansen",
        "Keller", "Lopez", "Meyer", "Novak", "Olsen", "Petrov", "Quinn", "Rossi", "Schmidt", "Tanaka"]
CITIES = ["Berlin", "Boston", "Lyon", "Madrid", "Oslo", "Seattle", "Vienna", "Zurich", "Leeds", "Austin"]
COMPANIES = ["Acme Corp.", "Northwind", "Globex", "Initech", "Umbrella Ltd.", "Hooli", "Vandelay Imports", ""]
STREETS = ["Main St.", "Oak Avenue", "Hauptstr.", "Rue de la Paix", "Elm Road", "Harbour Way"]


def categories(names):
    """The category block that starts every PIM app-info block."""
    labels = b"".join(name.encode().ljust(16, b"\0") for name in (names + [""] * 16)[:16])
    return struct.pack(">H", 0) + labels + bytes(range(16)) + struct.pack(">BB", 15, 0)


def address_book(rng):
    records = []
    for _ in range(320):
        first, last = rng.choice(FIRST), rng.choice(LAST)
        fields = [last, first, rng.choice(COMPANIES),
                  "+%d %d %07d" % (rng.choice([1, 44, 49, 33]), rng.randint(20, 899), rng.randint(0, 9999999)),
                  "%s.%s@%s.example" % (first.lower(), last.lower(), rng.choice(["mail", "work", "home"])),
                  "%d %s" % (rng.randint(1, 300), rng.choice(STREETS)), rng.choice(CITIES)]
        if rng.random() < 0.2:
            fields.append(" ".join(rng.choice(SENTENCES) for _ in range(rng.randint(1, 2))))
        mask = 0
        body = b""
        for index, field in enumerate(fields):
            if field:
                mask |= 1 << index
                body += field.encode() + b"\0"
        records.append(struct.pack(">IIB", 0x00103210, mask, 1 if fields[2] else 0) + body)
    labels = ["Last name", "First name", "Company", "Work", "Home", "Fax", "Other", "E-mail", "Address",
              "City", "State", "Zip Code", "Country", "Title", "Custom 1", "Custom 2", "Custom 3",
              "Custom 4", "Note", "Main", "Pager", "Mobile"]
    app_info = categories(["Unfiled", "Business", "Personal", "QuickList"]) + struct.pack(">I", 0) \
        + b"".join(label.encode().ljust(16, b"\0") for label in labels) + struct.pack(">HH", 0, 0)
    return record_database("AddressDB", b"DATA", b"addr", records, 0x610001, app_info)


def memo_pad(rng):
    records = []
    for _ in range(90):
        lines = [rng.choice(["Shopping", "Ideas", "Trip", "Notes", "Packing list", "Books to read"])]
        for _ in range(rng.randint(2, 12)):
            lines.append(rng.choice(["- ", "* ", ""]) + rng.choice(SENTENCES + NAME_WORDS + CITIES))
        records.append("\n".join(lines).encode() + b"\0")
    return record_database("MemoDB", b"DATA", b"memo", records, 0x6D0001,
                           categories(["Unfiled", "Business", "Personal"]) + struct.pack(">HBB", 0, 0, 0))


def pictures(rng):
    resources = [(b"Tbmp", 5000 + n, drawn_picture(rng, 80, 60, depth)) for n, depth in enumerate([1, 2, 4, 8, 8, 4])]
    resources += [(b"Tbmp", 5100 + n, photograph(rng, 96, 72)) for n in range(3)]
    return resource_database("Bench Pictures", b"Pict", CREATOR, resources)


DATABASES = {
    "BenchTools.prc": lambda rng: tools_application(rng),
    "BenchGuide.pdb": lambda rng: doc_etext("Bench Guide", license_text(
        ["GPL-3", "Apache-2.0", "MPL-2.0", "GFDL-1.3", "Artistic", "CC0-1.0"]), False),
    "BenchLicenses.pdb": lambda rng: doc_etext("Bench Licenses", license_text(["LGPL-2.1", "MPL-1.1"]), True),
    "BenchAddress.pdb": address_book,
    "BenchMemos.pdb": memo_pad,
    "BenchPictures.prc": pictures,
}


def main(arguments):
    if len(arguments) != 2:
        sys.stderr.write("usage: make_bench_databases.py <folder>\n")
        return 2
    folder = arguments[1]
    os.makedirs(folder, exist_ok=True)
    for seed, (file_name, make) in enumerate(DATABASES.items()):
        with open(os.path.join(folder, file_name), "wb") as output:
            output.write(make(random.Random(seed)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
