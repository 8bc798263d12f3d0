#!/bin/sh
# The Debian package from cpack, installed by dpkg into a scratch root: the
# installed vantrel-pack, run from there with no --stub, builds an installer
# that starts with the vantrel.exe it shipped, and its manual page reads.
#   deb-install.sh <release build folder> <vantrel.exe packed>
set -eu
build=$1 stub=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log") || { cat "$scratch/cpack.log"; exit 1; }
set -- "$scratch"/out/vantrel_*.deb
echo "package: $(basename "$1")"

# An empty dpkg database of its own: the scratch root has no libc, so the
# dependencies are known to be missing there.
root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
: >"$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root --force-script-chrootless --log=/dev/null -i "$1" >/dev/null
(cd "$root" && find usr -type f | sort)

work=$scratch/work
mkdir "$work"
cd "$work"
python3 - <<'PY'
header = bytearray(78)
header[0:4] = b"Demo"
header[60:68] = b"DATAtest"
with open("demo.pdb", "wb") as f:
    f.write(bytes(header))
with open("Install.ini", "wb") as f:
    f.write(b"FILES\r\n*Demo data\r\ndemo.pdb\r\nInstalled for you.\r\n.\r\n")
PY
"$root/usr/bin/vantrel-pack" build -o Setup.exe demo.pdb
"$root/usr/bin/vantrel-pack" verify Setup.exe
cmp -n "$(stat -c %s "$stub")" "$stub" Setup.exe
man -l "$root/usr/share/man/man1/vantrel-pack.1" | grep -q 'build, check and take apart Vantrel installers'
echo "deb_install: the installed vantrel-pack built and verified an installer with its own vantrel.exe"
