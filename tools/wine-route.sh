# Sourced, with $top set to the project's folder: how Wine runs Windows programs on this machine, decided by trying,
# and so which build the Wine tests and the demo run. Sets:
#   wine            the Wine loader to call
#   wine_in         a command prefix that every Wine run must sit under
#                   (the i386 namespace), or nothing
#   wine_preset     the preset of the Wine test drivers
#   wine_installer  the vantrel.exe that Wine runs
#   wine_route      one line that says which program runs and how
# Three routes, best first: 32-bit Wine on a kernel that runs 32-bit code;
# 32-bit Wine through qemu-user in a private namespace; failing both, the
# x86-64 build of the same source under 64-bit Wine.
wine=/usr/lib/wine/wine wine_in= wine_preset=wine wine_installer=build/win32/vantrel.exe
if "$wine" --version >/dev/null 2>&1; then
    wine_route="the i686 program that ships (build/win32/vantrel.exe) under 32-bit Wine"
elif [ -x /usr/bin/qemu-i386 ] && "$top/tools/i386-namespace.sh" "$wine" --version >/dev/null 2>&1; then
    wine_in=$top/tools/i386-namespace.sh
    wine_route="the i686 program that ships (build/win32/vantrel.exe) under 32-bit Wine through qemu-user"
else
    wine=/usr/lib/wine/wine64 wine_preset=wine64 wine_installer=build/wine64/vantrel.exe
    wine_route="the x86-64 build (build/wine64/vantrel.exe) of the same source under 64-bit Wine, not the i686 program that ships"
fi
