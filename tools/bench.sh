#!/bin/sh
# Benchmarks, side by side in one run; not part of the test suite.
# - Download size: the six databases of tools/make_bench_databases.py in an
#   installer that vantrel-pack builds (compressed, and --store), against the
#   same files in installers that NSIS's makensis builds with each of its
#   compressors (Debian's nsis package: a measuring stick here, never in the
#   product or its tests); and the stub's size.
# - Installation under Wine: a 256 MiB database that compresses poorly (random
#   bytes), one that compresses well (address book records) and one of zeros,
#   each as vantrel-pack build stores it by
#   default and with --store, timed by tools/bench/install_timer.cpp from
#   the progress page to the completion page and from the installer's start;
#   the one that compresses poorly also coded anyway (which build never
#   does: tools/bench/code_record.cpp codes it); and natively, for the one that
#   compresses well, decoding it once (extract) beside copying the result,
#   which is what the backup copy costs.
# - vantrel-pack on a release build (no sanitizers): build with a 256 MiB
#   database beside dd copying the same bytes; verify of the result (one CRC
#   pass); list on an installer of 10,000 records; each with its wall time
#   and peak resident memory.
#   tools/bench.sh
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)
if [ -z "${VANTREL_I386_NAMESPACE:-}" ]; then
    tools/setup.sh
    if ! command -v makensis >/dev/null; then
        as_root=
        [ "$(id -u)" -eq 0 ] || as_root=sudo
        $as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends nsis >/dev/null
    fi
fi
. tools/wine-route.sh
# Wine runs only where it can run here (see tools/wine-route.sh).
if [ -n "$wine_in" ] && [ -z "${VANTREL_I386_NAMESPACE:-}" ]; then
    exec "$wine_in" "$top/tools/bench.sh" "$@"
fi
for preset in release win32 "$wine_preset"; do
    cmake --preset "$preset" >/dev/null
done
cmake --build --preset release >/dev/null
cmake --build --preset win32 --target vantrel >/dev/null
cmake --build --preset "$wine_preset" --target vantrel_install_timer >/dev/null
pack=$top/build/release/vantrel-pack
stub=$top/$wine_installer
timer=$top/build/$wine_preset/vantrel_install_timer.exe
work=$(mktemp -d)
export WINEPREFIX="$work/wine-prefix" WINEDEBUG=-all
trap '"$top/tests/wine/wine-prefix.sh" stop "$WINEPREFIX"; rm -rf "$work"' EXIT
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
size() { stat -c %s "$1"; }
measure() { /usr/bin/time -f "%e s, peak %M KiB" "$@" 2>&1 >/dev/null | tail -1; }

# ---- Download size -----------------------------------------------------------
python3 tools/make_bench_databases.py "$work/mix"
cd "$work/mix"
databases=$(ls)
{ printf 'FILES\r\n'
  for database in $databases; do printf '*%s\r\n%s\r\n' "$database" "$database"; done
  printf '.\r\n'; } >Install.ini
"$pack" build -o "$work/compressed.exe" --stub "$top/build/win32/vantrel.exe" $databases >/dev/null
"$pack" build --store -o "$work/stored.exe" --stub "$top/build/win32/vantrel.exe" $databases >/dev/null
best=
best_size=0
echo "The six bench databases, $(cat $databases | wc -c) bytes:"
for compressor in zlib bzip2 lzma "/SOLID zlib" "/SOLID bzip2" "/SOLID lzma"; do
    { echo "SetCompressor /FINAL $compressor"
      echo 'Name "Bench"'
      echo 'OutFile "nsis.exe"'
      echo 'RequestExecutionLevel user'
      echo 'InstallDir "$TEMP\Bench"'
      echo 'Page instfiles'
      echo 'Section'
      echo 'SetOutPath "$INSTDIR"'
      for database in $databases; do echo "File \"$database\""; done
      echo 'SectionEnd'; } >bench.nsi
    makensis -V1 bench.nsi >/dev/null
    echo "  NSIS, $compressor: $(size nsis.exe) bytes"
    if [ -z "$best" ] || [ "$(size nsis.exe)" -lt "$best_size" ]; then
        best=$compressor
        best_size=$(size nsis.exe)
    fi
done
printf '  vantrel-pack build --store: %s bytes\n' "$(size "$work/stored.exe")"
printf '  vantrel-pack build: %s bytes, %s times NSIS at its best (%s)\n' "$(size "$work/compressed.exe")" \
    "$(awk "BEGIN { printf \"%.3f\", $(size "$work/compressed.exe") / $best_size }")" "$best"
