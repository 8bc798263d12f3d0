#!/bin/sh
# Installs, from Debian's packages only, everything that builds, tests and
# demonstrates Vantrel. Safe to run again: what is present is left alone.
set -eu

# wine32:i386 is what lets `wine` run the shipped i686 program.
packages="
g++ cmake ninja-build make libgtest-dev googletest
g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix binutils-mingw-w64-i686
wine wine32:i386 fonts-wine
xvfb imagemagick x11-utils file python3
osslsigncode openssl clang libclang-rt-14-dev
"

as_root=
[ "$(id -u)" -eq 0 ] || as_root=sudo

new_architecture=no
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $as_root dpkg --add-architecture i386
    new_architecture=yes
fi

missing=
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done
[ -z "$missing" ] && [ "$new_architecture" = no ] && exit 0

# sudo drops the environment: the setting goes on apt-get's own command line.
apt="$as_root env DEBIAN_FRONTEND=noninteractive apt-get"
echo "setup: installing$missing" >&2
$apt update -qq
[ -z "$missing" ] && exit 0
# shellcheck disable=SC2086
$apt install -y -qq --no-install-recommends $missing >/dev/null
