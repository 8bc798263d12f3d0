// The process entry. The C runtime's own start-up (its argument vector,
// environment, thread-local and exception set-up) does nothing this
// program uses, and costs every installer 3 KB: msvcrt.dll readies its
// streams and heap itself when it loads. So the entry hands the instance,
// the whole command line and the show command to the installer, and ends
// the process with its exit code.
#include "installer/start_up.h"
#include "platform/process.h"

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

// The linker lists here the references to a DLL's data that it could not
// resolve, which only the C runtime's start-up would patch. This program
// makes none; should a change ever add one, the program stops at its start
// (and the Wine tests with it) rather than run with a reference unpatched.
extern "C" char __RUNTIME_PSEUDO_RELOC_LIST__;
extern "C" char __RUNTIME_PSEUDO_RELOC_LIST_END__;

// Only the linker names the entry (ld's default for a Windows program), so it
// is kept by hand from link-time optimisation; the system calls it with the
// stack only 4-byte aligned.
extern "C" __attribute__((used, force_align_arg_pointer)) void WinMainCRTStartup()
{
    if (&__RUNTIME_PSEUDO_RELOC_LIST__ != &__RUNTIME_PSEUDO_RELOC_LIST_END__)
        __builtin_trap();
    // The whole command line is read: the log records it whole, and the
    // options are looked for past the program's path as the command line
    // splits it.
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    int showCommand = startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : SW_SHOWDEFAULT;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(&__ImageBase);
    ExitProcess(static_cast<UINT>(RunInstaller(instance, GetProgramCommandLine(), showCommand)));
}