echo "The stub, build/win32/vantrel.exe: $(size "$top/build/win32/vantrel.exe") bytes"
cd "$work"

# ---- Installation ------------------------------------------------------------
# A record database: the 78-byte header, one list entry, then filler.
python3 - <<'PY'
import os, random, struct
def database(path, name, filler):
    header = struct.pack(">32sHHIIIIII4s4sIIH", name, 0, 1, 0, 0, 0, 0, 0, 0, b"DATA", b"Bnch", 0, 0, 1)
    with open(path, "wb") as f:
        f.write(header + struct.pack(">IB3s", 86, 0, b"\0\0\1"))
        filler(f)
        f.truncate(256 << 20)
def poorly(f):
    f.write(os.urandom(256 << 20))
def well(f):
    # Address book records: names, numbers and mail addresses.
    r = random.Random(5)
    first = ["Anna", "Ben", "Carla", "David", "Eva", "Frank", "Greta", "Hugo", "Ines", "Jonas"]
    last = ["Adams", "Baker", "Clarke", "Dorsey", "Evans", "Fischer", "Garcia", "Huber", "Ito"]
    written = 0
    while written < 256 << 20:
        a, b = r.choice(first), r.choice(last)
        record = struct.pack(">IIB", 0x00103210, 0x7F, 1) + ("%s\0%s\0+%d %07d\0%s.%s@mail.example\0" % (
            b, a, r.randint(20, 899), r.randint(0, 9999999), a.lower(), b.lower())).encode()
        f.write(record)
        written += len(record)
for name, filler in (("poorly", poorly), ("well", well), ("zeros", lambda f: None)):
    os.makedirs(name, exist_ok=True)
    database(os.path.join(name, name + ".pdb"), b"Bench " + name.encode(), filler)
    with open(os.path.join(name, "Install.ini"), "wb") as f:
        f.write(b"FILES\r\n*Bench data\r\n%s.pdb\r\n.\r\n" % name.encode())
PY
# Times installing $kind-$how.exe: the copy stage, and the whole run from the
# installer's start (its integrity check included).
install() {
    kind=$1 how=$2
    folder=$(windows_path "$work/run-$kind-$how")
    mkdir -p "$work/run-$kind-$how"
    times=$(timeout 3600 "$wine" "$timer" "$(windows_path "$work/$kind-$how.exe")" "$kind.pdb" "$folder" \
        </dev/null 2>"$work/timer.log" | tr -d '\r') || { cat "$work/timer.log" >&2; exit 1; }
    echo "256 MiB, $kind, $how: installer $(size "$kind-$how.exe") bytes${3:-}," \
         "copied (both copies) in ${times% *} ms, whole run ${times#* } ms"
    rm -rf "$work/run-$kind-$how"
}
"$top/tests/wine/wine-prefix.sh" start "$WINEPREFIX"
for kind in poorly well zeros; do
    for how in stored built; do
        (cd "$kind" && measure "$pack" build $([ "$how" = built ] || echo --store) -o "../$kind-$how.exe" \
            --stub "$stub" "$kind.pdb") >"$work/build.time"
        install "$kind" "$how" " (build $(cat "$work/build.time"))"
    done
done
# What build spares the one that compresses poorly by storing it raw: the
# same database coded anyway, in a record laid out here.
"$top/build/release/vantrel_code_record" poorly/poorly.pdb poorly.coded
python3 - "$stub" <<'PY'
import shutil, struct, sys
def record(name, data):
    name += b"\0"
    return data + struct.pack("<I", len(data)) + name + struct.pack("<HI", len(name), len(data) + len(name) + 6) + b"ETag"
shutil.copyfile(sys.argv[1], "poorly-coded.exe")
with open("poorly-coded.exe", "ab") as f:
    f.write(record(b"Install.ini", open("poorly/Install.ini", "rb").read()))
    f.write(record(b"vantrel\\lzma\\poorly.pdb", open("poorly.coded", "rb").read()))
PY
install poorly coded
"$top/tests/wine/wine-prefix.sh" stop "$WINEPREFIX"
echo "vantrel-pack extract, decoding the one that compresses well: $(measure "$pack" extract well-built.exe well.pdb -o decoded.pdb)"
echo "cp of what it decoded, as the backup copy copies it:      $(measure cp decoded.pdb backup.pdb)"
rm -rf poorly well zeros ./*-built.exe ./*-stored.exe poorly-coded.exe poorly.coded decoded.pdb backup.pdb

# ---- vantrel-pack ------------------------------------------------------------
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
