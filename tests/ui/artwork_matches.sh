#!/bin/sh
# Proves the committed artwork is what the generator draws: draws it afresh
# into a temporary folder and compares every file byte for byte.
#   artwork_matches.sh <source root>
set -eu
root=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
python3 "$root/tools/draw_artwork.py" "$out"
status=0
for file in splash.bmp vantrel.ico page.ico; do
    if ! cmp "$out/$file" "$root/ui/art/$file"; then
        echo "ui/art/$file differs from what tools/draw_artwork.py draws" >&2
        status=1
    fi
done
exit $status
