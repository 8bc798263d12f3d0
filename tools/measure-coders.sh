#!/bin/sh
# Measures the coders an installer could pack its databases with, on
# databases that resemble real ones (tools/make_bench_databases.py): what
# each database packs to with LZMA (liblzma) and with deflate (zlib,
# libdeflate, zopfli), each checked by decoding it again with the decoder
# the installer would carry, and how many bytes each decoder adds to the
# installer (i686, built as the installer is built). Not part of the suite.
#   tools/measure-coders.sh
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
# The deflate encoders are measuring sticks only; the product never links them.
wanted=
for p in libdeflate-dev libzopfli-dev zlib1g-dev liblzma-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || wanted="$wanted $p"
done
if [ -n "$wanted" ]; then
    as_root=
    [ "$(id -u)" -eq 0 ] || as_root=sudo
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $wanted >/dev/null
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 tools/make_bench_databases.py "$work/mix"
g++ -std=c++20 -O2 -I. tools/coders/measure_coders.cpp tools/coders/inflate.cpp payload/lzma_decoder.cpp \
    -o "$work/measure_coders" -llzma -lz -ldeflate -lzopfli
"$work/measure_coders" "$work"/mix/*

# Code and constants, as the installer's floors are compiled for i686.
for decoder in payload/lzma_decoder.cpp tools/coders/inflate.cpp; do
    i686-w64-mingw32-g++-win32 -std=c++20 -Os -fno-exceptions -fno-rtti -ffunction-sections \
        -fno-asynchronous-unwind-tables -I. -c "$decoder" -o "$work/decoder.o"
    i686-w64-mingw32-size -A "$work/decoder.o" |
        awk -v name="$decoder" '$1 ~ /^\.(text|rdata|data)/ && $1 != ".rdata$zzz" { s += $2 }
                                END { printf "%s: %d bytes of i686 code and constants\n", name, s }'
done
