#!/bin/sh
# The disks of the failure tests, as Wine drives: T: a tmpfs of 256 KiB, soon
# full; R: a read-only view of W:. Without root no drive is made, and the
# tests that need one skip, saying why.
#   small-disks.sh mount|unmount <prefix> <folder>
set -u
rm -f "$2/dosdevices/t:" "$2/dosdevices/r:" "$2/dosdevices/w:"
umount "$3/full" "$3/read-only" 2>/dev/null
rm -rf "$3"
[ "$1" = unmount ] && exit 0
mkdir -p "$3/full" "$3/writable" "$3/read-only"
if mount -t tmpfs -o size=256k tmpfs "$3/full" && mount --bind "$3/writable" "$3/read-only" \
    && mount -o remount,bind,ro "$3/read-only"; then
    ln -s "$3/full" "$2/dosdevices/t:" && ln -s "$3/read-only" "$2/dosdevices/r:" && ln -s "$3/writable" "$2/dosdevices/w:"
else
    umount "$3/full" "$3/read-only" 2>/dev/null
    echo "small-disks.sh: cannot mount (not root?); the tests of full and read-only disks skip" >&2
fi
exit 0
