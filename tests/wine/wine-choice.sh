# Sourced: which Wine runs the project's Windows programs, and so which
# build of them is tested. Where the kernel runs 32-bit programs, 32-bit Wine
# runs the shipped i686 build; where it cannot (no IA-32 support in the
# kernel: Wine's i386 loader fails with "Exec format error"), only 64-bit
# Wine runs, and the x86-64 build of the same source stands in for it.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    wine=wine
    wine_preset=wine
    wine_installer=build/win32/vantrel.exe
else
    wine=/usr/lib/wine/wine64
    wine_preset=wine64
    wine_installer=build/wine64/vantrel.exe
fi
