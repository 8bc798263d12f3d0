#!/bin/sh
# Installs, from Debian's packages only, everything that builds, tests and
# demonstrates Vantrel, including a way for Wine to run the shipped i686
# program: 32-bit Wine where the kernel runs 32-bit code; where it does not,
# qemu-user from the archive's backports suite as well (see
# tools/i386-namespace.sh); failing both, the x86-64 build's packages. It
# decides by trying. Safe to run again: what is present is left alone.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)

packages="
g++ cmake ninja-build make libgtest-dev googletest dpkg-dev man-db
g++-mingw-w64-i686-win32 g++-mingw-w64-i686-posix binutils-mingw-w64-i686
wine wine32:i386 fonts-wine
xvfb imagemagick x11-utils file python3 util-linux
osslsigncode openssl clang libclang-rt-14-dev
liblzma-dev
"
# The x86-64 build stands in only where 32-bit Wine cannot run at all.
fallback_packages="wine64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64"

as_root=
[ "$(id -u)" -eq 0 ] || as_root=sudo
# sudo drops the environment: the setting goes on apt-get's own command line.
apt="$as_root env DEBIAN_FRONTEND=noninteractive apt-get"

missing() {
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || printf ' %s' "$p"
    done
}

# install [APT-OPTION]... -- PACKAGE...: the missing ones of the packages.
updated=no
install() {
    options=
    while [ "$1" != -- ]; do options="$options $1"; shift; done
    shift
    wanted=$(missing "$@")
    [ -n "$wanted" ] || return 0
    echo "setup: installing$wanted" >&2
    if [ "$updated" = no ]; then $apt update -qq; updated=yes; fi
    # shellcheck disable=SC2086
    $apt install -y -qq --no-install-recommends $options $wanted >/dev/null
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $as_root dpkg --add-architecture i386
    updated=no
fi
# shellcheck disable=SC2086
install -- $packages

. "$top/tools/wine-route.sh"
[ "$wine_preset" = wine64 ] || exit 0

# The backports suite of the archive this machine already uses: its address
# comes from the machine's own apt sources.
backports=bookworm-backports
if ! grep -rqs "$backports" /etc/apt/sources.list /etc/apt/sources.list.d/; then
    mirror=$(sed -n 's/^URIs: *\([^ ]*\/debian\/*\)$/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)
    [ -n "$mirror" ] || mirror=$(sed -n 's/^deb \(http[^ ]*\/debian\/*\) .*/\1/p' /etc/apt/sources.list 2>/dev/null | head -n 1)
    if [ -n "$mirror" ]; then
        printf 'Types: deb\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            "$mirror" "$backports" | $as_root tee /etc/apt/sources.list.d/vantrel-backports.sources >/dev/null
        updated=no
    fi
fi
# Without recommends: qemu-user-binfmt would register its rules machine-wide.
install -t "$backports" -- qemu-user || echo "setup: qemu-user could not be installed from $backports" >&2

. "$top/tools/wine-route.sh"
[ "$wine_preset" = wine64 ] || exit 0
echo "setup: 32-bit Wine cannot run here, not even through qemu-user from $backports; the Wine tests and the demo will run the x86-64 build" >&2
# shellcheck disable=SC2086
install -- $fallback_packages
