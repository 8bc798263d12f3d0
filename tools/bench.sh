#!/bin/sh
# Benchmarks vantrel-pack on a release build (no sanitizers): build with one
# 256 MiB database, beside dd copying the same bytes in the same run; verify
# of the result (the installer's own integrity check, one CRC pass); and
# list on an installer of 10,000 records; each with its wall time and peak
# resident memory. Not part of the test suite.
#   tools/bench.sh
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
pack=$(pwd)/build/release/vantrel-pack
stub=$(pwd)/build/win32/vantrel.exe
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
[ -f "$stub" ] || printf 'MZ a stand-in for the installer' >stub.exe
[ -f "$stub" ] || stub=$work/stub.exe

# A record database: the 78-byte header, one list entry, then zeros.
python3 - <<'PY'
import struct
header = struct.pack(">32sHHIIIIII4s4sIIH", b"Big Bench Data", 0, 1, 0, 0, 0, 0, 0, 0,
                     b"DATA", b"Bnch", 0, 0, 1)
with open("big.pdb", "wb") as f:
    f.write(header + struct.pack(">IB3s", 86, 0, b"\0\0\1"))
    f.truncate(256 << 20)
with open("Install.ini", "wb") as f:
    f.write(b"FILES\r\n*Bench data\r\nbig.pdb\r\nA large database.\r\n.\r\n")
PY
measure() { /usr/bin/time -f "%e s, peak %M KiB" "$@" 2>&1 >/dev/null | tail -1; }
cat big.pdb >/dev/null # both runs start from the page cache
echo "dd bs=1M of the 256 MiB database: $(measure dd if=big.pdb of=copy.pdb bs=1M)"
echo "vantrel-pack build with it:       $(measure "$pack" build -o Setup.exe --stub "$stub" big.pdb)"
# The integrity check that the installer runs at its start, CRC pass included.
echo "vantrel-pack verify of that installer: $(measure "$pack" verify Setup.exe)"

# 10,000 records, written straight in the record layout.
python3 - "$stub" <<'PY'
import shutil, struct, sys
shutil.copyfile(sys.argv[1], "Many.exe")
with open("Many.exe", "ab") as f:
    for i in range(10000):
        name = b"record%05d.pdb\0" % i
        data = b"x" * 100
        f.write(data + struct.pack("<I", len(data)) + name
                + struct.pack("<HI", len(name), len(data) + len(name) + 6) + b"ETag")
PY
echo "vantrel-pack list of 10,000 records: $(measure "$pack" list Many.exe)"
