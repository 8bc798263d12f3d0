#!/bin/sh
# Installs, from Debian's packages only, everything that builds and tests
# Vantrel. Safe to run again: packages already present are left alone.
set -eu

packages="
g++ cmake ninja-build make
libgtest-dev googletest
g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix
binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
wine64 fonts-wine
xvfb imagemagick x11-utils
file python3
"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=""
else
    as_root="sudo"
fi

echo "setup: installing$missing" >&2
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -qq
# shellcheck disable=SC2086
$as_root apt-get install -y -qq --no-install-recommends $missing >/dev/null
