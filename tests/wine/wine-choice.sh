# Sourced: which Wine runs the Windows programs, and so which build is tested.
# A kernel without IA-32 support runs only 64-bit Wine, and the x86-64 build
# of the same source stands in for the shipped i686 one.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    wine=wine wine_preset=wine wine_installer=build/win32/vantrel.exe
else
    wine=/usr/lib/wine/wine64 wine_preset=wine64 wine_installer=build/wine64/vantrel.exe
fi
